#pragma once

// Where the program's controls stand on screen, in pixels: what the widget tests, the
// end-to-end tests and the tour aim at and compare with.

namespace tervanel::harness {

struct Point {
    int x, y;
};

struct Rect {
    int x, y, width, height;
};

// The questionnaire's places, in pixels from its top-left corner, which stands at the
// screen's (0, 0).
namespace screen {

constexpr Point question(int n)
{
    return {40, 40 + 24 * (n - 1) + 10};
}
constexpr Rect questionRow(int n)
{
    return {8, 40 + 24 * (n - 1), 467, 20};
}
inline constexpr Point kResponso{480 + 72, 456 + 12};
inline constexpr Point kFine{632 + 28, 456 + 12};
inline constexpr Point kDorvik{636 + 30, 488 + 8};
inline constexpr Point kEldrano{480 + 108, 16 + 8};
inline constexpr Rect kQuestionnaire{0, 0, 701, 513};

// The heading rows, less the pixel row each shares with the next.
inline constexpr Rect kHeadingVenous{8, 352, 187, 16};
inline constexpr Rect kHeadingLocomotor{8, 369, 187, 15};
inline constexpr Rect kHeadingMixed{8, 385, 187, 16};
inline constexpr Rect kScoreVenous{208, 352, 113, 16};
inline constexpr Rect kExplanationVenous{480, 40, 217, 209};
inline constexpr Rect kExplanationArterial{480, 256, 217, 105};
inline constexpr Rect kExplanationLocomotor{480, 368, 217, 81};
inline constexpr Rect kBanner{33, 406, 400, 100};
} // namespace screen

} // namespace tervanel::harness
