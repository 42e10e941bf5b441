#include "platform/win32/colors.hpp"

namespace tervanel::win32 {

namespace {

using services::palette::Scheme;
using services::palette::SystemColor;

HighContrastQuery g_query = nullptr;
std::optional<Scheme> g_scheme;

Scheme askScheme()
{
    const bool on = g_query ? g_query() : systemHighContrast();
    return on ? Scheme::System : Scheme::Designed;
}

int indexOf(SystemColor role)
{
    switch (role) {
    case SystemColor::WindowText:
        return COLOR_WINDOWTEXT;
    case SystemColor::Window:
        return COLOR_WINDOW;
    case SystemColor::ButtonText:
        return COLOR_BTNTEXT;
    case SystemColor::ButtonFace:
        return COLOR_BTNFACE;
    case SystemColor::Highlight:
        break;
    }
    return COLOR_HIGHLIGHT;
}

bool systemScheme()
{
    return currentScheme() == Scheme::System;
}

} // namespace

bool systemHighContrast()
{
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0)
           && (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

HighContrastQuery answerHighContrastWith(HighContrastQuery query)
{
    const HighContrastQuery before = g_query;
    g_query = query;
    return before;
}

Scheme currentScheme()
{
    if (!g_scheme)
        g_scheme = askScheme();
    return *g_scheme;
}

bool refreshScheme()
{
    const std::optional<Scheme> before = g_scheme;
    g_scheme = askScheme();
    return g_scheme != before;
}

COLORREF systemColor(SystemColor role)
{
    return GetSysColor(indexOf(role));
}

ShownColors shownColors(services::ControlKind kind, std::optional<COLORREF> fore,
                        std::optional<COLORREF> back)
{
    if (systemScheme()) {
        const services::palette::SystemColors roles = services::palette::systemColorsOf(kind);
        return {systemColor(roles.fore), systemColor(roles.back)};
    }
    return {fore.value_or(GetSysColor(COLOR_BTNTEXT)), back.value_or(GetSysColor(COLOR_BTNFACE))};
}

COLORREF shownGround(std::optional<COLORREF> designed)
{
    // Under high contrast the window lies in the same colour as the labels on it.
    if (systemScheme())
        return systemColor(SystemColor::Window);
    return designed.value_or(GetSysColor(COLOR_BTNFACE));
}

HBRUSH groundBrush(std::optional<COLORREF> designed, HBRUSH own)
{
    // The system's brushes follow its colours as they change: asked for each time.
    if (systemScheme())
        return GetSysColorBrush(indexOf(SystemColor::Window));
    return designed ? own : GetSysColorBrush(COLOR_BTNFACE);
}

void drawFocusMark(HDC dc, const RECT &r)
{
    if (systemScheme()) {
        const HBRUSH mark = CreateSolidBrush(systemColor(services::palette::kSystemFocusMark));
        FrameRect(dc, &r, mark);
        DeleteObject(mark);
        return;
    }
    // The dots invert what lies beneath them, whatever the colours.
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &r);
}

} // namespace tervanel::win32
