#pragma once

#include <windows.h>

// The program's look on Windows: the dialog face (services/fonts.hpp), built into the
// executable and registered for this process alone, at the screen's scale.
namespace tervanel::win32 {

// Registers the built-in regular face. Safe to call more than once; a font resource that
// is missing or damaged is a failure (services::OperationFailed).
void registerBuiltInFonts();

// The dialog face at a size in points (as at 96 dots per inch) and a weight, for a
// screen of `dpi` dots per inch. Fonts are kept for the life of the program. The bold
// face is registered before the first bold font is made: the introduction has none, so
// the first window does without it.
[[nodiscard]] HFONT dialogFont(double points, bool bold, int dpi);

} // namespace tervanel::win32
