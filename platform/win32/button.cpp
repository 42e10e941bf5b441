#include "platform/win32/button.hpp"

#include "platform/win32/convert.hpp"
#include "platform/win32/look.hpp"

namespace tervanel::win32 {

PushButton::PushButton(Window &window, std::size_t row, const services::ControlRow &description,
                       services::FontSetting windowFont, HWND parent, int dpi)
    : Control(window, row, description)
    , m_font(description.font.value_or(windowFont))
{
    // BS_PUSHBUTTON, not BS_DEFPUSHBUTTON: Enter presses only the button with the focus.
    create(L"BUTTON", parent, WS_TABSTOP | BS_PUSHBUTTON, 0, dpi);
    m_systemProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PushButton::buttonProc)));
    setText(description.text);
    SendMessageW(hwnd(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(dialogFont(m_font.points, m_font.bold, dpi)), FALSE);
}

LRESULT CALLBACK PushButton::buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *button = static_cast<PushButton *>(from(window));
    if (!button) { // being destroyed: the system's own handling
        const auto system = reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
        return CallWindowProcW(system, window, message, wParam, lParam);
    }
    if (message == WM_GETOBJECT) {
        if (const LRESULT answer = answerGetObject(window, wParam, lParam))
            return answer;
    }
    return CallWindowProcW(button->m_systemProc, window, message, wParam, lParam);
}

void PushButton::setText(std::string_view text)
{
    m_text = text;
    SetWindowTextW(hwnd(), toWide(text).c_str());
}

services::accessibility::Presentation PushButton::presentation() const
{
    return services::accessibility::present(kind(), {m_text, description(), isVisible(), false});
}

void PushButton::applyDpi(int dpi)
{
    Control::applyDpi(dpi);
    SendMessageW(hwnd(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(dialogFont(m_font.points, m_font.bold, dpi)), TRUE);
}

} // namespace tervanel::win32
