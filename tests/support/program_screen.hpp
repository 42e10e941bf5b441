#pragma once

// The program as a person sees it on the X server: where its controls are, what
// their colours mean, and the waits that tell when it has reacted to input.

#include "tests/support/x11_session.hpp"

#include <QImage>

#include <optional>
#include <string>

namespace tervanel::test {

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

inline constexpr Rgb kDialogGrey{0xD4, 0xD0, 0xC8};
inline constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
inline constexpr Rgb kRed{0xFF, 0x00, 0x00};
inline constexpr Rgb kLightCyan{0xC0, 0xFF, 0xFF};
inline constexpr Rgb kLavender{0xC0, 0xC0, 0xFF};
inline constexpr Rgb kPeriwinkle{0x80, 0x80, 0xFF};

// Where the client area of a window made at the screen's corner shows, with no window
// manager: the Linux build's window stands at the corner itself; Wine puts the client area
// where a classic Windows frame (3 px border, 19 px title bar) would hold it, and draws no
// frame around it.
inline constexpr Point kLinuxClientOrigin{0, 0};
inline constexpr Point kWineClientOrigin{3, 22};

} // namespace screen

[[nodiscard]] bool contains(const QImage &image, Rgb colour);
[[nodiscard]] bool allOf(const QImage &image, Rgb colour);

class ProgramScreen final {
public:
    explicit ProgramScreen(X11Session &session)
        : m_session(session)
    {
    }

    // Waits for the introduction: the only window, drawn, holding the keyboard.
    [[nodiscard]] std::optional<TopLevel> waitForIntroduction() const;
    // Presses a key and waits for the questionnaire, alone and drawn.
    [[nodiscard]] std::optional<TopLevel> dismissIntroduction(const char *keysym) const;

    // Click (answer) or double-click (take back) a question and wait until it shows.
    [[nodiscard]] bool answer(int question) const;
    [[nodiscard]] bool takeBack(int question) const;

    [[nodiscard]] QImage grab(Rect r) const { return m_session.grab(r.x, r.y, r.width, r.height); }
    // The rectangle once it has stopped changing: two looks 50 ms apart that agree.
    [[nodiscard]] QImage settled(Rect r) const;
    // A highlighted heading: red text on white.
    [[nodiscard]] bool highlighted(Rect r) const;
    // Hidden controls show the white window behind them.
    [[nodiscard]] bool blank(Rect r) const { return allOf(grab(r), screen::kWhite); }

    [[nodiscard]] std::optional<TopLevel> windowTitled(const std::string &title) const;
    // Waits for a box with this title to be up and to hold the keyboard.
    [[nodiscard]] bool boxUp(const std::string &title) const;
    [[nodiscard]] bool boxGone(const std::string &title) const;

private:
    X11Session &m_session;
};

} // namespace tervanel::test
