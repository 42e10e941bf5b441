#pragma once

#include <cstdint>

namespace tervanel::services {

// Layouts are written in twips, 1/1440 inch: 15 twips make one device-independent pixel,
// a pixel at 96 dots per inch, where the layouts read as designed.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kBaseDpi = 96;

// Twips to pixels, rounded to the nearest pixel.
constexpr int pixels(int twips)
{
    return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel);
}

// A rectangle in device-independent pixels, relative to the parent control or the
// window's client area.
struct PixelRect {
    int x, y, width, height;

    constexpr bool operator==(const PixelRect &) const = default;
};

// A rectangle in twips to pixels. Each edge is rounded on its own, so that controls
// that touch or overlap in twips still touch or overlap on screen.
constexpr PixelRect pixelRect(int left, int top, int width, int height)
{
    const int x = pixels(left);
    const int y = pixels(top);
    return {x, y, pixels(left + width) - x, pixels(top + height) - y};
}

// A colour as the forms layer writes it: 0x00BBGGRR, red in the low byte.
struct VbColor {
    std::uint32_t value;

    [[nodiscard]] constexpr int red() const { return static_cast<int>(value & 0xFFU); }
    [[nodiscard]] constexpr int green() const { return static_cast<int>((value >> 8) & 0xFFU); }
    [[nodiscard]] constexpr int blue() const { return static_cast<int>((value >> 16) & 0xFFU); }

    constexpr bool operator==(const VbColor &) const = default;
};

} // namespace tervanel::services
