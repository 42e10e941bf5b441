#pragma once

#include <windows.h>

namespace tervanel::win32 {

// The face that stands in for the classic 8-point dialog face. It is built into the
// executable and registered for this process alone, so the look does not depend on the
// fonts the machine has.
inline constexpr const wchar_t *kDialogFace = L"Liberation Sans";

// Registers the built-in regular face. Safe to call more than once; a font resource that
// is missing or damaged is a failure (services::OperationFailed).
void registerBuiltInFonts();

// The dialog face at a size in points (as at 96 dots per inch) and a weight, for a
// screen of `dpi` dots per inch. Fonts are kept for the life of the program. The bold
// face is registered before the first bold font is made: the introduction has none, so
// the first window does without it.
[[nodiscard]] HFONT dialogFont(double points, bool bold, int dpi);

// The distance between two lines of a label in this font: the face's full height
// (ascent and descent, no leading) rounded up to whole pixels, 13 at 11 pixels.
[[nodiscard]] int linePitch(HFONT font);

} // namespace tervanel::win32
