#pragma once

#include <QFont>

// The program's look on Qt: the dialog face (services/fonts.hpp), built into the program,
// and the classic style.
namespace tervanel::qt {

// To be called before the application object exists: the program's text then comes
// from its built-in fonts alone, and the system's font configuration is not read at
// all (reading it costs start-up time and could only change the look). Does nothing
// where there is no fontconfig.
void useOnlyBuiltInFonts();

// Registers the built-in regular face, and the bold one, which the introduction does
// not use, before the first bold text. installLook() registers the regular face when
// the first window is exposed or the first widget painted; what measures text before
// that calls registerBuiltInFonts() itself. Safe to call more than once; each throws
// std::runtime_error when its font file is missing or damaged.
void registerBuiltInFonts();
void registerBoldFace();

// The program's look, the same on every desktop: the classic style with its own
// palette, and the built-in dialog face as the font of every window and message box
// (registered just before the first text is drawn).
void installLook();

// The dialog face at a size in points (as at 96 dots per inch) and a weight.
[[nodiscard]] QFont dialogFont(double points = 8.25, bool bold = false);

} // namespace tervanel::qt
