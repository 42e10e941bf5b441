#include "app/platform_choice.hpp"

#include <xcb/xcb.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

namespace tervanel::app {

namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

bool x11Reachable(const std::string &display, DisplayHold *hold)
{
    if (display.empty())
        return false;
    xcb_connection_t *connection = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return false;
    }
    if (hold)
        *hold = DisplayHold(connection);
    else
        xcb_disconnect(connection);
    return true;
}

// Where a Wayland client connects, as libwayland-client finds it: WAYLAND_SOCKET (an
// open connection handed over), else WAYLAND_DISPLAY ("wayland-0" when unset), an
// absolute path or a name in XDG_RUNTIME_DIR.
bool waylandReachable()
{
    if (!environment("WAYLAND_SOCKET").empty())
        return true;
    std::string name = environment("WAYLAND_DISPLAY");
    if (name.empty())
        name = "wayland-0";
    std::string path = name;
    if (name.front() != '/') {
        const std::string runtime = environment("XDG_RUNTIME_DIR");
        if (runtime.empty())
            return false;
        path = runtime + "/" + name;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool reachable =
        connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    close(fd);
    return reachable;
}

} // namespace

DisplayHold::DisplayHold(DisplayHold &&other) noexcept
    : m_connection(std::exchange(other.m_connection, nullptr))
{
}

DisplayHold &DisplayHold::operator=(DisplayHold &&other) noexcept
{
    if (this != &other) {
        if (m_connection)
            xcb_disconnect(m_connection);
        m_connection = std::exchange(other.m_connection, nullptr);
    }
    return *this;
}

DisplayHold::~DisplayHold()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

DisplayServer reachableDisplayServer(const std::string &x11Display, DisplayHold *hold)
{
    if (x11Reachable(x11Display, hold))
        return DisplayServer::X11;
    if (waylandReachable())
        return DisplayServer::Wayland;
    return DisplayServer::None;
}

std::optional<DisplayHold> prepareDisplay(bool platformGiven, const std::string &x11Display)
{
    // What Qt reads to pick the desktop's theme plugin.
    for (const char *name : {"QT_QPA_PLATFORMTHEME", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
                             "KDE_FULL_SESSION", "KDE_SESSION_VERSION", "GNOME_DESKTOP_SESSION_ID"})
        unsetenv(name);

    if (platformGiven || !environment("QT_QPA_PLATFORM").empty())
        return DisplayHold(); // the user's choice; Qt reports it if it cannot be had
    const std::string display = x11Display.empty() ? environment("DISPLAY") : x11Display;
    DisplayHold hold;
    switch (reachableDisplayServer(display, &hold)) {
    case DisplayServer::X11:
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        return hold;
    case DisplayServer::Wayland:
        setenv("QT_QPA_PLATFORM", "wayland", 1);
        return hold;
    case DisplayServer::None:
        break;
    }
    return std::nullopt;
}

const char *noDisplayMessage()
{
    return "tervanel: serve uno schermo grafico, ma non se ne raggiunge nessuno "
           "(né X11 da DISPLAY né Wayland da WAYLAND_DISPLAY)\n";
}

const char *platformFailureMessage()
{
    return "tervanel: serve uno schermo grafico, ma quello richiesto non si riesce ad aprire "
           "(vedere QT_QPA_PLATFORM, -platform e -display)\n";
}

} // namespace tervanel::app
