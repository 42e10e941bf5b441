#include "app/platform_choice.hpp"

#include <xcb/xcb.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace tervanel::app {

namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

bool x11Reachable(const std::string &display)
{
    if (display.empty())
        return false;
    xcb_connection_t *connection = xcb_connect(display.c_str(), nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
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

DisplayServer reachableDisplayServer(const std::string &x11Display)
{
    if (x11Reachable(x11Display))
        return DisplayServer::X11;
    if (waylandReachable())
        return DisplayServer::Wayland;
    return DisplayServer::None;
}

bool prepareDisplay(bool platformGiven, const std::string &x11Display)
{
    // What Qt reads to pick the desktop's theme plugin.
    for (const char *name : {"QT_QPA_PLATFORMTHEME", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
                             "KDE_FULL_SESSION", "KDE_SESSION_VERSION", "GNOME_DESKTOP_SESSION_ID"})
        unsetenv(name);

    if (platformGiven || !environment("QT_QPA_PLATFORM").empty())
        return true; // the user's choice; Qt reports it if it cannot be had
    const std::string display = x11Display.empty() ? environment("DISPLAY") : x11Display;
    switch (reachableDisplayServer(display)) {
    case DisplayServer::X11:
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        return true;
    case DisplayServer::Wayland:
        setenv("QT_QPA_PLATFORM", "wayland", 1);
        return true;
    case DisplayServer::None:
        break;
    }
    return false;
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
