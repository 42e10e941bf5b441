#pragma once

#include "services/units.hpp"

#include <string_view>

// The face that stands in for the classic 8-point dialog face, and how every platform
// sizes it. It is built into the program, so the look does not depend on the fonts the
// machine has.
namespace tervanel::services {

inline constexpr std::string_view kDialogFace = "Liberation Sans";

// The face's files among the program's sources (app/resources/fonts), and the names a
// failure to load them gives on every platform.
inline constexpr std::string_view kRegularFaceFile = "LiberationSans-Regular.ttf";
inline constexpr std::string_view kBoldFaceFile = "LiberationSans-Bold.ttf";

// The face's vertical metrics in font units, the same in both weights: its em square,
// and its full height (ascent 1854 and descent 434, no leading).
inline constexpr int kFaceEm = 2048;
inline constexpr int kFaceHeight = 2288;

// A font size in points as a character height in pixels on a screen of `dpi` dots per
// inch, rounded to the nearest (8.25 points make 11 pixels at 96 dots per inch, 9.75
// make 13).
constexpr int fontPixels(double points, int dpi = kBaseDpi)
{
    return static_cast<int>(points * dpi / 72.0 + 0.5);
}

// The distance between two lines of a label in the face at this many pixels: its full
// height rounded up to whole pixels, as the classic dialog face sets its lines (13 at 11
// pixels, 15 at 13).
constexpr int linePitch(int pixels)
{
    return (kFaceHeight * pixels + kFaceEm - 1) / kFaceEm;
}

} // namespace tervanel::services
