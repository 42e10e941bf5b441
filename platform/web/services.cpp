#include "platform/web/services.hpp"

#include "platform/web/dom.hpp"
#include "platform/web/window.hpp"

#include "services/gestures.hpp"
#include "services/pictures.hpp"

#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace tervanel::web {

namespace {

// What the page says once the program has ended, in place of its windows.
constexpr std::string_view kEnded = "Il test è finito: ricaricate la pagina per rifarlo.";
constexpr std::string_view kEndedByFailure =
    "Il test si è fermato per un errore: ricaricate la pagina per rifarlo.";

// The program's numbers that the page uses, by the names the page gives them (dom.js).
struct Named {
    std::string_view name;
    int value;
};
template <class Enum> constexpr Named named(std::string_view name, Enum value)
{
    return {name, static_cast<int>(value)};
}

namespace gestures = services::gestures;
using services::ControlKind;

constexpr std::array kKeys{
    named("ENTER", gestures::Key::Enter),      named("KEYPAD_ENTER", gestures::Key::KeypadEnter),
    named("SPACE", gestures::Key::Space),      named("TAB", gestures::Key::Tab),
    named("BACK_TAB", gestures::Key::BackTab), named("OTHER", gestures::Key::Other),
};
constexpr std::array kKeyEffects{
    named("PREVIEW", gestures::KeyEffect::Preview),
    named("PRESS_FOCUSED", gestures::KeyEffect::PressFocused),
    named("FOCUS_NEXT", gestures::KeyEffect::FocusNext),
    named("FOCUS_PREVIOUS", gestures::KeyEffect::FocusPrevious),
    named("NONE", gestures::KeyEffect::None),
    named("TOGGLE_ANSWER", gestures::KeyEffect::ToggleAnswer),
    named("PRESS_DEFAULT", gestures::KeyEffect::PressDefault),
};
constexpr std::array kGestures{
    named("CLICK", gestures::Gesture::Click),
    named("DOUBLE_CLICK", gestures::Gesture::DoubleClick),
    named("RIGHT_CLICK", gestures::Gesture::RightClick),
};
constexpr std::array kKinds{
    named("LABEL", ControlKind::Label),       named("QUESTION", ControlKind::QuestionLabel),
    named("BUTTON", ControlKind::PushButton), named("PICTURE_BOX", ControlKind::PictureBox),
    named("IMAGE", ControlKind::Image),       named("FRAME", ControlKind::Frame),
};

// Every picture, which the page fetches once its first window is painted.
constexpr std::array kPictures{services::PictureId::Banner, services::PictureId::Portrait};

std::string namesAsJson()
{
    const std::array<std::pair<std::string_view, std::span<const Named>>, 4> groups{{
        {"keys", kKeys},
        {"effects", kKeyEffects},
        {"gestures", kGestures},
        {"kinds", kKinds},
    }};
    std::string json;
    for (const auto &[group, names] : groups) {
        json += (json.empty() ? "{\"" : "},\"") + std::string(group) + "\":{";
        for (std::size_t i = 0; i < names.size(); ++i)
            json += (i ? ",\"" : "\"") + std::string(names[i].name)
                    + "\":" + std::to_string(names[i].value);
    }
    json += "},\"pictures\":[";
    for (const services::PictureId picture : kPictures)
        json +=
            (json.back() == '[' ? "\"" : ",\"") + std::string(services::fileNameOf(picture)) + "\"";
    return json + "]}";
}

} // namespace

Services::Services()
{
    const std::string names = namesAsJson();
    tervanel_names(names.data(), names.size());
}

std::unique_ptr<services::Window>
Services::createWindow(const services::WindowDescription &description,
                       services::WindowEvents &events)
{
    return std::make_unique<Window>(description, events, *this);
}

void Services::messageBox(const services::MessageBoxRequest &request)
{
    tervanel_message_box(request.prompt.data(), request.prompt.size(),
                         static_cast<int>(request.style), request.title.data(),
                         request.title.size());
}

void Services::beep()
{
    tervanel_beep();
}

void Services::quit(int status)
{
    const std::string_view line = status == 0 ? kEnded : kEndedByFailure;
    tervanel_page_end(line.data(), line.size());
}

bool Services::screenReaderRunning() const
{
    return true;
}

void Services::whenIdle(std::function<void()> task)
{
    if (m_idle.add(std::move(task)))
        tervanel_when_idle(reinterpret_cast<std::uintptr_t>(this));
}

void Services::runIdle()
{
    m_idle.run();
}

} // namespace tervanel::web

extern "C" EMSCRIPTEN_KEEPALIVE void tervanel_web_idle(std::uintptr_t services)
{
    reinterpret_cast<tervanel::web::Services *>(services)->runIdle();
}
