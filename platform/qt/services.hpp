#pragma once

#include "services/window_services.hpp"

#include <QObject>

#include <functional>

namespace tervanel::qt {

// The window services on Qt Widgets. The QApplication must exist while they are used.
class Services final : public services::WindowServices {
public:
    Services() = default;

    [[nodiscard]] std::unique_ptr<services::Window>
    createWindow(const services::WindowDescription &description,
                 services::WindowEvents &events) override;
    void messageBox(const services::MessageBoxRequest &request) override;
    void beep() override;
    void quit(int status) override;
    [[nodiscard]] bool screenReaderRunning() const override;
    void whenIdle(std::function<void()> task) override;

private:
    // Runs the waiting tasks, or waits until every window on screen has been exposed
    // (and so painted) first.
    void runIdle();

    services::IdleTasks m_idle;
    QObject m_context; // what the loop's calls for the tasks belong to
};

} // namespace tervanel::qt
