#pragma once

#include <optional>
#include <string>

struct xcb_connection_t;

namespace tervanel::app {

// The display servers the program can put its windows on, in the order it prefers them.
enum class DisplayServer { X11, Wayland, None };

// The connection that found an X server, held open until the toolkit has made its own.
// An X server that loses its last client resets itself, and a client that connects while
// it resets loses its connection: closing the connection that looked would leave the
// program's own to that race on a server with no other client (a bare Xvfb, a kiosk).
class DisplayHold final {
public:
    DisplayHold() = default;
    explicit DisplayHold(xcb_connection_t *connection)
        : m_connection(connection)
    {
    }
    DisplayHold(DisplayHold &&other) noexcept;
    DisplayHold &operator=(DisplayHold &&other) noexcept;
    ~DisplayHold();

private:
    xcb_connection_t *m_connection = nullptr;
};

// Which server is there to take the windows. X11 comes first, XWayland included: there
// the windows are placed where the program puts them, which a Wayland compositor does
// not allow. `x11Display` is the display to try (from -display or DISPLAY). An X
// server found is held (above).
[[nodiscard]] DisplayServer reachableDisplayServer(const std::string &x11Display,
                                                   DisplayHold *hold = nullptr);

// Prepares the environment that QApplication reads, before it is created:
// - the desktop's platform theme stays out (the program draws its own look, and a
//   theme such as GTK's costs start-up time and memory and changes the message boxes);
// - unless the user chose a platform (QT_QPA_PLATFORM or -platform), the one for the
//   server found, X11 before Wayland.
// None when no display server can be reached: the caller reports it and ends. Otherwise
// what holds the server found, to be kept until the application has been created.
[[nodiscard]] std::optional<DisplayHold> prepareDisplay(bool platformGiven,
                                                        const std::string &x11Display);

// The one line printed when there is no display to open the windows on, and the one
// printed when the platform asked for cannot be started.
[[nodiscard]] const char *noDisplayMessage();
[[nodiscard]] const char *platformFailureMessage();

} // namespace tervanel::app
