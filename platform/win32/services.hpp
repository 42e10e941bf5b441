#pragma once

#include "services/window_services.hpp"

#include <functional>
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
    void whenIdle(std::function<void()> task) override;
    // Runs the tasks waiting for the loop to be idle (from the loop's timer).
    void runIdle();

    // Runs the message loop until quit() or until no window of the program is loaded,
    // and returns the status.
    int run();
    // Handles the messages that are waiting, as the loop does, and returns.
    void processPending();

    // Whether a message box of the program is being opened and not yet on screen.
    [[nodiscard]] bool messageBoxComing() const { return m_boxComing; }

    // The program's windows, oldest first: each is here while it exists; the last one
    // to be unloaded ends the program once its native window is gone.
    void add(Window &window);
    void remove(Window &window);
    void windowDestroyed();

    // A message box of the program came up: the words due are told from its loop.
    void messageBoxShown();

private:
    std::vector<Window *> m_windows;
    services::IdleTasks m_idle;
    bool m_boxComing = false;
    bool m_quitting = false;
};

} // namespace tervanel::win32
