#include "platform/web/services.hpp"

#include "platform/web/dom.hpp"
#include "platform/web/window.hpp"

#include <string_view>

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

} // namespace tervanel::web
