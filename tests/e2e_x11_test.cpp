// The real program on a real X server (Xvfb), driven by real X input and watched as
// a person would: which windows appear, where, how big, what colour, what they ring.

#include "tests/support/x11_session.hpp"

#include <gtest/gtest.h>

#include <algorithm>

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
constexpr Point kResponso{480 + 72, 456 + 12};
constexpr Point kFine{632 + 28, 456 + 12};

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
    const Point ok{splash.x + 287 + 35, splash.y + 252 + 11};
    const QImage up = session.grab(ok.x - 35, ok.y - 11, 71, 22);
    session.mouseDown(ok.x, ok.y);
    ASSERT_TRUE(waitFor([&] { return session.grab(ok.x - 35, ok.y - 11, 71, 22) != up; }));
    session.mouseUp(splash.x + 100, splash.y + 2);
    ASSERT_TRUE(waitFor([&] { return session.grab(ok.x - 35, ok.y - 11, 71, 22) == up; }));

    const auto windows = session.mappedTopLevels();
    ASSERT_EQ(windows.size(), 1U);
    EXPECT_EQ(windows[0].id, splash.id) << "the introduction must still be the only window";

    dismissIntroduction("Return");
    session.click(kFine.x, kFine.y);
    expectEndsCleanly();
}

} // namespace
} // namespace tervanel::test
