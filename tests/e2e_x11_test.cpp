// The real program on a real X server (Xvfb), driven by real X input and watched as
// a person would: which windows appear, where, how big, what colour, what they ring.

#include "tests/support/x11_session.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <utility>

namespace tervanel::test {
namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// Points of the questionnaire, in pixels from its top-left corner (frame at 0, 0).
struct Point {
    int x, y;
};
constexpr Point question(int n)
{
    return {40, 40 + 24 * (n - 1) + 10};
}
constexpr Rgb kDialogGrey{0xD4, 0xD0, 0xC8};
constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
constexpr Rgb kRed{0xFF, 0x00, 0x00};
constexpr Rgb kLavender{0xC0, 0xC0, 0xFF};
constexpr Rgb kPeriwinkle{0x80, 0x80, 0xFF};
constexpr Point kResponso{480 + 72, 456 + 12};
constexpr Point kFine{632 + 28, 456 + 12};
constexpr Point kDorvik{636 + 30, 488 + 8};
constexpr Point kEldrano{480 + 108, 16 + 8};

// Rectangles of the questionnaire's result controls, in pixels.
struct Rect {
    int x, y, width, height;
};
constexpr Rect kHeadingVenous{8, 352, 187, 16}; // Responso, less the row it shares
constexpr Rect kHeadingLocomotor{8, 369, 187, 15};
constexpr Rect kHeadingMixed{8, 385, 187, 16};
constexpr Rect kScoreVenous{208, 352, 113, 16};
constexpr Rect kExplanationVenous{480, 40, 217, 209};
constexpr Rect kExplanationArterial{480, 256, 217, 105};
constexpr Rect kExplanationLocomotor{480, 368, 217, 81};
constexpr Rect kBanner{33, 406, 400, 100};

bool contains(const QImage &image, Rgb colour)
{
    const QRgb wanted = qRgb(colour.red, colour.green, colour.blue);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == wanted)
                return true;
    return false;
}

bool allOf(const QImage &image, Rgb colour)
{
    const QRgb wanted = qRgb(colour.red, colour.green, colour.blue);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != wanted)
                return false;
    return true;
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.startProgram(TERVANEL_PROGRAM);
        ASSERT_TRUE(waitFor([&] { return windowsOfSize(467, 286) == 1; }))
            << "the introduction did not appear";
        // Drawn: the strip below the frame shows the dialog background.
        const TopLevel splash = session.mappedTopLevels().at(0);
        ASSERT_TRUE(waitFor([&] { return session.pixel(splash.x + 200, splash.y + 284) == kDialogGrey; }))
            << session.pixel(splash.x + 200, splash.y + 284);
        ASSERT_TRUE(waitFor([&] { return session.focusedTopLevel() == splash.id; })) << "no keyboard focus";
    }

    int windowsOfSize(int width, int height) const
    {
        const auto windows = session.mappedTopLevels();
        return static_cast<int>(std::count_if(windows.begin(), windows.end(), [&](const TopLevel &w) {
            return w.width == width && w.height == height;
        }));
    }

    // Dismisses the introduction with a key and waits for the questionnaire.
    TopLevel dismissIntroduction(const char *keysym = "a")
    {
        session.key(keysym);
        TopLevel form{};
        EXPECT_TRUE(waitFor([&] {
            const auto windows = session.mappedTopLevels();
            if (windows.size() != 1 || windows[0].width != 701)
                return false;
            form = windows[0];
            return true;
        })) << "the questionnaire did not replace the introduction";
        // Wait for it to be drawn: the first question's light cyan.
        EXPECT_TRUE(waitFor([&] { return session.pixel(question(1).x + 400, question(1).y) == Rgb{0xC0, 0xFF, 0xFF}; }));
        return form;
    }

    void expectEndsCleanly()
    {
        const std::optional<int> status = session.waitForExit();
        ASSERT_TRUE(status.has_value()) << "the program did not end";
        EXPECT_EQ(*status, 0);
        EXPECT_EQ(session.programOutput(), "") << "the program printed something";
    }

    [[nodiscard]] QImage grab(Rect r) const { return session.grab(r.x, r.y, r.width, r.height); }

    // The rectangle once it has stopped changing (the window may still be drawing
    // its focus or activation): two looks 50 ms apart that agree.
    [[nodiscard]] QImage settled(Rect r) const
    {
        QImage last = grab(r);
        EXPECT_TRUE(waitFor([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            QImage now = grab(r);
            return std::exchange(last, now) == now;
        }));
        return last;
    }

    // A highlighted heading: red text on white.
    [[nodiscard]] bool highlighted(Rect r) const
    {
        const QImage image = grab(r);
        return contains(image, kRed) && image.pixel(r.width - 2, r.height / 2) == qRgb(255, 255, 255);
    }
    // Hidden controls show the white window behind them.
    [[nodiscard]] bool blank(Rect r) const { return allOf(grab(r), kWhite); }

    // Waits for a box with this title to come up and take the keyboard.
    [[nodiscard]] bool boxUp(const std::string &title) const
    {
        return waitFor([&] {
            const auto box = windowTitled(title);
            return box && session.focusedTopLevel() == box->id;
        });
    }

    [[nodiscard]] std::optional<TopLevel> windowTitled(const std::string &title) const
    {
        for (const TopLevel &w : session.mappedTopLevels())
            if (w.title == title)
                return w;
        return std::nullopt;
    }

    void answer(std::initializer_list<int> yes)
    {
        for (int n : yes) {
            const Point q = question(n);
            const QImage before = session.grab(8, q.y - 10, 467, 20);
            session.click(q.x, q.y);
            ASSERT_TRUE(waitFor([&] { return session.grab(8, q.y - 10, 467, 20) != before; }));
        }
    }

    X11Session session{kScreenWidth, kScreenHeight};
};

TEST_F(EndToEnd, IntroductionFirstThenQuestionnaireThenFine)
{
    // Only the introduction is on screen, centred; the questionnaire was never mapped.
    const auto first = session.mappedTopLevels();
    ASSERT_EQ(first.size(), 1U);
    EXPECT_NEAR(first[0].x, (kScreenWidth - 467) / 2, 1);
    EXPECT_NEAR(first[0].y, (kScreenHeight - 286) / 2, 1);
    EXPECT_EQ(session.everMapped().size(), 1U);

    const TopLevel form = dismissIntroduction();
    EXPECT_EQ(form.x, 0);
    EXPECT_EQ(form.y, 0);
    EXPECT_EQ(form.height, 513);
    EXPECT_EQ(form.title, "Tervanel by www.dorvik.example");
    EXPECT_EQ(session.everMapped().size(), 2U) << "each window was mapped once";

    session.click(kFine.x, kFine.y);
    expectEndsCleanly();
}

TEST_F(EndToEnd, RealClicksAnswerAndDoubleClicksTakeBack)
{
    dismissIntroduction("space");
    const Point q = question(4);
    const auto text = [&] { return session.grab(8, q.y - 10, 467, 20); };
    const QImage regular = text();

    session.click(q.x, q.y);
    ASSERT_TRUE(waitFor([&] { return text() != regular; })) << "a click did not turn the question bold";
    const QImage bold = text();

    session.click(q.x, q.y); // already answered: stays bold
    session.doubleClick(q.x, q.y);
    ASSERT_TRUE(waitFor([&] { return text() == regular; })) << "a double-click did not take it back";

    session.doubleClick(q.x, q.y); // a double-click on an unanswered question leaves it
    session.click(q.x, q.y);
    ASSERT_TRUE(waitFor([&] { return text() == bold; }));

    session.click(kFine.x, kFine.y);
    expectEndsCleanly();
}

TEST_F(EndToEnd, KeysWithoutCharactersAndTheCreditLeaveTheIntroduction)
{
    const TopLevel splash = session.mappedTopLevels().at(0);
    for (const char *silent : {"Left", "F5", "Shift_L", "Control_L"})
        session.key(silent);
    session.click(splash.x + 413 + 25, splash.y + 263 + 8); // " by Dorvik": no handler

    // A barrier: holding the button down on OK makes it draw pressed, which proves the
    // program has handled every event sent before. Releasing it elsewhere is no click.
    const Rect ok{splash.x + 287, splash.y + 252, 71, 22};
    const QImage up = settled(ok);
    session.mouseDown(ok.x + 35, ok.y + 11);
    ASSERT_TRUE(waitFor([&] { return grab(ok) != up; }));
    session.mouseUp(splash.x + 100, splash.y + 2);
    ASSERT_TRUE(waitFor([&] { return grab(ok) == up; }));

    const auto windows = session.mappedTopLevels();
    ASSERT_EQ(windows.size(), 1U);
    EXPECT_EQ(windows[0].id, splash.id) << "the introduction must still be the only window";

    dismissIntroduction("Return");
    session.click(kFine.x, kFine.y);
    expectEndsCleanly();
}

TEST_F(EndToEnd, PressWithoutAnswersRemindsAndRingsOnce)
{
    dismissIntroduction();
    session.click(kResponso.x, kResponso.y);
    ASSERT_TRUE(waitFor([&] { return highlighted(kHeadingLocomotor); })) << "no reminder";
    ASSERT_TRUE(waitFor([&] { return session.bells() >= 1; })) << "no bell";
    EXPECT_TRUE(blank(kScoreVenous));
    EXPECT_TRUE(blank(kBanner));
    EXPECT_TRUE(blank(kExplanationVenous));
    EXPECT_TRUE(blank(kHeadingVenous));

    answer({7}); // a later event, handled: any second bell would have rung by now
    EXPECT_EQ(session.bells(), 1);
    session.click(kFine.x, kFine.y);
    expectEndsCleanly();
}

TEST_F(EndToEnd, VenousThenArterialVerdictsInTheirColours)
{
    dismissIntroduction();
    answer({1, 5});
    session.click(kResponso.x, kResponso.y);
    ASSERT_TRUE(waitFor([&] { return highlighted(kHeadingVenous); })) << "no venous heading";
    EXPECT_EQ(session.pixel(kExplanationVenous.x + 200, kExplanationVenous.y + 205), kLavender);
    EXPECT_TRUE(blank(kExplanationArterial));
    EXPECT_TRUE(blank(kHeadingMixed));
    EXPECT_TRUE(contains(grab(kScoreVenous), kPeriwinkle)) << "the venous score is shown";
    EXPECT_FALSE(allOf(grab(kBanner), kWhite)) << "the banner is shown";

    // Take both back and answer three arterial questions: the arterial verdict.
    for (int n : {1, 5})
        session.doubleClick(question(n).x, question(n).y);
    answer({3, 6, 9});
    session.click(kResponso.x, kResponso.y);
    ASSERT_TRUE(waitFor([&] { return highlighted(kHeadingMixed); })) << "no arterial heading";
    EXPECT_EQ(session.pixel(kExplanationArterial.x + 200, kExplanationArterial.y + 100), kLavender);
    EXPECT_TRUE(blank(kExplanationVenous));
    EXPECT_TRUE(blank(kExplanationLocomotor));
    EXPECT_TRUE(blank(kHeadingVenous));
    EXPECT_EQ(session.bells(), 0);

    session.click(kFine.x, kFine.y);
    expectEndsCleanly();
}

TEST_F(EndToEnd, UncertainBoxBlocksTheWindowAndClosesWithEnter)
{
    dismissIntroduction();
    answer({1, 2});
    const Rect question5{8, question(5).y - 10, 467, 20};
    const QImage unanswered = settled(question5);
    session.click(kResponso.x, kResponso.y);
    ASSERT_TRUE(boxUp("Diagnosi Incerta"));
    EXPECT_TRUE(highlighted(kHeadingMixed)) << "the window behind the box is final";
    EXPECT_TRUE(blank(kHeadingLocomotor));
    EXPECT_TRUE(blank(kExplanationLocomotor));

    // While the box is up, the questionnaire takes no input.
    session.click(question(5).x, question(5).y);
    ASSERT_TRUE(boxUp("Diagnosi Incerta")) << "the box lost the keyboard";
    session.key("Return");
    ASSERT_TRUE(waitFor([&] { return !windowTitled("Diagnosi Incerta"); })) << "Enter did not close it";
    EXPECT_EQ(settled(question5), unanswered) << "a click reached the window behind the box";

    session.click(kFine.x, kFine.y);
    expectEndsCleanly();
}

TEST_F(EndToEnd, CreditBoxes)
{
    dismissIntroduction();
    for (const auto &[where, title] : {std::pair{kDorvik, "Webmaster..."},
                                       std::pair{kEldrano, "Dr. Eldrano Vescandi..."}}) {
        session.click(where.x, where.y);
        ASSERT_TRUE(boxUp(title)) << title;
        session.key("Return");
        ASSERT_TRUE(waitFor([&] { return !windowTitled(title); })) << title;
    }
    session.click(kFine.x, kFine.y);
    expectEndsCleanly();
}

} // namespace
} // namespace tervanel::test
