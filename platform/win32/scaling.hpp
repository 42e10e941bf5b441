#pragma once

#include "services/units.hpp"

// Twips, layout pixels and points to device pixels on a screen of some dots per inch,
// for a platform that scales the layouts itself.
namespace tervanel::services {

// The dots per inch at which one pixel is 15 twips and the layouts read as designed.
inline constexpr int kBaseDpi = 96;
inline constexpr int kTwipsPerInch = 1440;

// Twips to pixels, rounded to the nearest pixel (halves up).
constexpr int pixels(int twips, int dpi)
{
    return (2 * twips * dpi + kTwipsPerInch) / (2 * kTwipsPerInch);
}

// A length in pixels at 96 dots per inch, scaled to a screen's, rounded to the nearest.
constexpr int scaledPixels(int basePixels, int dpi)
{
    return (2 * basePixels * dpi + kBaseDpi) / (2 * kBaseDpi);
}

// A control's rectangle in layout pixels (as at 96 dots per inch) on a screen of `dpi`.
// Each edge is scaled on its own, so that controls that touch or overlap at 96 dots per
// inch still touch or overlap on screen, at every scale.
constexpr PixelRect scaledRect(const PixelRect &base, int dpi)
{
    const int x = scaledPixels(base.x, dpi);
    const int y = scaledPixels(base.y, dpi);
    return {x, y, scaledPixels(base.x + base.width, dpi) - x,
            scaledPixels(base.y + base.height, dpi) - y};
}

// A font size in points as a character height in pixels (8.25 points make 11 pixels
// at 96 dots per inch, 9.75 make 13).
constexpr int fontPixels(double points, int dpi)
{
    return static_cast<int>(points * dpi / 72.0 + 0.5);
}

} // namespace tervanel::services
