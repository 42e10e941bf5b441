#pragma once

#include <windows.h>

namespace tervanel::win32 {

// Asks for per-monitor awareness where the manifest has not already (a second request
// is refused by the system and changes nothing).
void declareDpiAwareness();

// The dots per inch of the monitor a window is on; 96 where the system cannot tell.
[[nodiscard]] int dpiOf(HWND window);

// The outer rectangle of a top-level window whose client area has this size in pixels,
// relative to the client area's top-left corner (so left and top are the frame's
// negative insets).
[[nodiscard]] RECT frameAround(int clientWidth, int clientHeight, DWORD style, DWORD exStyle,
                               int dpi);

} // namespace tervanel::win32
