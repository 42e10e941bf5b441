#pragma once

#include "services/window_services.hpp"

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
};

} // namespace tervanel::qt
