#pragma once

// The program as a person sees it on the X server: where its controls are, what
// their colours mean, and the waits that tell when it has reacted to input.

#include "tests/support/screen_geometry.hpp"
#include "tests/support/x11_session.hpp"

#include <QImage>

#include <optional>
#include <string>

namespace tervanel::test {

// The questionnaire's colours as they reach the screen.
namespace screen {

inline constexpr Rgb kDialogGrey{0xD4, 0xD0, 0xC8};
inline constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
inline constexpr Rgb kRed{0xFF, 0x00, 0x00};
inline constexpr Rgb kLightCyan{0xC0, 0xFF, 0xFF};
inline constexpr Rgb kLavender{0xC0, 0xC0, 0xFF};
inline constexpr Rgb kPeriwinkle{0x80, 0x80, 0xFF};

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
