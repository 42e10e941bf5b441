#include "platform/web/services.hpp"

#include "platform/web/dom.hpp"
#include "platform/web/window.hpp"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <string_view>
#include <utility>

namespace tervanel::web {

namespace {

// What the page says once the program has ended, in place of its windows.
constexpr std::string_view kEnded = "Il test è finito: ricaricate la pagina per rifarlo.";
constexpr std::string_view kEndedByFailure =
    "Il test si è fermato per un errore: ricaricate la pagina per rifarlo.";

} // namespace

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
