#include "platform/win32/control.hpp"

#include "platform/win32/convert.hpp"
#include "platform/win32/scaling.hpp"
#include "platform/win32/window.hpp"
#include "services/failures.hpp"

#include <commctrl.h>
#include <windowsx.h>

namespace tervanel::win32 {

namespace {

constexpr const wchar_t *kControlProperty = L"Tervanel.Control";
constexpr const wchar_t *kProgramClass = L"TervanelControl";

using services::gestures::Gesture;

} // namespace

Control::Control(Window &window, std::size_t row, const services::ControlRow &description)
    : m_window(window)
    , m_row(row)
    , m_kind(description.kind)
    , m_rect(description.geometry)
{
}

Control::~Control()
{
    if (m_toolTip)
        DestroyWindow(m_toolTip);
    if (m_hwnd) {
        exposeAs(m_hwnd, nullptr);
        RemovePropW(m_hwnd, kControlProperty);
        DestroyWindow(m_hwnd);
    }
}

const wchar_t *Control::programClass()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        wc.lpszClassName = kProgramClass;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered)
        throw services::OperationFailed(services::Failure::ControlNotCreated);
    return kProgramClass;
}

void Control::create(const wchar_t *windowClass, HWND parent, DWORD style, DWORD exStyle, int dpi)
{
    m_dpi = dpi;
    const services::PixelRect r = scaledRect(m_rect, dpi);
    m_hwnd = CreateWindowExW(exStyle, windowClass, L"",
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, r.x, r.y, r.width,
                             r.height, parent, nullptr, GetModuleHandleW(nullptr), this);
    if (!m_hwnd)
        throw services::OperationFailed(services::Failure::ControlNotCreated);
    SetPropW(m_hwnd, kControlProperty, this);
    exposeAs(m_hwnd, this);
    // Controls created later lie above the earlier ones where they overlap.
    SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

Control *Control::from(HWND window)
{
    return window ? static_cast<Control *>(GetPropW(window, kControlProperty)) : nullptr;
}

void Control::setVisible(bool visible)
{
    ShowWindow(m_hwnd, visible ? SW_SHOWNA : SW_HIDE);
    if (visible && !m_toolTip && !m_toolTipText.empty())
        addToolTip();
}

bool Control::isVisible() const
{
    return (GetWindowLongW(m_hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::setDescription(std::string_view text)
{
    m_description = text;
    notifyNameChanged(m_hwnd);
}

void Control::setToolTip(std::string_view text)
{
    m_toolTipText = toWide(text);
    if (m_toolTip)
        addToolTip();
}

void Control::addToolTip()
{
    if (!m_toolTip) {
        using Init = BOOL(WINAPI *)(const INITCOMMONCONTROLSEX *);
        const HMODULE common = LoadLibraryW(L"comctl32.dll");
        const auto init = common ? reinterpret_cast<Init>(reinterpret_cast<void *>(
                              GetProcAddress(common, "InitCommonControlsEx")))
                                 : nullptr;
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
        if (!init || !init(&classes))
            return; // a missing tool tip takes nothing else away
        m_toolTip = CreateWindowExW(
            WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
            GetAncestor(m_hwnd, GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!m_toolTip)
            return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(m_hwnd);
    tool.uId = reinterpret_cast<UINT_PTR>(m_hwnd);
    tool.lpszText = m_toolTipText.data();
    SendMessageW(m_toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Control::applyDpi(int dpi)
{
    m_dpi = dpi;
    const services::PixelRect r = scaledRect(m_rect, dpi);
    SetWindowPos(m_hwnd, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void Control::report(Gesture gesture)
{
    m_window.deliver(m_row, gesture);
}

AccessibleFacts Control::accessibleFacts() const
{
    return {presentation(), services::accessibility::actionsOf(m_kind),
            services::accessibility::otherActionsHelp(m_kind)};
}

void Control::perform(services::accessibility::Action action)
{
    m_window.perform(m_row, action);
}

bool Control::trackClicks(UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        m_pressed = message;
        SetCapture(m_hwnd);
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        const UINT down = message == WM_LBUTTONUP ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
        RECT client;
        GetClientRect(m_hwnd, &client);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const bool clicked = m_pressed == down && PtInRect(&client, at);
        m_pressed = 0;
        if (GetCapture() == m_hwnd)
            ReleaseCapture();
        if (clicked)
            report(message == WM_LBUTTONUP ? Gesture::Click : Gesture::RightClick);
        return true;
    }
    case WM_LBUTTONDBLCLK:
        m_pressed = 0; // the release after a double-click is no click
        report(Gesture::DoubleClick);
        return true;
    case WM_RBUTTONDBLCLK:
        m_pressed = WM_RBUTTONDOWN; // a second right click
        SetCapture(m_hwnd);
        return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hwnd)
            m_pressed = 0;
        return false;
    default:
        return false;
    }
}

LRESULT Control::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (trackClicks(message, lParam))
        return 0;
    if (message == WM_COMMAND && routeCommand(wParam, lParam))
        return 0;
    if (message == WM_GETOBJECT) {
        if (const LRESULT answer = answerGetObject(m_hwnd, wParam, lParam))
            return answer;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Control::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Control *control = from(window);
    if (!control && message == WM_NCCREATE) {
        control = static_cast<Control *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        control->m_hwnd = window;
        SetPropW(window, kControlProperty, control);
    }
    if (!control)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        exposeAs(window, nullptr);
        RemovePropW(window, kControlProperty);
        control->m_hwnd = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return control->handle(message, wParam, lParam);
}

bool Control::routeCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != BN_CLICKED || lParam == 0)
        return false;
    Control *button = from(reinterpret_cast<HWND>(lParam));
    if (!button)
        return false;
    button->report(Gesture::Click);
    return true;
}

} // namespace tervanel::win32
