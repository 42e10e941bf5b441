#pragma once

#include "services/palette.hpp"
#include "services/units.hpp"

#include <QColor>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tervanel::qt {

// The colours the windows are shown in: with more contrast when the desktop's theme is a
// high-contrast one, as designed otherwise. Read from the display once, when first asked
// (as the first window is made), without loading the desktop's theme.
[[nodiscard]] services::palette::Scheme colorScheme();

// A designed colour as the scheme shows it.
[[nodiscard]] QColor shownColor(services::VbColor designed);

// The desktop's theme name as X settings (XSETTINGS) publish it: the string setting
// "Net/ThemeName" of the settings property's bytes. None when the bytes hold no such
// setting or are damaged.
[[nodiscard]] std::optional<std::string> themeNameOf(std::span<const std::byte> settings);

// Whether a theme name is one of the high-contrast themes GNOME switches to.
[[nodiscard]] bool isHighContrastTheme(std::string_view themeName);

} // namespace tervanel::qt
