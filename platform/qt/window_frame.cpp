#include "platform/qt/window_frame.hpp"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace tervanel::qt {

namespace {

// The Motif window manager hints: which fields are given, then functions, decorations,
// input mode and status.
constexpr std::uint32_t kHintsDecorations = 1U << 1;
constexpr std::uint32_t kDecorBorder = 1U << 1;

void askX11ForBorderOnly(QWidget &window)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t *connection = x11->connection();
    constexpr std::string_view name = "_MOTIF_WM_HINTS";
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data());
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (!reply)
        return;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    const std::array<std::uint32_t, 5> hints{kHintsDecorations, 0, kDecorBorder, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), atom, atom, 32,
                        static_cast<std::uint32_t>(hints.size()), hints.data());
}

} // namespace

void useBorderWithoutTitle(QWidget &window)
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        window.winId(); // the X window must exist to carry the hints; Qt sets its own at creation
        askX11ForBorderOnly(window);
    } else if (platform.startsWith(QLatin1String("wayland"))) {
        window.setWindowFlag(Qt::FramelessWindowHint);
    }
}

} // namespace tervanel::qt
