#include "platform/web/services.hpp"

#include "platform/web/names.hpp"
#include "platform/web/page.hpp"
#include "platform/web/window.hpp"

#include "services/pictures.hpp"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace tervanel::web {

namespace {

// What the page says once the program has ended, in place of its windows.
constexpr std::string_view kEnded = "Il test è finito: ricaricate la pagina per rifarlo.";
constexpr std::string_view kEndedByFailure =
    "Il test si è fermato per un errore: ricaricate la pagina per rifarlo.";

// What the page is told at start (page.hpp).
std::string startAsJson()
{
    std::string json = "{\"enums\":" + std::string(enumsAsJson()) + ",\"pictures\":[";
    // Every picture, which the page fetches once its first window is painted.
    for (const services::PictureId picture : services::kAllPictures)
        json +=
            (json.back() == '[' ? "\"" : ",\"") + std::string(services::fileNameOf(picture)) + "\"";
    return json + "]}";
}

} // namespace

Services::Services()
{
    const std::string start = startAsJson();
    tervanel_page_start(start.data(), start.size());
}

std::unique_ptr<services::Window>
Services::createWindow(const services::WindowDescription &description,
                       services::WindowEvents &events)
{
    return std::make_unique<Window>(description, events, *this);
}

void Services::messageBox(const services::MessageBoxRequest &request)
{
    tervanel_await_message_box(request.prompt.data(), request.prompt.size(),
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
