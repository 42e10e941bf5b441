#pragma once

class QWidget;

namespace tervanel::qt {

// A fixed dialog frame without a title bar, for a top-level window that has no caption
// and no title-bar boxes. On X11 the window manager is asked (through the Motif hints
// that window managers read) for a border and nothing else; managers that draw no
// border without a title draw none. On Wayland, where the program would draw the title
// bar itself with boxes the window does not have, the window goes without decoration.
// To be called before the window is first shown.
void useBorderWithoutTitle(QWidget &window);

} // namespace tervanel::qt
