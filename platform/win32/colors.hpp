#pragma once

#include "services/control_table.hpp"
#include "services/palette.hpp"

#include <windows.h>

#include <optional>

// The colours the windows are painted in: their own, as the forms set them, or, under
// Windows' high contrast, the system's colours by role (services/palette.hpp), as the
// system's own dialogs show them. The forms' colours are kept either way, so that
// leaving high contrast shows them again.
namespace tervanel::win32 {

// Whether high contrast is on: the system's answer (SPI_GETHIGHCONTRAST), unless another
// answers in its place (the tests: Wine always says off).
using HighContrastQuery = bool (*)();
[[nodiscard]] bool systemHighContrast();
// Who answers from now on (null: the system again); returns who answered before.
HighContrastQuery answerHighContrastWith(HighContrastQuery query);

// The scheme the windows are shown in: asked on first use, and again by refreshScheme()
// when the system says its settings or colours changed. Returns whether it changed.
[[nodiscard]] services::palette::Scheme currentScheme();
bool refreshScheme();

// A system colour by its role.
[[nodiscard]] COLORREF systemColor(services::palette::SystemColor role);

// What a control is painted in now, from its own colours (none: the system's dialog
// colours).
struct ShownColors {
    COLORREF fore, back;
};
[[nodiscard]] ShownColors shownColors(services::ControlKind kind, std::optional<COLORREF> fore,
                                      std::optional<COLORREF> back);
// The ground of a window (none: the system's dialog colour), and a brush of it that the
// caller does not delete: the window's own, or the system's.
[[nodiscard]] COLORREF shownGround(std::optional<COLORREF> designed);
[[nodiscard]] HBRUSH groundBrush(std::optional<COLORREF> designed, HBRUSH own);

// Draws the keyboard's focus mark inside `r`: the system's dotted rectangle, or under high
// contrast a line in the selection colour.
void drawFocusMark(HDC dc, const RECT &r);

} // namespace tervanel::win32
