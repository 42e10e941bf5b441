#include "platform/win32/label.hpp"

#include "platform/win32/colors.hpp"
#include "platform/win32/convert.hpp"
#include "platform/win32/look.hpp"
#include "services/fonts.hpp"

#include <string>

namespace tervanel::win32 {

namespace {

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

COLORREF colorOf(services::VbColor color)
{
    return color.value; // the same 0x00BBGGRR layout
}

std::optional<COLORREF> colorOf(std::optional<services::VbColor> color)
{
    return color ? std::optional(colorOf(*color)) : std::nullopt;
}

} // namespace

Label::Label(Window &window, std::size_t row, const services::ControlRow &description,
             services::FontSetting windowFont, HWND parent, int dpi)
    : Control(window, row, description)
    , m_fore(colorOf(description.fore))
    , m_back(colorOf(description.back))
    , m_points(description.font.value_or(windowFont).points)
    , m_bold(description.font.value_or(windowFont).bold)
    , m_centred(description.align == services::Align::Centre)
{
    // A question is in the tab order; only the keyboard gives it the focus: a click takes
    // neither the focus (the program's class sets none) nor shows a mark.
    create(programClass(), parent, kind() == services::ControlKind::QuestionLabel ? WS_TABSTOP : 0,
           0, dpi);
    setCaption(description.text);
}

HFONT Label::font() const
{
    return dialogFont(m_points, m_bold, dpi());
}

void Label::setCaption(std::string_view caption)
{
    m_text = caption;
    m_caption = toWide(caption);
    // The window text is what the system's own accessibility reads.
    SetWindowTextW(hwnd(), m_caption.c_str());
    InvalidateRect(hwnd(), nullptr, FALSE);
    notifyNameChanged(hwnd());
}

void Label::setBold(bool bold)
{
    if (bold == m_bold)
        return;
    const bool wasChecked = presentation().checked;
    m_bold = bold;
    InvalidateRect(hwnd(), nullptr, FALSE);
    if (presentation().checked != wasChecked)
        notifyStateChanged(hwnd());
}

void Label::setForeColor(services::VbColor color)
{
    m_fore = colorOf(color);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void Label::setBackColor(services::VbColor color)
{
    m_back = colorOf(color);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

services::accessibility::Presentation Label::presentation() const
{
    return services::accessibility::present(kind(), {m_text, description(), isVisible(), m_bold});
}

int Label::linePitch() const
{
    return services::linePitch(services::fontPixels(m_points, dpi()));
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
    const ShownColors colors = shownColors(kind(), m_fore, m_back);
    const HBRUSH back = CreateSolidBrush(colors.back);
    FillRect(dc, &client, back); // opaque: the whole rectangle in the background colour
    DeleteObject(back);

    const HGDIOBJ old = SelectObject(dc, font());
    SetTextColor(dc, colors.fore);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const int pitch = linePitch();
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
    if (GetFocus() == hwnd())
        drawFocusMark(dc, client);
}

LRESULT Label::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd(), nullptr, FALSE); // the focus mark comes or goes
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd(), &ps);
        paint(dc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    default:
        return Control::handle(message, wParam, lParam);
    }
}

} // namespace tervanel::win32
