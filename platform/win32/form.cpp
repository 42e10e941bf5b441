#include "platform/win32/form.hpp"

#include "platform/win32/dpi.hpp"
#include "platform/win32/keyboard.hpp"
#include "platform/win32/resource_ids.h"
#include "platform/win32/scaling.hpp"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tervanel::win32 {

namespace {

constexpr const wchar_t *kFormClass = L"TervanelForm";
constexpr const wchar_t *kFormProperty = L"Tervanel.Form";
// Posted to a window to destroy it once the running handler has returned.
constexpr UINT kDestroyRequest = WM_APP + 1;

std::vector<Form *> &registry()
{
    static std::vector<Form *> forms;
    return forms;
}

HICON programIcon(int size)
{
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TERVANEL_ICON),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

} // namespace

Form::Form(const FormLook &look)
    : m_look(look)
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        // The program's icon in the title bar and the task bar (none if the executable
        // carries no icon group).
        wc.hIcon = programIcon(GetSystemMetrics(SM_CXICON));
        wc.hIconSm = programIcon(GetSystemMetrics(SM_CXSMICON));
        wc.lpszClassName = kFormClass;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered)
        throw std::runtime_error("la classe delle finestre non si può registrare");

    if (m_look.frame == FormFrame::FixedSingle) {
        // No WS_THICKFRAME and no maximise box: the user cannot change the size.
        m_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    } else {
        // A dialog frame without caption: no title bar, no system menu, no close box.
        m_style = WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN;
    }
    m_back = m_look.back ? CreateSolidBrush(*m_look.back) : GetSysColorBrush(COLOR_BTNFACE);
    m_hwnd = CreateWindowExW(m_exStyle, kFormClass, m_look.title.c_str(), m_style, 0, 0, 1, 1,
                             nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!m_hwnd)
        throw std::runtime_error("la finestra non si può creare");
    registry().push_back(this);
    m_dpi = dpiOf(m_hwnd);
    place();
}

Form::~Form()
{
    auto &forms = registry();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    m_controls.clear(); // children first, while the window still exists
    if (m_hwnd) {
        RemovePropW(m_hwnd, kFormProperty);
        DestroyWindow(m_hwnd);
    }
    if (m_look.back)
        DeleteObject(m_back);
}

const std::vector<Form *> &Form::all()
{
    return registry();
}

Form *Form::from(HWND window)
{
    const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    return root ? static_cast<Form *>(GetPropW(root, kFormProperty)) : nullptr;
}

void Form::place()
{
    const int width = pixels(m_look.width, m_dpi);
    const int height = pixels(m_look.height, m_dpi);
    const RECT frame = frameAround(width, height, m_style, m_exStyle, m_dpi);
    const HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    const RECT &screen = info.rcMonitor;
    int x = screen.left;
    int y = screen.top;
    if (m_look.placement == FormPlacement::Centred) {
        // The client area centred; the frame lies around it.
        x += (screen.right - screen.left - width) / 2 + frame.left;
        y += (screen.bottom - screen.top - height) / 2 + frame.top;
    }
    SetWindowPos(m_hwnd, nullptr, x, y, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Form::parentWindow(Control *parent) const
{
    return parent ? parent->hwnd() : m_hwnd;
}

template <class C> C &Form::adopt(std::unique_ptr<C> control)
{
    C &added = *control;
    m_controls.push_back(std::move(control));
    return added;
}

Label &Form::addLabel(Control *parent, std::wstring id, PixelRect rect, std::optional<int> tabIndex,
                      const LabelLook &look, bool presentsAsCheckBox)
{
    return adopt(std::make_unique<Label>(parentWindow(parent), std::move(id), rect, tabIndex, look,
                                         presentsAsCheckBox, m_dpi));
}

PushButton &Form::addButton(Control *parent, std::wstring id, PixelRect rect,
                            std::optional<int> tabIndex, const std::wstring &text, double points,
                            bool bold)
{
    return adopt(std::make_unique<PushButton>(parentWindow(parent), std::move(id), rect, tabIndex,
                                              text, points, bold, m_dpi));
}

PictureControl &Form::addPicture(Control *parent, std::wstring id, PixelRect rect,
                                 std::optional<int> tabIndex, PictureControl::Role role,
                                 std::optional<COLORREF> back)
{
    return adopt(std::make_unique<PictureControl>(parentWindow(parent), std::move(id), rect,
                                                  tabIndex, role, back, m_dpi));
}

void Form::show()
{
    ShowWindow(m_hwnd, SW_SHOW);
    SetForegroundWindow(m_hwnd);
    SetActiveWindow(m_hwnd);
    // Painted whole before the handler goes on: the window never shows half drawn.
    RedrawWindow(m_hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Form::hide()
{
    ShowWindow(m_hwnd, SW_HIDE);
}

bool Form::isVisible() const
{
    return IsWindowVisible(m_hwnd) != FALSE;
}

bool Form::isActive() const
{
    return GetActiveWindow() == m_hwnd && isVisible();
}

void Form::setFocus(const Control &control)
{
    m_focus = control.hwnd();
    // Focusing a control of an inactive window would activate it, hidden or not.
    if (isActive())
        SetFocus(m_focus);
}

void Form::requestDestroy()
{
    PostMessageW(m_hwnd, kDestroyRequest, 0, 0);
}

void Form::applyDpi(int dpi)
{
    m_dpi = dpi;
    for (const auto &control : m_controls)
        control->applyDpi(dpi); // parents come before the controls that lie on them
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void Form::moveFocus(bool backwards, bool fromStart)
{
    std::vector<TabStop> stops;
    std::vector<Control *> controls;
    std::optional<std::size_t> current;
    const HWND focus = GetFocus();
    for (const auto &control : m_controls) {
        if (!control->takesFocus() || !control->tabIndex())
            continue;
        if (!fromStart && control->hwnd() == focus)
            current = stops.size();
        stops.push_back({*control->tabIndex(),
                         IsWindowVisible(control->hwnd()) && IsWindowEnabled(control->hwnd())});
        controls.push_back(control.get());
    }
    if (const auto next = nextInTabOrder(stops, current, backwards))
        SetFocus(controls[*next]->hwnd());
}

void Form::restoreFocus()
{
    if (m_focus && IsWindow(m_focus) && IsChild(m_hwnd, m_focus) && IsWindowVisible(m_focus)) {
        SetFocus(m_focus);
        return;
    }
    moveFocus(false, true); // the first control in tab order
    if (GetFocus() != m_hwnd && !IsChild(m_hwnd, GetFocus()))
        SetFocus(m_hwnd);
}

bool Form::preTranslate(MSG &message)
{
    if (m_look.keyPreview) {
        switch (message.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            // A key that produces a character goes to the window alone: the control with
            // the focus does not see it (a space would press the button too).
            TranslateMessage(&message);
            MSG character;
            if (!PeekMessageW(&character, message.hwnd, WM_CHAR, WM_CHAR, PM_NOREMOVE))
                DispatchMessageW(&message);
            return true;
        }
        case WM_CHAR:
            if (onKeyPress)
                onKeyPress(static_cast<wchar_t>(message.wParam));
            return true;
        default:
            return false;
        }
    }
    if (message.message != WM_KEYDOWN)
        return false;
    if (message.wParam == VK_TAB) {
        moveFocus(GetKeyState(VK_SHIFT) < 0, false);
        return true;
    }
    if (message.wParam == VK_RETURN) {
        // Enter presses the button that has the focus; there is no default button.
        Control *focused = Control::from(GetFocus());
        if (dynamic_cast<PushButton *>(focused) && focused->onClick) {
            focused->onClick();
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK Form::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *form = static_cast<Form *>(GetPropW(window, kFormProperty));
    if (!form && message == WM_NCCREATE) {
        form = static_cast<Form *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        form->m_hwnd = window;
        SetPropW(window, kFormProperty, form);
    }
    if (!form)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kFormProperty);
        form->m_hwnd = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == kDestroyRequest) {
        // The handler may destroy the form and this window: nothing of them is used after.
        const std::function<void()> destroy = form->onDestroyRequest;
        if (destroy)
            destroy();
        return 0;
    }
    return form->handle(message, wParam, lParam);
}

LRESULT Form::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(m_hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, m_back);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wParam), m_look.back.value_or(GetSysColor(COLOR_BTNFACE)));
        return reinterpret_cast<LRESULT>(m_back);
    case WM_COMMAND:
        if (routeCommand(wParam, lParam))
            return 0;
        break;
    case WM_CLOSE:
        if (onCloseRequest)
            onCloseRequest();
        return 0; // without a handler the window stays
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
        if (const LRESULT answer = answerGetObject(m_hwnd, wParam, lParam,
                                                   {[this] {
                                                        AccessibleFacts facts;
                                                        facts.name = m_look.accessibleName.empty()
                                                                         ? m_look.title
                                                                         : m_look.accessibleName;
                                                        return facts;
                                                    },
                                                    {}}))
            return answer;
        break;
    default:
        break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

} // namespace tervanel::win32
