#pragma once

#include "platform/win32/control.hpp"

#include <string>
#include <string_view>

namespace tervanel::win32 {

// The system's push button: neither default nor cancel button of its window. A click,
// Space while it has the focus, or the window's Enter on it press it.
class PushButton final : public Control {
public:
    PushButton(Window &window, std::size_t row, const services::ControlRow &description,
               services::FontSetting windowFont, HWND parent, int dpi);

    void setText(std::string_view text);
    void applyDpi(int dpi) override;

private:
    // The system's button, with the program's accessibility: not every system's
    // standard proxy says it is a push button.
    static LRESULT CALLBACK buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    [[nodiscard]] services::accessibility::Presentation presentation() const override;

    std::string m_text;
    services::FontSetting m_font;
    WNDPROC m_systemProc = nullptr;
};

} // namespace tervanel::win32
