#pragma once

#include <string>

namespace tervanel::app {

// The display servers the program can put its windows on, in the order it prefers them.
enum class DisplayServer { X11, Wayland, None };

// Which server is there to take the windows. X11 comes first, XWayland included: there
// the windows are placed where the program puts them, which a Wayland compositor does
// not allow. `x11Display` is the display to try (from -display or DISPLAY).
[[nodiscard]] DisplayServer reachableDisplayServer(const std::string &x11Display);

// Prepares the environment that QApplication reads, before it is created:
// - the desktop's platform theme stays out (the program draws its own look, and a
//   theme such as GTK's costs start-up time and memory and changes the message boxes);
// - unless the user chose a platform (QT_QPA_PLATFORM or -platform), the one for the
//   server found, X11 before Wayland.
// Returns false when no display server can be reached: the caller reports it and ends.
[[nodiscard]] bool prepareDisplay(bool platformGiven, const std::string &x11Display);

// The one line printed when there is no display to open the windows on, and the one
// printed when the platform asked for cannot be started.
[[nodiscard]] const char *noDisplayMessage();
[[nodiscard]] const char *platformFailureMessage();

} // namespace tervanel::app
