#pragma once

#include "services/window_services.hpp"

#include <vector>

namespace tervanel::win32 {

class Window;

// The window services on Windows: windows of the program's own classes, the system's
// message boxes and alert sound, and the message loop.
class Services final : public services::WindowServices {
public:
    // Asks for per-monitor DPI awareness; the fonts are registered with the first window.
    Services();
    ~Services() override;

    [[nodiscard]] std::unique_ptr<services::Window>
    createWindow(const services::WindowDescription &description,
                 services::WindowEvents &events) override;
    void messageBox(const services::MessageBoxRequest &request) override;
    void beep() override;
    void quit(int status) override;
    [[nodiscard]] bool screenReaderRunning() const override;

    // Runs the message loop until quit() or until no window of the program is loaded,
    // and returns the status.
    int run();
    // Handles the messages that are waiting, as the loop does, and returns.
    void processPending();

    // For the windows: they come and go, and the last one to go ends the program.
    void adopt(Window &window);
    void release(Window &window);
    void windowDestroyed();

private:
    std::vector<Window *> m_windows;
    bool m_quitting = false;
};

} // namespace tervanel::win32
