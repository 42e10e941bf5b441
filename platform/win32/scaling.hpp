#pragma once

#include "services/units.hpp"

// Twips and layout pixels to device pixels on a screen of some dots per inch: Windows
// leaves the scaling of the layouts to the program.
namespace tervanel::win32 {

inline constexpr int kTwipsPerInch = 1440;

// Twips to pixels, rounded to the nearest pixel (halves up).
constexpr int pixels(int twips, int dpi)
{
    return (2 * twips * dpi + kTwipsPerInch) / (2 * kTwipsPerInch);
}

// A length in pixels at 96 dots per inch, scaled to a screen's, rounded to the nearest.
constexpr int scaledPixels(int basePixels, int dpi)
{
    return (2 * basePixels * dpi + services::kBaseDpi) / (2 * services::kBaseDpi);
}

// A control's rectangle in layout pixels (as at 96 dots per inch) on a screen of `dpi`.
// Each edge is scaled on its own, so that controls that touch or overlap at 96 dots per
// inch still touch or overlap on screen, at every scale.
constexpr services::PixelRect scaledRect(const services::PixelRect &base, int dpi)
{
    const int x = scaledPixels(base.x, dpi);
    const int y = scaledPixels(base.y, dpi);
    return {x, y, scaledPixels(base.x + base.width, dpi) - x,
            scaledPixels(base.y + base.height, dpi) - y};
}

} // namespace tervanel::win32
