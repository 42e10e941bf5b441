#pragma once

#include "services/window_services.hpp"

#include <functional>
#include <memory>

namespace tervanel::web {

// The window services in a web page: windows are elements of the page, message boxes
// are modal dialogs that the handler waits for (the program is built with Asyncify, so
// that a handler can wait for the page without blocking it), the beep is a short tone,
// and the end of the program takes the windows off the page and says so in one line.
class Services final : public services::WindowServices {
public:
    // Tells the page what it needs from the start: the program's enums by name and the
    // files of its pictures.
    Services();

    [[nodiscard]] std::unique_ptr<services::Window>
    createWindow(const services::WindowDescription &description,
                 services::WindowEvents &events) override;
    void messageBox(const services::MessageBoxRequest &request) override;
    void beep() override;
    void quit(int status) override;
    // A page cannot tell whether a screen reader runs: taken to run, so that a screen
    // reader's right click takes an answer back (a right click on a question does it for
    // anyone, and leaves the browser's menu everywhere else).
    [[nodiscard]] bool screenReaderRunning() const override;
    void whenIdle(std::function<void()> task) override;
    // Runs the tasks waiting for the page's loop to be idle.
    void runIdle();

private:
    services::IdleTasks m_idle;
};

} // namespace tervanel::web
