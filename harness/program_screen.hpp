#pragma once

// The program as a person sees it on the X server: where its controls are, what
// their colours mean, and the waits that tell when it has reacted to input.

#include "harness/screen_geometry.hpp"
#include "harness/x11_session.hpp"

#include <QImage>

#include <optional>
#include <string>

namespace tervanel::harness {

// The questionnaire's colours as they reach the screen.
namespace screen {

inline constexpr Rgb kDialogGrey{0xD4, 0xD0, 0xC8};
inline constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
inline constexpr Rgb kRed{0xFF, 0x00, 0x00};
inline constexpr Rgb kLightCyan{0xC0, 0xFF, 0xFF};
inline constexpr Rgb kLavender{0xC0, 0xC0, 0xFF};
inline constexpr Rgb kPeriwinkle{0x80, 0x80, 0xFF};

} // namespace screen

// Where the two builds look different on a server without a window manager, as data: the
// positions above are measured from a window's client area, and these say where it stands.
// The Linux build leaves frames to a window manager, so its windows are their client areas;
// Wine draws the classic Windows frames itself (Tervanel.exe under Wine).
struct Look {
    Point formClient;   // the questionnaire's client area on the screen (its frame at the corner)
    Point splashClient; // the introduction's client area inside the window that frames it
    int formWidth, formHeight;     // the questionnaire's window, frame included
    int splashWidth, splashHeight; // the introduction's
    Rgb dialog;                    // the standard dialog background
};

inline constexpr Look kLinuxLook{{0, 0}, {0, 0}, 701, 513, 467, 286, screen::kDialogGrey};
// A 3 px border, and a title bar of 19 px above the questionnaire's client area.
inline constexpr Look kWineLook{{3, 22}, {3, 3}, 707, 538, 473, 292, {0xF5, 0xF5, 0xF5}};

[[nodiscard]] bool contains(const QImage &image, Rgb colour);
[[nodiscard]] bool allOf(const QImage &image, Rgb colour);

class ProgramScreen final {
public:
    explicit ProgramScreen(X11Session &session, const Look &look = kLinuxLook)
        : m_session(session)
        , m_look(look)
    {
    }

    [[nodiscard]] const Look &look() const { return m_look; }
    // A place of the questionnaire, given from its client area, on the screen.
    [[nodiscard]] Point onScreen(Point p) const
    {
        return {m_look.formClient.x + p.x, m_look.formClient.y + p.y};
    }
    // A place of the introduction, given from its client area, on the screen.
    [[nodiscard]] Point onScreen(const TopLevel &splash, Point p) const
    {
        return {splash.x + m_look.splashClient.x + p.x, splash.y + m_look.splashClient.y + p.y};
    }
    void click(Point p) const;
    void doubleClick(Point p) const;
    [[nodiscard]] Rgb pixel(Point p) const;

    // Waits for the introduction: the only window, drawn, holding the keyboard.
    [[nodiscard]] std::optional<TopLevel> waitForIntroduction() const;
    // Presses a key and waits for the questionnaire, alone and drawn.
    [[nodiscard]] std::optional<TopLevel> dismissIntroduction(const char *keysym) const;

    // Click (answer) or double-click (take back) a question and wait until it shows.
    [[nodiscard]] bool answer(int question) const;
    [[nodiscard]] bool takeBack(int question) const;

    // What the questionnaire shows in a rectangle given from its client area.
    [[nodiscard]] QImage grab(Rect r) const;
    // The rectangle once it has stopped changing: two looks 50 ms apart that agree. The
    // first is given from the questionnaire's client area, the second on the screen.
    [[nodiscard]] QImage settled(Rect r) const;
    [[nodiscard]] QImage settledOnScreen(Rect r) const;
    // A highlighted heading: red text on white.
    [[nodiscard]] bool highlighted(Rect r) const;
    // Hidden controls show the white window behind them.
    [[nodiscard]] bool blank(Rect r) const { return allOf(grab(r), screen::kWhite); }

    [[nodiscard]] std::optional<TopLevel> windowTitled(const std::string &title) const;
    // Waits for a box with this title to be up and to hold the keyboard; to be gone (and,
    // under Wine, its owner to have the keyboard back, if the program has a window left).
    [[nodiscard]] bool boxUp(const std::string &title) const;
    [[nodiscard]] bool boxGone(const std::string &title) const;

private:
    X11Session &m_session;
    Look m_look;
};

} // namespace tervanel::harness
