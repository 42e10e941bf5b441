#include "platform/win32/window.hpp"

#include "platform/win32/button.hpp"
#include "platform/win32/colors.hpp"
#include "platform/win32/convert.hpp"
#include "platform/win32/dpi.hpp"
#include "platform/win32/label.hpp"
#include "platform/win32/picture.hpp"
#include "platform/win32/resource_ids.h"
#include "platform/win32/scaling.hpp"
#include "platform/win32/services.hpp"
#include "services/failures.hpp"
#include "services/runtime.hpp"

#include <memory>
#include <utility>

namespace tervanel::win32 {

namespace {

using services::ControlKind;
namespace a11y = services::accessibility;
namespace gestures = services::gestures;

constexpr const wchar_t *kWindowClass = L"TervanelWindow";
constexpr const wchar_t *kWindowProperty = L"Tervanel.Window";
// Posted to the window: destroy the native window once the running handler has
// returned; tell screen readers the words due; perform a screen reader's action
// (wParam: the control's row, lParam: the action).
constexpr UINT kDestroy = WM_APP + 1;
constexpr UINT kAnnounce = WM_APP + 2;
constexpr UINT kPerform = WM_APP + 3;

HICON programIcon(int size)
{
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TERVANEL_ICON),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void registerWindowClass(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        // The program's icon in the title bar and the task bar (none if the executable
        // carries no icon group).
        wc.hIcon = programIcon(GetSystemMetrics(SM_CXICON));
        wc.hIconSm = programIcon(GetSystemMetrics(SM_CXSMICON));
        wc.lpszClassName = kWindowClass;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered)
        throw services::OperationFailed(services::Failure::WindowNotCreated);
}

DWORD styleOf(services::WindowFrame frame)
{
    switch (frame) {
    case services::WindowFrame::Main:
        // No WS_THICKFRAME and no maximise box: the user cannot change the size.
        return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    case services::WindowFrame::Dialog:
        break;
    }
    // A dialog frame without caption: no title bar, no system menu, no close box.
    return WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN;
}

gestures::Key keyOf(const MSG &message)
{
    switch (message.wParam) {
    case VK_RETURN:
        // The keypad's Enter is the extended one.
        return (message.lParam & (1L << 24)) != 0 ? gestures::Key::KeypadEnter
                                                  : gestures::Key::Enter;
    case VK_SPACE:
        return gestures::Key::Space;
    case VK_TAB:
        return GetKeyState(VK_SHIFT) < 0 ? gestures::Key::BackTab : gestures::Key::Tab;
    default:
        return gestures::Key::Other;
    }
}

} // namespace

Window::Window(Services &services, const services::WindowDescription &description,
               services::WindowEvents &events)
    : m_services(services)
    , m_events(events)
    , m_name(a11y::nameOf(description))
    , m_frame(description.frame)
    , m_placement(description.placement)
    , m_width(description.width)
    , m_height(description.height)
    , m_back(description.back ? std::optional<COLORREF>(description.back->value) : std::nullopt)
    , m_keyPreview(description.keyPreview)
    , m_style(styleOf(description.frame))
    , m_tabOrder(gestures::tabOrder(description.controls))
    , m_defaultButton(gestures::defaultButton(description.controls))
{
    registerWindowClass(windowProc);
    if (m_back)
        m_backBrush = CreateSolidBrush(*m_back);
    m_hwnd = CreateWindowExW(0, kWindowClass, toWide(description.caption).c_str(), m_style, 0, 0, 1,
                             1, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!m_hwnd)
        throw services::OperationFailed(services::Failure::WindowNotCreated);
    m_services.add(*this);
    exposeAs(m_hwnd, this);
    m_dpi = dpiOf(m_hwnd);
    place();
    makeControls(description.controls, description.font);
}

Window::~Window()
{
    m_services.remove(*this);
    destroyNative();
    if (m_back)
        DeleteObject(m_backBrush);
}

void Window::makeControls(std::span<const services::ControlRow> rows,
                          const services::FontSetting &font)
{
    m_controls.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const services::ControlRow &row = rows[i];
        const HWND parent = row.parent ? m_controls.at(*row.parent)->hwnd() : m_hwnd;
        switch (row.kind) {
        case ControlKind::Label:
        case ControlKind::QuestionLabel:
            m_controls.push_back(std::make_unique<Label>(*this, i, row, font, parent, m_dpi));
            break;
        case ControlKind::PushButton:
            m_controls.push_back(std::make_unique<PushButton>(*this, i, row, font, parent, m_dpi));
            break;
        case ControlKind::PictureBox:
        case ControlKind::Image:
        case ControlKind::Frame:
            m_controls.push_back(std::make_unique<Picture>(*this, i, row, parent, m_dpi));
            break;
        }
    }
    m_liveRegion = std::make_unique<LiveRegion>(m_hwnd);
}

Control &Window::control(std::size_t row) const
{
    return *m_controls.at(row);
}

void Window::destroyNative()
{
    m_liveRegion.reset();
    // The controls that lie on others first (they come after them), while the window
    // still exists.
    while (!m_controls.empty())
        m_controls.pop_back();
    if (m_hwnd) {
        exposeAs(m_hwnd, nullptr);
        RemovePropW(m_hwnd, kWindowProperty);
        DestroyWindow(m_hwnd);
        m_hwnd = nullptr;
    }
}

Window *Window::from(HWND window)
{
    const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    return root ? static_cast<Window *>(GetPropW(root, kWindowProperty)) : nullptr;
}

Label &Window::label(std::size_t row) const
{
    return static_cast<Label &>(control(row));
}

HWND Window::liveRegion() const
{
    return m_liveRegion ? m_liveRegion->hwnd() : nullptr;
}

void Window::place()
{
    const int width = pixels(m_width, m_dpi);
    const int height = pixels(m_height, m_dpi);
    const RECT frame = frameAround(width, height, m_style, 0, m_dpi);
    const HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    const RECT &screen = info.rcMonitor;
    int x = screen.left;
    int y = screen.top;
    if (m_placement == services::Placement::CentredOnScreen) {
        // The client area centred; the frame lies around it.
        x += (screen.right - screen.left - width) / 2 + frame.left;
        y += (screen.bottom - screen.top - height) / 2 + frame.top;
    }
    SetWindowPos(m_hwnd, nullptr, x, y, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::repaintInScheme()
{
    // High contrast may have come or gone; the system's colours may be others now. Every
    // window of the program hears it and repaints itself whole.
    refreshScheme();
    RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Window::applyDpi(int dpi)
{
    m_dpi = dpi;
    for (const auto &control : m_controls)
        control->applyDpi(dpi); // parents come before the controls that lie on them
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void Window::show()
{
    ShowWindow(m_hwnd, SW_SHOW);
    SetForegroundWindow(m_hwnd);
    SetActiveWindow(m_hwnd);
    // Painted whole before the handler goes on: the window never shows half drawn.
    RedrawWindow(m_hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Window::hide()
{
    ShowWindow(m_hwnd, SW_HIDE);
}

void Window::unload()
{
    m_unloaded = true;
    ShowWindow(m_hwnd, SW_HIDE);
    PostMessageW(m_hwnd, kDestroy, 0, 0); // once the running handler has returned
}

bool Window::isVisible() const
{
    return !m_unloaded && m_hwnd && IsWindowVisible(m_hwnd);
}

bool Window::isActive() const
{
    return GetActiveWindow() == m_hwnd && IsWindowVisible(m_hwnd);
}

void Window::setText(std::size_t row, std::string_view text)
{
    Control &target = control(row);
    if (target.kind() == ControlKind::PushButton)
        static_cast<PushButton &>(target).setText(text);
    else
        static_cast<Label &>(target).setCaption(text);
}

void Window::setVisible(std::size_t row, bool visible)
{
    control(row).setVisible(visible);
}

bool Window::bold(std::size_t row) const
{
    return label(row).isBold();
}

void Window::setBold(std::size_t row, bool bold)
{
    label(row).setBold(bold);
}

void Window::setForeColor(std::size_t row, services::VbColor color)
{
    label(row).setForeColor(color);
}

void Window::setBackColor(std::size_t row, services::VbColor color)
{
    label(row).setBackColor(color);
}

void Window::setPicture(std::size_t row, services::PictureId picture)
{
    // Decoded now, as the caller asked: a damaged picture fails this operation.
    static_cast<Picture &>(control(row)).setPicture(picture);
}

bool Window::hasPicture(std::size_t row) const
{
    return static_cast<const Picture &>(control(row)).picture() != nullptr;
}

void Window::setFocus(std::size_t row)
{
    m_focus = control(row).hwnd();
    // Focusing a control of an inactive window would activate it, hidden or not.
    if (isActive())
        SetFocus(m_focus);
}

void Window::setToolTip(std::size_t row, std::string_view text)
{
    control(row).setToolTip(text);
}

void Window::setDescription(std::size_t row, std::string_view text)
{
    control(row).setDescription(text);
}

void Window::announce(std::string_view words)
{
    m_announcement = toWide(words);
    PostMessageW(m_hwnd, kAnnounce, 0, 0);
}

void Window::sayDueFromTheLoop()
{
    if (!m_announcement.empty())
        PostMessageW(m_hwnd, kAnnounce, 0, 0);
}

void Window::sayDue()
{
    if (m_announcement.empty() || !m_liveRegion)
        return;
    m_liveRegion->say(m_announcement);
    m_announcement.clear();
}

void Window::deliver(std::size_t row, gestures::Gesture gesture)
{
    if (!m_unloaded)
        gestures::deliver(m_events, row, gesture, control(row).kind(),
                          m_services.screenReaderRunning());
}

void Window::perform(std::size_t row, a11y::Action action)
{
    // From the event loop, as any input: a screen reader's request returns before the
    // handler runs, and before any box that it opens.
    PostMessageW(m_hwnd, kPerform, row, static_cast<LPARAM>(action));
}

AccessibleFacts Window::accessibleFacts() const
{
    return {{a11y::roleOf(m_frame), m_name}, {}, {}};
}

void Window::perform(a11y::Action action)
{
    static_cast<void>(action); // a window has no action of its own
}

void Window::moveFocus(bool backwards, bool fromStart)
{
    const std::size_t n = m_tabOrder.size();
    const auto available = std::make_unique<bool[]>(n + 1);
    std::optional<std::size_t> current;
    const HWND focus = GetFocus();
    for (std::size_t i = 0; i < n; ++i) {
        const HWND control = m_controls[m_tabOrder[i]]->hwnd();
        available[i] = IsWindowVisible(control) && IsWindowEnabled(control);
        if (!fromStart && control == focus)
            current = i;
    }
    if (const auto next = gestures::nextInTabOrder({available.get(), n}, current, backwards))
        SetFocus(m_controls[m_tabOrder[*next]]->hwnd());
}

void Window::restoreFocus()
{
    if (m_focus && IsWindow(m_focus) && IsChild(m_hwnd, m_focus) && IsWindowVisible(m_focus)) {
        SetFocus(m_focus);
        return;
    }
    moveFocus(false, true); // the first control in tab order
    if (GetFocus() != m_hwnd && !IsChild(m_hwnd, GetFocus()))
        SetFocus(m_hwnd);
}

bool Window::preTranslate(MSG &message)
{
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return keyDown(message);
    case WM_CHAR:
        if (!m_keyPreview)
            return false;
        // A character beyond the first plane comes as two UTF-16 units.
        if (const auto character = m_joiner.join(static_cast<char16_t>(message.wParam))) {
            if (!m_unloaded)
                m_events.keyPress(*character);
        }
        return true;
    default:
        return false;
    }
}

bool Window::keyDown(MSG &message)
{
    gestures::KeyPress press{keyOf(message), false, (message.lParam & (1L << 30)) != 0,
                             GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0};
    if (m_keyPreview) {
        // Whether the key gives a character: its WM_CHAR, if any, now waits in the queue.
        TranslateMessage(&message);
        MSG character;
        press.producesCharacter =
            PeekMessageW(&character, message.hwnd, WM_CHAR, WM_CHAR, PM_NOREMOVE) != FALSE;
    }
    const Control *focused = Control::from(GetFocus());
    if (focused && &focused->window() != this)
        focused = nullptr;
    switch (gestures::effectOf(press, m_keyPreview,
                               focused ? std::optional(focused->kind()) : std::nullopt)) {
    case gestures::KeyEffect::Preview:
        return true; // the control with the focus does not see it; the character follows
    case gestures::KeyEffect::PressFocused:
        if (press.key == gestures::Key::Space)
            break; // the system's button presses itself on Space
        deliver(focused->row(), gestures::Gesture::Click);
        return true;
    case gestures::KeyEffect::FocusNext:
    case gestures::KeyEffect::FocusPrevious:
        moveFocus(press.key == gestures::Key::BackTab, false);
        return true;
    case gestures::KeyEffect::ToggleAnswer:
        if (!m_unloaded)
            gestures::toggle(m_events, focused->row(), label(focused->row()).isBold());
        return true;
    case gestures::KeyEffect::PressDefault:
        if (m_defaultButton)
            deliver(*m_defaultButton, gestures::Gesture::Click);
        return true;
    case gestures::KeyEffect::None:
        break;
    }
    if (!m_keyPreview)
        return false;
    DispatchMessageW(&message); // already translated
    return true;
}

LRESULT CALLBACK Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *self = static_cast<Window *>(GetPropW(window, kWindowProperty));
    if (!self && message == WM_NCCREATE) {
        self = static_cast<Window *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->m_hwnd = window;
        SetPropW(window, kWindowProperty, self);
    }
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        exposeAs(window, nullptr);
        RemovePropW(window, kWindowProperty);
        self->m_hwnd = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT Window::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kDestroy:
        destroyNative();
        m_services.windowDestroyed();
        return 0;
    case kAnnounce:
        // Back in the event loop: said now, or, inside the loop of a message box that the
        // handler opened, once the box is on screen.
        if (!m_services.messageBoxComing())
            sayDue();
        return 0;
    case kPerform:
        if (!m_unloaded)
            gestures::perform(m_events, wParam, static_cast<a11y::Action>(lParam));
        return 0;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(m_hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, groundBrush(m_back, m_backBrush));
        return 1;
    }
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wParam), shownGround(m_back));
        return reinterpret_cast<LRESULT>(groundBrush(m_back, m_backBrush));
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETHIGHCONTRAST)
            repaintInScheme();
        break;
    case WM_SYSCOLORCHANGE:
        repaintInScheme();
        break;
    case WM_COMMAND:
        if (Control::routeCommand(wParam, lParam))
            return 0;
        break;
    case WM_CLOSE:
        // The close box of the title bar (or Alt+F4) runs no handler of the program: it
        // unloads the window. A window without a close box refuses.
        if (m_frame == services::WindowFrame::Main)
            unload();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(m_hwnd, focus))
                m_focus = focus;
        } else {
            restoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        restoreFocus();
        return 0;
    case 0x02E0: { // WM_DPICHANGED: the window moved to a screen of another scale
        const auto *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(m_hwnd, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        applyDpi(HIWORD(wParam));
        return 0;
    }
    case WM_GETOBJECT:
        if (const LRESULT answer = answerGetObject(m_hwnd, wParam, lParam))
            return answer;
        break;
    default:
        break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

} // namespace tervanel::win32
