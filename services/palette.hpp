#pragma once

#include "services/control_table.hpp"
#include "services/units.hpp"

#include <array>
#include <optional>

// The colours the windows are shown in, decided once for every platform. The designed
// colours, as the windows' tables give them, are kept wherever the system asks for
// nothing else. When it asks for more contrast, each designed colour is replaced by the
// same hue made darker until every text reaches 4.5:1 against its ground and the
// keyboard's focus mark 3:1. When it asks for its own colours (Windows' high contrast,
// a browser's forced colours), the platform's system colours take the roles below.
namespace tervanel::services::colors {

// The designed colours, by the names the windows' tables give them.
inline constexpr VbColor white{0x00FFFFFF};
inline constexpr VbColor grey{0x00808080};
inline constexpr VbColor lightCyan{0x00FFFFC0};
inline constexpr VbColor darkBlue{0x00C00000};
inline constexpr VbColor blue{0x00FF0000};
inline constexpr VbColor lavender{0x00FFC0C0};
inline constexpr VbColor darkRed{0x000000C0};
inline constexpr VbColor periwinkle{0x00FF8080};
inline constexpr VbColor lightYellow{0x0080FFFF};
inline constexpr VbColor paleYellow{0x00C0FFFF};
inline constexpr VbColor red{0x000000FF};

} // namespace tervanel::services::colors

namespace tervanel::services::palette {

enum class Scheme {
    Designed,     // the windows as designed
    MoreContrast, // the designed hues at 4.5:1
    System,       // the system's own colours, by role
};

struct Replacement {
    VbColor designed;
    VbColor moreContrast;
};

// The designed colours that fall short somewhere, each with its darker self; a colour
// not listed here is kept. Hue and saturation stay, only the lightness goes down.
inline constexpr std::array kMoreContrast{
    Replacement{colors::grey, VbColor{0x006C6C6C}},       // #6C6C6C
    Replacement{colors::darkRed, VbColor{0x000000A6}},    // #A60000
    Replacement{colors::periwinkle, VbColor{0x00FF5757}}, // #5757FF
    Replacement{colors::red, VbColor{0x000000EB}},        // #EB0000, the verdict highlight
};

// The ground of a window without a background of its own: the platform's standard
// dialog colour as designed (none here), white with more contrast.
inline constexpr VbColor kMoreContrastGround = colors::white;

// A designed colour as shown in the scheme. The system scheme keeps the value: the
// platform shows its own colours by role instead.
[[nodiscard]] constexpr VbColor shown(VbColor designed, Scheme scheme)
{
    if (scheme == Scheme::MoreContrast)
        for (const Replacement &r : kMoreContrast)
            if (r.designed == designed)
                return r.moreContrast;
    return designed;
}

// The ground of a window (or control) that has none of its own: none means the platform's
// standard dialog colour.
[[nodiscard]] constexpr std::optional<VbColor> ground(std::optional<VbColor> designed,
                                                      Scheme scheme)
{
    if (designed)
        return shown(*designed, scheme);
    if (scheme == Scheme::MoreContrast)
        return kMoreContrastGround;
    return std::nullopt;
}

// The system colours a platform shows in the system scheme, by role. Every label's text
// and ground are the window's text and ground (a verdict's highlight too: it stays bold),
// the push buttons the system's buttons, and the focus mark the selection colour.
enum class SystemColor { WindowText, Window, ButtonText, ButtonFace, Highlight };
struct SystemColors {
    SystemColor fore, back;
};
[[nodiscard]] constexpr SystemColors systemColorsOf(ControlKind kind)
{
    if (kind == ControlKind::PushButton)
        return {SystemColor::ButtonText, SystemColor::ButtonFace};
    return {SystemColor::WindowText, SystemColor::Window};
}
inline constexpr SystemColor kSystemFocusMark = SystemColor::Highlight;

// WCAG 2's relative luminance of a colour (0 black, 1 white), and the contrast ratio of
// two colours (1 to 21).
[[nodiscard]] double luminance(VbColor color);
[[nodiscard]] double contrastRatio(VbColor a, VbColor b);

// The least contrast ratio each thing must reach against its ground with more contrast.
inline constexpr double kTextContrast = 4.5;
inline constexpr double kFocusMarkContrast = 3.0;

} // namespace tervanel::services::palette
