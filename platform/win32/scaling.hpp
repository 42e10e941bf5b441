#pragma once

// Twips and points to device pixels at a screen's dots per inch. Kept free of Windows
// headers so that its rules can be checked on any machine.

namespace tervanel::win32 {

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

struct PixelRect {
    int x, y, width, height;
    constexpr bool operator==(const PixelRect &) const = default;
};

// A rectangle in twips to pixels. Each edge is rounded on its own, so that controls that
// touch or overlap in twips still touch or overlap on screen, at every scale.
constexpr PixelRect pixelRect(int left, int top, int width, int height, int dpi)
{
    const int x = pixels(left, dpi);
    const int y = pixels(top, dpi);
    return {x, y, pixels(left + width, dpi) - x, pixels(top + height, dpi) - y};
}

// A font size in points as a character height in pixels (the classic 8.25 points make
// 11 pixels at 96 dots per inch, 9.75 make 13).
constexpr int fontPixels(double points, int dpi)
{
    return static_cast<int>(points * dpi / 72.0 + 0.5);
}

} // namespace tervanel::win32
