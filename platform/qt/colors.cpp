#include "platform/qt/colors.hpp"

#include "platform/qt/convert.hpp"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include <xcb/xcb.h>

namespace tervanel::qt {

namespace {

// Reads the settings' integers in the byte order the settings say they are written in.
class SettingsReader {
public:
    explicit SettingsReader(std::span<const std::byte> bytes)
        : m_bytes(bytes)
    {
    }

    [[nodiscard]] bool has(std::size_t n) const
    {
        return m_at <= m_bytes.size() && n <= m_bytes.size() - m_at;
    }
    [[nodiscard]] std::optional<std::uint32_t> number(std::size_t size)
    {
        if (!has(size))
            return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            const std::size_t at = m_mostSignificantFirst ? m_at + i : m_at + size - 1 - i;
            value = (value << 8) | std::to_integer<std::uint32_t>(m_bytes[at]);
        }
        m_at += size;
        return value;
    }
    // A name or a string: its bytes, then padding to a multiple of four.
    [[nodiscard]] std::optional<std::string_view> text(std::size_t length)
    {
        const std::size_t padded = (length + 3) & ~std::size_t{3};
        if (!has(padded))
            return std::nullopt;
        const std::string_view text(reinterpret_cast<const char *>(m_bytes.data() + m_at), length);
        m_at += padded;
        return text;
    }
    [[nodiscard]] bool skip(std::size_t n)
    {
        if (!has(n))
            return false;
        m_at += n;
        return true;
    }
    void setMostSignificantFirst(bool msb) { m_mostSignificantFirst = msb; }

private:
    std::span<const std::byte> m_bytes;
    std::size_t m_at = 0;
    bool m_mostSignificantFirst = false;
};

enum SettingType : std::uint32_t { Integer = 0, String = 1, Color = 2 };

struct FreeReply {
    void operator()(void *reply) const { std::free(reply); }
};
template <class Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

// The settings property of the display's settings manager, if one runs: three round
// trips to the X server, a fraction of a millisecond on a local display.
std::optional<std::string> desktopThemeName()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    // The settings of screen 0, where the program's windows go (a display of several
    // X screens is a rarity of the past).
    const std::string_view selection = "_XSETTINGS_S0";
    const std::string_view property = "_XSETTINGS_SETTINGS";
    const xcb_intern_atom_cookie_t selectionCookie = xcb_intern_atom(
        connection, 1, static_cast<std::uint16_t>(selection.size()), selection.data());
    const xcb_intern_atom_cookie_t propertyCookie = xcb_intern_atom(
        connection, 1, static_cast<std::uint16_t>(property.size()), property.data());
    const ReplyPtr<xcb_intern_atom_reply_t> selectionAtom(
        xcb_intern_atom_reply(connection, selectionCookie, nullptr));
    const ReplyPtr<xcb_intern_atom_reply_t> propertyAtom(
        xcb_intern_atom_reply(connection, propertyCookie, nullptr));
    // An atom nobody interned yet means nobody serves the settings.
    if (!selectionAtom || !propertyAtom || !selectionAtom->atom || !propertyAtom->atom)
        return std::nullopt;
    const ReplyPtr<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selectionAtom->atom), nullptr));
    if (!owner || owner->owner == XCB_NONE)
        return std::nullopt;
    const ReplyPtr<xcb_get_property_reply_t> settings(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, owner->owner, propertyAtom->atom,
                                                XCB_GET_PROPERTY_TYPE_ANY, 0, 64 * 1024 / 4),
                               nullptr));
    if (!settings || settings->format != 8)
        return std::nullopt;
    const auto *bytes = static_cast<const std::byte *>(xcb_get_property_value(settings.get()));
    const auto length = static_cast<std::size_t>(xcb_get_property_value_length(settings.get()));
    return themeNameOf({bytes, length});
}

} // namespace

std::optional<std::string> themeNameOf(std::span<const std::byte> settings)
{
    SettingsReader in(settings);
    const std::optional<std::uint32_t> order = in.number(1);
    if (!order || *order > 1 || !in.skip(3))
        return std::nullopt;
    in.setMostSignificantFirst(*order == 1);
    const std::optional<std::uint32_t> serial = in.number(4);
    const std::optional<std::uint32_t> count = in.number(4);
    if (!serial || !count)
        return std::nullopt;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const std::optional<std::uint32_t> type = in.number(1);
        if (!type || !in.skip(1))
            return std::nullopt;
        const std::optional<std::uint32_t> nameLength = in.number(2);
        if (!nameLength)
            return std::nullopt;
        const std::optional<std::string_view> name = in.text(*nameLength);
        if (!name || !in.skip(4)) // the serial of the setting's last change
            return std::nullopt;
        switch (*type) {
        case Integer:
            if (!in.skip(4))
                return std::nullopt;
            break;
        case String: {
            const std::optional<std::uint32_t> valueLength = in.number(4);
            if (!valueLength)
                return std::nullopt;
            const std::optional<std::string_view> value = in.text(*valueLength);
            if (!value)
                return std::nullopt;
            if (*name == "Net/ThemeName")
                return std::string(*value);
            break;
        }
        case Color:
            if (!in.skip(8))
                return std::nullopt;
            break;
        default:
            return std::nullopt; // a type this reader does not know: the rest cannot be found
        }
    }
    return std::nullopt;
}

bool isHighContrastTheme(std::string_view themeName)
{
    return themeName == "HighContrast" || themeName == "HighContrastInverse";
}

services::palette::Scheme colorScheme()
{
    static const services::palette::Scheme scheme = [] {
        const std::optional<std::string> theme = desktopThemeName();
        return theme && isHighContrastTheme(*theme) ? services::palette::Scheme::MoreContrast
                                                    : services::palette::Scheme::Designed;
    }();
    return scheme;
}

QColor shownColor(services::VbColor designed)
{
    return toQColor(services::palette::shown(designed, colorScheme()));
}

} // namespace tervanel::qt
