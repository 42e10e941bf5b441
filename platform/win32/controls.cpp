#include "platform/win32/controls.hpp"

#include "platform/win32/fonts.hpp"
#include "platform/win32/pictures.hpp"
#include "platform/win32/scaling.hpp"
#include "platform/win32/text.hpp"

#include <commctrl.h>
#include <oleacc.h>
#include <windowsx.h>

#include <stdexcept>
#include <string>
#include <utility>

namespace tervanel::win32 {

namespace {

constexpr const wchar_t *kControlProperty = L"Tervanel.Control";
constexpr const wchar_t *kLabelClass = L"TervanelLabel";
constexpr const wchar_t *kPictureClass = L"TervanelPicture";

// The default action of a question, by its state: a click answers yes; on an answered
// question the action is the double-click's, which takes the answer back.
constexpr const wchar_t *kAnswerYes = L"Rispondi sì";
constexpr const wchar_t *kTakeBack = L"Togli la risposta";

HBRUSH solidBrush(COLORREF color)
{
    return CreateSolidBrush(color);
}

// The advance of each character of a run with the face's kerning applied, as the
// program's texts are set on every platform; returns the run's width.
int kernedAdvances(HDC dc, std::wstring_view run, std::vector<int> *advances)
{
    std::vector<int> local;
    std::vector<int> &dx = advances ? *advances : local;
    dx.assign(run.size(), 0);
    if (run.empty())
        return 0;
    GCP_RESULTSW results{};
    results.lStructSize = sizeof results;
    results.lpDx = dx.data();
    results.nGlyphs = static_cast<UINT>(run.size());
    const DWORD extent = GetCharacterPlacementW(dc, run.data(), static_cast<int>(run.size()), 0,
                                                &results, GCP_USEKERNING);
    if (extent != 0)
        return static_cast<int>(LOWORD(extent));
    SIZE size{}; // no placement from the system: the plain advances
    GetTextExtentExPointW(dc, run.data(), static_cast<int>(run.size()), 0, nullptr, dx.data(),
                          &size);
    for (std::size_t i = dx.size(); i-- > 1;)
        dx[i] -= dx[i - 1]; // the partial extents as advances
    return static_cast<int>(size.cx);
}

} // namespace

// ---- Control -------------------------------------------------------------------------

Control::Control(std::wstring id, PixelRect rect, std::optional<int> tabIndex)
    : m_id(std::move(id))
    , m_rect(rect)
    , m_tabIndex(tabIndex)
{
}

Control::~Control()
{
    if (m_hwnd) {
        RemovePropW(m_hwnd, kControlProperty);
        DestroyWindow(m_hwnd);
    }
}

void Control::create(const wchar_t *windowClass, HWND parent, DWORD style, DWORD exStyle, int dpi)
{
    m_dpi = dpi;
    const PixelRect r = scaledRect(m_rect, dpi);
    m_hwnd = CreateWindowExW(exStyle, windowClass, L"",
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, r.x, r.y, r.width,
                             r.height, parent, nullptr, GetModuleHandleW(nullptr), this);
    if (!m_hwnd)
        throw std::runtime_error("il controllo non si può creare");
    SetPropW(m_hwnd, kControlProperty, this);
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
}

bool Control::isVisible() const
{
    return (GetWindowLongW(m_hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::applyDpi(int dpi)
{
    m_dpi = dpi;
    const PixelRect r = scaledRect(m_rect, dpi);
    SetWindowPos(m_hwnd, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

bool Control::trackClicks(UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        m_pressed = true;
        SetCapture(m_hwnd);
        return true;
    case WM_LBUTTONUP: {
        RECT client;
        GetClientRect(m_hwnd, &client);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const bool click = m_pressed && PtInRect(&client, at);
        m_pressed = false;
        if (GetCapture() == m_hwnd)
            ReleaseCapture();
        if (click && onClick)
            onClick();
        return true;
    }
    case WM_LBUTTONDBLCLK:
        m_pressed = false; // the release after a double-click is no click
        if (onDoubleClick)
            onDoubleClick();
        return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hwnd)
            m_pressed = false;
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
        RemovePropW(window, kControlProperty);
        control->m_hwnd = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return control->handle(message, wParam, lParam);
}

bool routeCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != BN_CLICKED || lParam == 0)
        return false;
    Control *button = Control::from(reinterpret_cast<HWND>(lParam));
    if (!button)
        return false;
    if (button->onClick)
        button->onClick();
    return true;
}

void registerControlClasses()
{
    static bool registered = false;
    if (registered)
        return;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const wchar_t *name : {kLabelClass, kPictureClass}) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = Control::windowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        wc.lpszClassName = name;
        if (!RegisterClassExW(&wc))
            throw std::runtime_error("la classe dei controlli non si può registrare");
    }
    registered = true;
}

// ---- Label ---------------------------------------------------------------------------

Label::Label(HWND parent, std::wstring id, PixelRect rect, std::optional<int> tabIndex,
             const LabelLook &look, bool presentsAsCheckBox, int dpi)
    : Control(std::move(id), rect, tabIndex)
    , m_fore(look.fore.value_or(GetSysColor(COLOR_BTNTEXT)))
    , m_back(look.back.value_or(GetSysColor(COLOR_BTNFACE)))
    , m_points(look.points)
    , m_bold(look.bold)
    , m_centred(look.centred)
    , m_checkBox(presentsAsCheckBox)
{
    registerControlClasses();
    create(kLabelClass, parent, 0, 0, dpi);
}

HFONT Label::font() const
{
    return dialogFont(m_points, m_bold, dpi());
}

void Label::setCaption(std::wstring caption)
{
    m_caption = std::move(caption);
    // The window text is what the system's accessibility reads; the caption's CRs are
    // line breaks there too.
    SetWindowTextW(hwnd(), m_caption.c_str());
    InvalidateRect(hwnd(), nullptr, FALSE);
    notifyNameChanged(hwnd());
}

void Label::setBold(bool bold)
{
    if (bold == m_bold)
        return;
    m_bold = bold;
    InvalidateRect(hwnd(), nullptr, FALSE);
    if (m_checkBox)
        notifyStateChanged(hwnd());
}

void Label::setForeColor(COLORREF color)
{
    m_fore = color;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void Label::setBackColor(COLORREF color)
{
    m_back = color;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void Label::applyDpi(int dpi)
{
    Control::applyDpi(dpi);
}

int Label::linePitch() const
{
    return win32::linePitch(font());
}

std::vector<TextLine> Label::lines() const
{
    RECT client;
    GetClientRect(hwnd(), &client);
    const HDC dc = GetDC(hwnd());
    const HGDIOBJ old = SelectObject(dc, font());
    std::vector<TextLine> laidOut =
        layOutLines(m_caption, client.right,
                    [dc](std::wstring_view run) { return kernedAdvances(dc, run, nullptr); });
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    return laidOut;
}

void Label::paint(HDC dc) const
{
    RECT client;
    GetClientRect(hwnd(), &client);
    const HBRUSH back = solidBrush(m_back);
    FillRect(dc, &client, back); // opaque: the whole rectangle in the background colour
    DeleteObject(back);

    const HGDIOBJ old = SelectObject(dc, font());
    SetTextColor(dc, m_fore);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const int pitch = win32::linePitch(font());
    const std::vector<TextLine> laidOut =
        layOutLines(m_caption, client.right,
                    [dc](std::wstring_view run) { return kernedAdvances(dc, run, nullptr); });
    int y = 0;
    std::vector<int> advances;
    for (const TextLine &line : laidOut) {
        if (y >= client.bottom)
            break; // whatever does not fit the label's height is cut off
        const std::wstring_view text(m_caption.data() + line.start, line.length);
        kernedAdvances(dc, text, &advances);
        const int x = m_centred ? (client.right - line.width) / 2 : 0;
        ExtTextOutW(dc, x, y, ETO_CLIPPED, &client, text.data(), static_cast<UINT>(text.size()),
                    advances.data());
        y += pitch;
    }
    SelectObject(dc, old);
}

AccessibleFacts Label::accessibleFacts() const
{
    AccessibleFacts facts;
    facts.name = spokenText(m_caption);
    if (m_checkBox) {
        facts.role = ROLE_SYSTEM_CHECKBUTTON;
        facts.state = m_bold ? STATE_SYSTEM_CHECKED : 0;
        facts.defaultAction = m_bold ? kTakeBack : kAnswerYes;
    } else {
        facts.role = ROLE_SYSTEM_STATICTEXT;
        facts.defaultAction = onClick ? L"Clic" : L"";
    }
    return facts;
}

LRESULT Label::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd(), &ps);
        paint(dc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_GETOBJECT:
        if (const LRESULT answer = answerGetObject(hwnd(), wParam, lParam,
                                                   {[this] { return accessibleFacts(); },
                                                    [this] {
                                                        // The same events the mouse delivers, so
                                                        // the same handlers run.
                                                        const bool takeBack = m_checkBox && m_bold;
                                                        if (onClick)
                                                            onClick();
                                                        if (takeBack && onDoubleClick)
                                                            onDoubleClick();
                                                    }}))
            return answer;
        break;
    default:
        break;
    }
    return Control::handle(message, wParam, lParam);
}

// ---- PushButton ----------------------------------------------------------------------

PushButton::PushButton(HWND parent, std::wstring id, PixelRect rect, std::optional<int> tabIndex,
                       const std::wstring &text, double points, bool bold, int dpi)
    : Control(std::move(id), rect, tabIndex)
    , m_points(points)
    , m_bold(bold)
{
    // BS_PUSHBUTTON, not BS_DEFPUSHBUTTON: Enter presses only the button with the focus.
    create(L"BUTTON", parent, WS_TABSTOP | BS_PUSHBUTTON, 0, dpi);
    m_systemProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PushButton::buttonProc)));
    setText(text);
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont(m_points, m_bold, dpi)),
                 FALSE);
}

LRESULT CALLBACK PushButton::buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *button = static_cast<PushButton *>(from(window));
    if (!button) { // being destroyed: the system's own handling
        const auto system = reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
        return CallWindowProcW(system, window, message, wParam, lParam);
    }
    if (message == WM_GETOBJECT) {
        const LRESULT answer = answerGetObject(window, wParam, lParam,
                                               {[button] {
                                                    AccessibleFacts facts;
                                                    facts.name = button->text();
                                                    facts.role = ROLE_SYSTEM_PUSHBUTTON;
                                                    facts.defaultAction = L"Premi";
                                                    return facts;
                                                },
                                                [button] {
                                                    if (button->onClick)
                                                        button->onClick();
                                                }});
        if (answer)
            return answer;
    }
    return CallWindowProcW(button->m_systemProc, window, message, wParam, lParam);
}

void PushButton::setText(const std::wstring &text)
{
    SetWindowTextW(hwnd(), text.c_str());
}

std::wstring PushButton::text() const
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd())) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(hwnd(), text.data(), static_cast<int>(text.size()))));
    return text;
}

void PushButton::applyDpi(int dpi)
{
    Control::applyDpi(dpi);
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont(m_points, m_bold, dpi)),
                 TRUE);
}

// ---- PictureControl ------------------------------------------------------------------

PictureControl::PictureControl(HWND parent, std::wstring id, PixelRect rect,
                               std::optional<int> tabIndex, Role role, std::optional<COLORREF> back,
                               int dpi)
    : Control(std::move(id), rect, tabIndex)
    , m_role(role)
    , m_back(back)
{
    registerControlClasses();
    const DWORD style = role == Role::PictureBox ? WS_TABSTOP
                        : role == Role::Frame    ? WS_CLIPCHILDREN
                                                 : 0;
    // The picture box's border is the system's sunken client edge, two pixels wide.
    create(kPictureClass, parent, style, role == Role::PictureBox ? WS_EX_CLIENTEDGE : 0, dpi);
}

PictureControl::~PictureControl()
{
    if (m_toolTip)
        DestroyWindow(m_toolTip);
}

void PictureControl::setPicture(std::shared_ptr<const DecodedPicture> picture)
{
    m_picture = std::move(picture);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void PictureControl::setAccessibleName(std::wstring name)
{
    m_accessibleName = std::move(name);
    notifyNameChanged(hwnd());
}

void PictureControl::setToolTip(const std::wstring &text)
{
    // The tool tip itself is made when the control is first shown: the common controls
    // library is not loaded at start-up for the banner, which an evaluation shows.
    m_toolTipText = text;
    if (m_toolTip)
        addToolTip();
}

bool PictureControl::addToolTip()
{
    if (!m_toolTip) {
        using Init = BOOL(WINAPI *)(const INITCOMMONCONTROLSEX *);
        const HMODULE common = LoadLibraryW(L"comctl32.dll");
        const auto init = common ? reinterpret_cast<Init>(reinterpret_cast<void *>(
                              GetProcAddress(common, "InitCommonControlsEx")))
                                 : nullptr;
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
        if (!init || !init(&classes))
            return false;
        m_toolTip = CreateWindowExW(
            WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
            GetAncestor(hwnd(), GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!m_toolTip)
            return false; // a missing tool tip takes nothing else away
    }
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(hwnd());
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
    tool.lpszText = m_toolTipText.data();
    SendMessageW(m_toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
}

void PictureControl::paint(HDC dc) const
{
    RECT client;
    GetClientRect(hwnd(), &client);
    const HWND parent = GetParent(hwnd());
    // Without a colour of its own the control shows its parent's background.
    const HBRUSH back = m_back ? solidBrush(*m_back)
                               : reinterpret_cast<HBRUSH>(SendMessageW(
                                   parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                   reinterpret_cast<LPARAM>(hwnd())));
    FillRect(dc, &client, back ? back : GetSysColorBrush(COLOR_BTNFACE));
    if (m_back)
        DeleteObject(back);

    switch (m_role) {
    case Role::Frame:
        DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
        break;
    case Role::Image:
        if (m_picture)
            m_picture->draw(dc, client);
        break;
    case Role::PictureBox:
        if (m_picture) {
            // At its natural size, scaled with the screen, from the top-left corner.
            const RECT natural{0, 0, scaledPixels(m_picture->width(), dpi()),
                               scaledPixels(m_picture->height(), dpi())};
            const int saved = SaveDC(dc);
            IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
            m_picture->draw(dc, natural);
            RestoreDC(dc, saved);
        }
        break;
    }
}

LRESULT PictureControl::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd(), &ps);
        paint(dc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_SHOWWINDOW:
        if (wParam && !m_toolTip && !m_toolTipText.empty())
            addToolTip();
        break;
    case WM_CTLCOLORSTATIC:
        // Controls lying on a frame share the frame's background.
        return reinterpret_cast<LRESULT>(SendMessageW(GetParent(hwnd()), message, wParam, lParam));
    case WM_GETOBJECT:
        if (const LRESULT answer = answerGetObject(hwnd(), wParam, lParam,
                                                   {[this] {
                                                        AccessibleFacts facts;
                                                        facts.name = m_accessibleName;
                                                        facts.role = m_role == Role::Frame
                                                                         ? ROLE_SYSTEM_GROUPING
                                                                         : ROLE_SYSTEM_GRAPHIC;
                                                        return facts;
                                                    },
                                                    {}}))
            return answer;
        break;
    default:
        break;
    }
    return Control::handle(message, wParam, lParam);
}

} // namespace tervanel::win32
