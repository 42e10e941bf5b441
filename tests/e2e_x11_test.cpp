// The real program on a real X server (Xvfb), driven by real X input and watched as
// a person would: which windows appear, where, how big, what colour, what they ring.

#include "harness/program_screen.hpp"
#include "harness/x11_session.hpp"

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <utility>

#include <signal.h>
#include <sys/wait.h>

namespace tervanel::test {
namespace {

using namespace harness;
using namespace harness::screen;

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

#ifdef TERVANEL_WINE_RUNNER
// This build of the test runs the Windows executables under Wine.
const std::optional<harness::Wine> kWine =
    harness::Wine{TERVANEL_WINE_RUNNER, TERVANEL_WINE_FOLDER};
constexpr const Look &kLook = kWineLook;
#else
const std::optional<harness::Wine> kWine;
constexpr const Look &kLook = kLinuxLook;
#endif

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.startProgram(TERVANEL_PROGRAM);
        const auto splash = view.waitForIntroduction();
        ASSERT_TRUE(splash.has_value()) << "the introduction did not come up";
        introduction = *splash;
    }

    TopLevel dismissIntroduction(const char *keysym = "a")
    {
        const auto form = view.dismissIntroduction(keysym);
        EXPECT_TRUE(form.has_value()) << "the questionnaire did not replace the introduction";
        return form.value_or(TopLevel{});
    }

    void answer(std::initializer_list<int> yes)
    {
        for (int n : yes)
            ASSERT_TRUE(view.answer(n)) << "question " << n << " did not turn bold";
    }

    void expectEndsCleanly()
    {
        const std::optional<int> status = session.waitForExit();
        ASSERT_TRUE(status.has_value()) << "the program did not end";
        EXPECT_EQ(*status, 0);
        EXPECT_EQ(session.programOutput(), "") << "the program printed something";
    }

    [[nodiscard]] QImage grab(Rect r) const { return view.grab(r); }
    [[nodiscard]] bool highlighted(Rect r) const { return view.highlighted(r); }
    [[nodiscard]] bool blank(Rect r) const { return view.blank(r); }

    X11Session session{kScreenWidth, kScreenHeight, kWine};
    ProgramScreen view{session, kLook};
    TopLevel introduction{};
};

TEST_F(EndToEnd, IntroductionFirstThenQuestionnaireThenFine)
{
    // Only the introduction is on screen, centred; the questionnaire was never mapped.
    const auto first = session.mappedTopLevels();
    ASSERT_EQ(first.size(), 1U);
    const Point client = view.onScreen(first[0], {0, 0});
    EXPECT_NEAR(client.x, (kScreenWidth - 467) / 2, 1);
    EXPECT_NEAR(client.y, (kScreenHeight - 286) / 2, 1);
    EXPECT_EQ(session.everMapped().size(), 1U);

    const TopLevel form = dismissIntroduction();
    EXPECT_EQ(form.x, 0);
    EXPECT_EQ(form.y, 0);
    EXPECT_EQ(form.height, kLook.formHeight);
    EXPECT_EQ(form.title, "Tervanel by www.dorvik.example");
    EXPECT_EQ(session.everMapped().size(), 2U) << "each window was mapped once";

    view.click(kFine);
    expectEndsCleanly();
}

TEST_F(EndToEnd, RealClicksAnswerAndDoubleClicksTakeBack)
{
    dismissIntroduction("space");
    const Point q = question(4);
    const auto text = [&] { return grab(questionRow(4)); };
    // Wine maps the window before it paints each control: the question must be drawn,
    // and stay so, before its regular look is taken.
    ASSERT_TRUE(waitFor([&] { return contains(text(), kLightCyan); }));
    const QImage regular = view.settled(questionRow(4));

    // Each gesture stands apart from the one before by more than the double-click time
    // (400 ms on Qt, 500 ms on Windows), or a press of one would pair with the last press
    // of the other into a double-click.
    const auto apart = [] { std::this_thread::sleep_for(std::chrono::milliseconds(600)); };

    view.click(q);
    ASSERT_TRUE(waitFor([&] { return text() != regular; }))
        << "a click did not turn the question bold";
    const QImage bold = text();

    apart();
    view.click(q); // already answered: stays bold
    apart();
    view.doubleClick(q);
    ASSERT_TRUE(waitFor([&] { return text() == regular; }))
        << "a double-click did not take it back";

    apart();
    view.doubleClick(q); // a double-click on an unanswered question leaves it
    apart();
    view.click(q);
    ASSERT_TRUE(waitFor([&] { return text() == bold; }));

    view.click(kFine);
    expectEndsCleanly();
}

TEST_F(EndToEnd, KeysWithoutCharactersAndTheCreditLeaveTheIntroduction)
{
    const TopLevel splash = introduction;
    for (const char *silent : {"Left", "F5", "Shift_L", "Control_L"})
        session.key(silent);
    const Point dorvik = view.onScreen(splash, {413 + 25, 263 + 8});
    session.click(dorvik.x, dorvik.y); // " by Dorvik": no handler

    // A barrier: holding the button down on OK makes it draw pressed, which proves the
    // program has handled every event sent before. Releasing it elsewhere is no click.
    const Point ok = view.onScreen(splash, {287, 252});
    const auto okButton = [&] { return session.grab(ok.x, ok.y, 71, 22); };
    QImage up = okButton();
    ASSERT_TRUE(waitFor([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return std::exchange(up, okButton()) == up;
    }));
    session.mouseDown(ok.x + 35, ok.y + 11);
    ASSERT_TRUE(waitFor([&] { return okButton() != up; }));
    const Point elsewhere = view.onScreen(splash, {100, 2});
    session.mouseUp(elsewhere.x, elsewhere.y);
    ASSERT_TRUE(waitFor([&] { return okButton() == up; }));

    const auto windows = session.mappedTopLevels();
    ASSERT_EQ(windows.size(), 1U);
    EXPECT_EQ(windows[0].id, splash.id) << "the introduction must still be the only window";

    dismissIntroduction("Return");
    view.click(kFine);
    expectEndsCleanly();
}

// The introduction has no close box and refuses to close; closing the questionnaire
// from its frame ends the program.
TEST_F(EndToEnd, ClosingTheQuestionnaireEndsTheProgram)
{
    session.closeWindow(introduction.id);
    const TopLevel form = dismissIntroduction(); // fails if the close had been taken
    EXPECT_TRUE(session.waitForExit(std::chrono::milliseconds(0)) == std::nullopt);
    session.closeWindow(form.id);
    expectEndsCleanly();
}

// Enter and keypad Enter press the focused button as Space does: Responso first (no
// answer, so one bell), then Fine after Tab.
TEST_F(EndToEnd, EnterAndKeypadEnterPressTheFocusedButton)
{
    dismissIntroduction();
    int bells = 0;
    for (const char *enter : {"Return", "KP_Enter", "space"}) {
        session.key(enter);
        ++bells;
        ASSERT_TRUE(waitFor([&] { return session.bells() >= bells; })) << enter << " did not press";
    }
    session.key("Tab");
    session.key("KP_Enter");
    expectEndsCleanly();
    EXPECT_EQ(session.bells(), bells);
}

// A question's focus mark: a dotted rectangle along (or just inside) its edge, so that
// a row of pixels at its top and one at its bottom are broken up over much of their
// length. Text never comes near that much of either.
bool focusMarked(const QImage &row)
{
    const auto broken = [&row](int y) {
        int off = 0;
        for (int x = 0; x < row.width(); ++x)
            off += row.pixelColor(x, y) != QColor(0xC0, 0xFF, 0xFF) ? 1 : 0;
        return off * 10 >= row.width() * 3;
    };
    const int h = row.height();
    return (broken(0) || broken(1) || broken(2))
           && (broken(h - 1) || broken(h - 2) || broken(h - 3));
}

// The keyboard alone: Tab reaches every question after the buttons, round; the mark
// follows the keyboard and never a click; Space answers and takes back; Enter on a
// question presses "Responso".
TEST_F(EndToEnd, TheKeyboardAloneAnswersAndPresses)
{
    dismissIntroduction();
    ASSERT_TRUE(waitFor([&] { return contains(grab(questionRow(13)), kLightCyan); }));
    std::vector<QImage> regular;
    for (int n = 1; n <= 13; ++n)
        regular.push_back(view.settled(questionRow(n)));
    // The text inside the mark: bold differs from regular there.
    const auto inner = [](Rect r) { return Rect{r.x + 3, r.y + 3, r.width - 6, r.height - 6}; };
    const auto answered = [&](int n) {
        const Rect r = questionRow(n);
        return view.grab(inner(r))
               != regular[static_cast<std::size_t>(n - 1)].copy(3, 3, r.width - 6, r.height - 6);
    };

    struct Step {
        const char *key; // or a click on a question
        int click;
        int marked; // the question with the mark, if any
        std::set<int> yes;
        int bells;
    };
    const Step steps[] = {
        {"Tab", 0, 0, {}, 0},    // from "Responso" to "Fine"
        {"Tab", 0, 1, {}, 0},    // round to the first question
        {"space", 0, 1, {1}, 0}, // answers it
        {"space", 0, 1, {}, 0},  // and takes it back
        {"Return", 0, 1, {}, 1}, // presses "Responso": no answer, a beep
        {nullptr, 3, 1, {3}, 1}, // a click answers, and leaves the focus where it was
        {"Tab", 0, 2, {3}, 1},   // on to the second
        {"space", 0, 2, {2, 3}, 1},
        {"KP_Enter", 0, 2, {2, 3}, 1}, // "Responso" again: a verdict this time
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const Step &step = steps[i];
        SCOPED_TRACE(testing::Message() << "step " << i);
        if (step.key)
            session.key(step.key);
        else
            view.click(question(step.click));
        const auto matches = [&] {
            if (session.bells() != step.bells)
                return false;
            for (int n = 1; n <= 13; ++n)
                if (answered(n) != step.yes.contains(n)
                    || focusMarked(grab(questionRow(n))) != (n == step.marked))
                    return false;
            return true;
        };
        ASSERT_TRUE(waitFor(matches));
        // Nothing more comes a moment later (a second beep, a late mark).
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ASSERT_TRUE(matches());
    }
    EXPECT_TRUE(waitFor([&] { return !blank(kScoreVenous); })) << "Enter did not press Responso";
    view.click(kFine);
    expectEndsCleanly();
}

#ifdef TERVANEL_WINE_RUNNER
// The libraries of a process as its memory map names them: Wine's DLLs and drivers.
std::set<std::string> mappedDlls(pid_t process)
{
    std::ifstream maps("/proc/" + std::to_string(process) + "/maps");
    std::set<std::string> dlls;
    for (std::string line; std::getline(maps, line);) {
        const std::string name = line.substr(line.rfind('/') + 1);
        if (name.ends_with(".dll") || name.ends_with(".drv"))
            dlls.insert(name);
    }
    return dlls;
}

// What only a later moment needs is loaded at that moment: while the introduction is
// the only window, none of the libraries for the pictures through COM, the tool tip and
// its common controls, screen readers, or a cryptographic provider is in the process.
TEST_F(EndToEnd, TheFirstWindowLoadsNoLibraryThatOnlyALaterMomentNeeds)
{
    const std::set<std::string> loaded = mappedDlls(session.programProcess());
    ASSERT_TRUE(loaded.contains("user32.dll")) << "no libraries read from the process";
    for (const char *later :
         {"oleaut32.dll", "windowscodecs.dll", "propsys.dll", "shcore.dll", "shlwapi.dll",
          "comctl32.dll", "msimg32.dll", "oleacc.dll", "bcrypt.dll", "crypt32.dll", "rsaenh.dll"})
        EXPECT_FALSE(loaded.contains(later)) << later << " is loaded at the first window";
    std::string list;
    for (const std::string &dll : loaded)
        list += dll + ' ';
    RecordProperty("loaded", list);
}
#endif

#ifndef TERVANEL_WINE_RUNNER // what the Linux build tells a window manager

// Every window carries the program's own icon, and the introduction asks the window
// manager for a border without a title bar.

TEST_F(EndToEnd, WindowsCarryTheIconAndTheIntroductionOnlyABorder)
{
    QImage expected(
        QStringLiteral(TERVANEL_SOURCE_DIR "/app/icons/hicolor/48x48/apps/tervanel.png"));
    ASSERT_FALSE(expected.isNull());
    // Compared premultiplied: what a fully transparent pixel holds besides is no matter.
    expected = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // _NET_WM_ICON: width, height and ARGB pixels, one picture after the other.
    const auto icon48 = [&](XID window) {
        const std::vector<unsigned long> icon = session.property(window, "_NET_WM_ICON");
        for (std::size_t at = 0; at + 2 <= icon.size(); at += 2 + icon[at] * icon[at + 1]) {
            if (icon[at] != 48 || icon[at + 1] != 48 || at + 2 + 48 * 48 > icon.size())
                continue;
            QImage picture(48, 48, QImage::Format_ARGB32);
            for (int i = 0; i < 48 * 48; ++i)
                picture.setPixel(i % 48, i / 48,
                                 static_cast<QRgb>(icon[at + 2 + static_cast<std::size_t>(i)]));
            return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
        return QImage();
    };
    const std::vector<unsigned long> borderOnly{0x2, 0x0, 0x2, 0x0, 0x0};

    EXPECT_EQ(session.property(introduction.id, "_MOTIF_WM_HINTS"), borderOnly);
    EXPECT_EQ(icon48(introduction.id), expected) << "the introduction";
    const TopLevel form = dismissIntroduction();
    EXPECT_NE(session.property(form.id, "_MOTIF_WM_HINTS"), borderOnly) << "it has a title";
    EXPECT_EQ(icon48(form.id), expected) << "the questionnaire";
    view.click(kDorvik);
    ASSERT_TRUE(view.boxUp("Webmaster..."));
    for (const TopLevel &window : session.mappedTopLevels())
        if (window.title == "Webmaster...") {
            EXPECT_EQ(icon48(window.id), expected) << "the credit box";
        }
    session.key("Return");
    ASSERT_TRUE(view.boxGone("Webmaster..."));
    view.click(kFine);
    expectEndsCleanly();
}

#endif

TEST_F(EndToEnd, PressWithoutAnswersRemindsAndRingsOnce)
{
    dismissIntroduction();
    view.click(kResponso);
    ASSERT_TRUE(waitFor([&] { return highlighted(kHeadingLocomotor); })) << "no reminder";
    ASSERT_TRUE(waitFor([&] { return session.bells() >= 1; })) << "no bell";
    EXPECT_TRUE(blank(kScoreVenous));
    EXPECT_TRUE(blank(kBanner));
    EXPECT_TRUE(blank(kExplanationVenous));
    EXPECT_TRUE(blank(kHeadingVenous));

    answer({7}); // a later event, handled: any second bell would have rung by now
    EXPECT_EQ(session.bells(), 1);
    view.click(kFine);
    expectEndsCleanly();
}

TEST_F(EndToEnd, VenousThenArterialVerdictsInTheirColours)
{
    dismissIntroduction();
    answer({1, 5});
    view.click(kResponso);
    ASSERT_TRUE(waitFor([&] { return highlighted(kHeadingVenous); })) << "no venous heading";
    // Each label reaches the screen on its own paint: wait for the one looked at.
    EXPECT_TRUE(waitFor([&] {
        return view.pixel({kExplanationVenous.x + 200, kExplanationVenous.y + 205}) == kLavender;
    })) << "the venous explanation is shown";
    EXPECT_TRUE(blank(kExplanationArterial));
    EXPECT_TRUE(blank(kHeadingMixed));
    EXPECT_TRUE(waitFor([&] { return contains(grab(kScoreVenous), kPeriwinkle); }))
        << "the venous score is shown";
    // The banner is decoded when it is first shown, and may reach the screen a little later.
    EXPECT_TRUE(waitFor([&] { return !allOf(grab(kBanner), kWhite); })) << "the banner is shown";

    // Take both back and answer three arterial questions: the arterial verdict.
    for (int n : {1, 5})
        ASSERT_TRUE(view.takeBack(n));
    answer({3, 6, 9});
    view.click(kResponso);
    ASSERT_TRUE(waitFor([&] { return highlighted(kHeadingMixed); })) << "no arterial heading";
    EXPECT_TRUE(waitFor([&] {
        return view.pixel({kExplanationArterial.x + 200, kExplanationArterial.y + 100})
               == kLavender;
    })) << "the arterial explanation is shown";
    EXPECT_TRUE(blank(kExplanationVenous));
    EXPECT_TRUE(blank(kExplanationLocomotor));
    EXPECT_TRUE(blank(kHeadingVenous));
    EXPECT_EQ(session.bells(), 0);

    view.click(kFine);
    expectEndsCleanly();
}

TEST_F(EndToEnd, UncertainBoxBlocksTheWindowAndClosesWithEnter)
{
    dismissIntroduction();
    answer({1, 2});
    const QImage unanswered = view.settled(questionRow(5));
    view.click(kResponso);
    ASSERT_TRUE(view.boxUp("Diagnosi Incerta"));
    // Painted while the box is up, as its own loop dispatches the window's paints.
    EXPECT_TRUE(waitFor([&] { return highlighted(kHeadingMixed); }))
        << "the window behind the box is final";
    EXPECT_TRUE(blank(kHeadingLocomotor));

    // While the box is up, the questionnaire takes no input.
    view.click(question(5));
    ASSERT_TRUE(view.boxUp("Diagnosi Incerta")) << "the box lost the keyboard";
    session.key("Return");
    ASSERT_TRUE(view.boxGone("Diagnosi Incerta")) << "Enter did not close it";
    EXPECT_EQ(view.settled(questionRow(5)), unanswered)
        << "a click reached the window behind the box";
    // Windows puts the box over its owner, where it hid the explanations.
    EXPECT_TRUE(blank(kExplanationLocomotor));

    view.click(kFine);
    expectEndsCleanly();
}

TEST_F(EndToEnd, CreditBoxes)
{
    dismissIntroduction();
    for (const auto &[where, title] :
         {std::pair{kDorvik, "Webmaster..."}, std::pair{kEldrano, "Dr. Eldrano Vescandi..."}}) {
        view.click(where);
        // A loaded Wine now and then drops a synthetic click on a window it has just given
        // the keyboard back to; a second click is safe (with the box up, it cannot reach
        // the window), and one box, no more, must come.
        if (kWine
            && !waitFor([&] { return view.windowTitled(title).has_value(); },
                        std::chrono::seconds(5)))
            view.click(where);
        ASSERT_TRUE(view.boxUp(title)) << title;
        session.key("Return");
        ASSERT_TRUE(view.boxGone(title)) << title;
    }
    view.click(kFine);
    expectEndsCleanly();
}

// A build of the program that starts without its pictures reports it in a box, and
// ends with status 1 once the box is closed: no crash, no window of its own.
TEST(EndToEndFailure, MissingPicturesAreReportedAndEndWithStatusOne)
{
    X11Session session{kScreenWidth, kScreenHeight, kWine};
    ProgramScreen view{session, kLook};
    session.startProgram(TERVANEL_MISSING_PICTURES_PROGRAM);
    ASSERT_TRUE(view.boxUp("Tervanel")) << "no failure box";
    EXPECT_EQ(session.mappedTopLevels().size(), 1U) << "only the box is on screen";
    session.key("Return");
    const std::optional<int> status = session.waitForExit();
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(*status, 1);
}

#ifdef TERVANEL_WINE_RUNNER

// Wine draws the classic Windows frame itself: a window made at the screen's corner has
// its client area where that frame holds it. The positions the tests use are measured
// from there; the least Win32 program, with the questionnaire's frame, shows where.
TEST(EndToEndWine, ClientAreaStandsWhereTheClassicFrameHoldsIt)
{
    X11Session session{kScreenWidth, kScreenHeight, kWine};
    session.startProgram(TERVANEL_FLOOR_PROGRAM);
    std::optional<TopLevel> window;
    ASSERT_TRUE(waitFor(
        [&] {
            const auto windows = session.mappedTopLevels();
            return windows.size() == 1 && (window = windows[0], true);
        },
        std::chrono::seconds(60)))
        << "no window; the program wrote: " << session.programOutput();
    EXPECT_EQ(window->x, 0);
    EXPECT_EQ(window->y, 0);
    EXPECT_EQ(window->width, kWineLook.formWidth);
    EXPECT_EQ(window->height, kWineLook.formHeight);
    EXPECT_EQ(window->title, "Floor");

    // The client area is white to its very edge, and the frame around it is not, once
    // both are drawn.
    const Point origin = kWineLook.formClient;
    const auto white = [&](int x, int y) { return session.pixel(x, y) == kWhite; };
    struct Edge {
        int dx, dy;
        bool inside;
    };
    const Edge edges[] = {{0, 256, true}, {-1, 256, false}, {700, 256, true}, {701, 256, false},
                          {350, 0, true}, {350, -1, false}, {350, 512, true}, {350, 513, false}};
    const auto drawn = [&] {
        return std::ranges::all_of(edges, [&](const Edge &e) {
            return white(origin.x + e.dx, origin.y + e.dy) == e.inside;
        });
    };
    if (!waitFor(drawn)) {
        for (const Edge &e : edges)
            EXPECT_EQ(white(origin.x + e.dx, origin.y + e.dy), e.inside)
                << "at " << e.dx << ", " << e.dy << " from the client area's corner";
    }

    session.closeWindow(window->id);
    EXPECT_EQ(session.waitForExit(std::chrono::seconds(30)), 0);
}

#else

// The desktop's theme stays out: on a GNOME desktop, where Qt would load the GTK theme,
// every screen of a use is the same, pixel for pixel, as on a bare X server.
TEST(DesktopTheme, AGnomeDesktopChangesNoPixel)
{
    const auto screens = [](const std::vector<std::string> &environment) {
        X11Session session{kScreenWidth, kScreenHeight};
        ProgramScreen view{session};
        session.startProgram(TERVANEL_PROGRAM, environment);
        std::vector<QImage> shots;
        if (!view.waitForIntroduction())
            return shots;
        shots.push_back(view.settled({0, 0, kScreenWidth, kScreenHeight}));
        if (!view.dismissIntroduction("a") || !view.answer(1) || !view.answer(2))
            return shots;
        session.click(kResponso.x, kResponso.y);
        for (const auto &[where, title] :
             {std::pair{kResponso, "Diagnosi Incerta"}, std::pair{kDorvik, "Webmaster..."}}) {
            if (title != std::string("Diagnosi Incerta"))
                session.click(where.x, where.y);
            if (!view.boxUp(title))
                return shots;
            shots.push_back(view.settled({0, 0, kScreenWidth, kScreenHeight}));
            session.key("Return");
            if (!view.boxGone(title))
                return shots;
        }
        shots.push_back(view.settled({0, 0, kScreenWidth, kScreenHeight}));
        session.click(kFine.x, kFine.y);
        session.waitForExit();
        return shots;
    };
    const std::vector<QImage> plain = screens({"XDG_CURRENT_DESKTOP="});
    const std::vector<QImage> gnome =
        screens({"XDG_CURRENT_DESKTOP=GNOME", "DESKTOP_SESSION=gnome"});
    ASSERT_EQ(plain.size(), 4U) << "the plain run did not get through";
    ASSERT_EQ(gnome.size(), plain.size()) << "the GNOME run did not get through";
    for (std::size_t i = 0; i < plain.size(); ++i)
        EXPECT_TRUE(plain[i] == gnome[i]) << "screen " << i << " differs";
}

#ifndef TERVANEL_WINE_RUNNER
// On an X server that has no other client (a bare server, a kiosk), the program holds the
// connection it looked for the server with until the toolkit has its own: an X server
// resets when its last client leaves, and a client connecting meanwhile loses its
// connection. These servers end at their first reset instead, so a start that lets go
// too early finds no server at all.
TEST(BareServer, TheProgramComesUpAsTheServersOnlyClient)
{
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(testing::Message() << "start " << run);
        const XServer server = startXvfb(kScreenWidth, kScreenHeight);
        std::vector<std::string> environment = currentEnvironment();
        std::erase_if(environment, [](const std::string &e) {
            return e.starts_with("QT_QPA_PLATFORM=") || e.starts_with("WAYLAND_DISPLAY=");
        });
        setVariable(environment, "DISPLAY=" + server.display);
        const pid_t program = spawn({TERVANEL_PROGRAM}, environment);
        const auto ended = [](pid_t pid) {
            return waitpid(pid, nullptr, WNOHANG) != 0 || kill(pid, 0) != 0;
        };
        // No client of the test's may come before the program's own: long enough for a
        // start on a loaded machine, and the server must still run after it.
        EXPECT_FALSE(
            waitFor([&] { return ended(program) || ended(server.pid); }, std::chrono::seconds(3)))
            << "the program or its server ended";
        {
            X11Session look(server.display);
            EXPECT_TRUE(waitFor([&] { return look.mappedTopLevels().size() == 1; }))
                << "the introduction did not come up";
        }
        stop(program);
        stop(server.pid);
    }
}

// A desktop's high-contrast theme, as its settings manager publishes it (Debian's
// xsettingsd here), shows the colours with more contrast; any other theme, or none, the
// designed ones. Read back from the screen: the introduction's ground, and the ground of
// the instruction lines.
TEST(DesktopContrast, AHighContrastThemeShowsTheColoursWithMoreContrast)
{
    struct Row {
        const char *theme; // none: no settings manager
        Rgb introduction, instructions;
    };
    const Row rows[] = {
        {nullptr, kDialogGrey, kPeriwinkle},
        {"Adwaita", kDialogGrey, kPeriwinkle},
        {"HighContrast", kWhite, Rgb{0x57, 0x57, 0xFF}},
        {"HighContrastInverse", kWhite, Rgb{0x57, 0x57, 0xFF}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.theme ? row.theme : "no settings manager");
        X11Session session{kScreenWidth, kScreenHeight};
        Look look = kLinuxLook;
        look.dialog = row.introduction; // what the introduction is drawn on
        ProgramScreen view{session, look};
        QProcess settings;
        QTemporaryFile file;
        if (row.theme) {
            ASSERT_TRUE(file.open());
            file.write(QByteArray("Net/ThemeName \"") + row.theme + "\"\n");
            file.flush();
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("DISPLAY"),
                               QString::fromStdString(session.displayName()));
            settings.setProcessEnvironment(environment);
            settings.start(QStringLiteral("xsettingsd"), {QStringLiteral("-c"), file.fileName()});
            ASSERT_TRUE(settings.waitForStarted()) << "xsettingsd is missing";
            ASSERT_TRUE(waitFor([&] { return session.selectionOwned("_XSETTINGS_S0"); }));
        }
        session.startProgram(TERVANEL_PROGRAM);
        const auto splash = view.waitForIntroduction();
        ASSERT_TRUE(splash);
        // Between the portrait and the introduction's text: the frame's ground.
        EXPECT_EQ(view.pixel(view.onScreen(*splash, {196, 100})), row.introduction);
        ASSERT_TRUE(view.dismissIntroduction("a"));
        // The first instruction line, left of its centred text.
        EXPECT_EQ(view.pixel({12, 8}), row.instructions);
        view.click(kFine);
        EXPECT_EQ(session.waitForExit(), 0);
        settings.terminate();
        settings.waitForFinished();
    }
}
#endif

// What a run opens, from strace's log: files opened for writing, and the addresses
// of every socket connected, each normalised so that two runs can be compared.
struct Doings {
    std::set<std::string> writes;
    std::set<std::string> connections;
};

Doings readTrace(const std::string &path, const std::string &runtimeDir)
{
    const auto normalise = [&](QString text) {
        text.replace(QString::fromStdString(runtimeDir), QStringLiteral("<runtime>"));
        text.replace(QRegularExpression(QStringLiteral("X11-unix/X[0-9]+")),
                     QStringLiteral("X11-unix/X<n>"));
        text.replace(QRegularExpression(QStringLiteral("/proc/[0-9]+")),
                     QStringLiteral("/proc/<pid>"));
        return text.toStdString();
    };
    const QRegularExpression open(
        QStringLiteral(R"re((?:openat|open)\((?:[^,]+, )?"([^"]*)", ([A-Z_|]+).*\) = \d+)re"));
    const QRegularExpression creat(QStringLiteral(R"re(creat\("([^"]*)")re"));
    const QRegularExpression connect(
        QStringLiteral(R"re(connect\(\d+, \{(.*)\}, \d+\) = (0|-1 EINPROGRESS))re"));
    Doings doings;
    std::ifstream in(path);
    for (std::string raw; std::getline(in, raw);) {
        const QString line = QString::fromStdString(raw);
        if (const auto m = open.match(line); m.hasMatch()) {
            const QString flags = m.captured(2);
            if (flags.contains(QStringLiteral("O_WRONLY"))
                || flags.contains(QStringLiteral("O_RDWR"))
                || flags.contains(QStringLiteral("O_CREAT")))
                doings.writes.insert(normalise(m.captured(1)));
        } else if (const auto c = creat.match(line); c.hasMatch()) {
            doings.writes.insert(normalise(c.captured(1)));
        } else if (const auto n = connect.match(line); n.hasMatch()) {
            doings.connections.insert(normalise(n.captured(1)));
        }
    }
    return doings;
}

std::string listOf(const std::set<std::string> &items)
{
    std::string list;
    for (const std::string &item : items)
        list += "\n    " + item;
    return list.empty() ? " none" : list;
}

// One whole use of the program under strace writes no file and connects to nothing
// but the X server, beyond what the least Qt program does under the same run.
TEST(EndToEndInputOutput, NoFilesWrittenNoSocketsButTheDisplay)
{
    // No session bus; and LeakSanitizer, in a sanitizer build, cannot work under strace.
    const std::vector<std::string> quiet{"DBUS_SESSION_BUS_ADDRESS=disabled:",
                                         "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1"};
    const auto traced = [](const std::string &log, const char *program) {
        return std::vector<std::string>{
            "strace", "-f", "-qq", "-o", log, "-e", "trace=open,openat,creat,connect", program};
    };

    Doings floor;
    {
        X11Session session{kScreenWidth, kScreenHeight};
        const std::string log = session.runtimeDir() + "/floor.trace";
        session.startCommand(traced(log, TERVANEL_FLOOR_PROGRAM), quiet);
        std::optional<TopLevel> window;
        ASSERT_TRUE(waitFor([&] {
            const auto windows = session.mappedTopLevels();
            return windows.size() == 1 && (window = windows[0], true);
        }));
        session.closeWindow(window->id);
        ASSERT_EQ(session.waitForExit(), 0);
        floor = readTrace(log, session.runtimeDir());
        std::remove(log.c_str());
    }

    Doings program;
    {
        X11Session session{kScreenWidth, kScreenHeight};
        ProgramScreen view{session};
        const std::string log = session.runtimeDir() + "/program.trace";
        session.startCommand(traced(log, TERVANEL_PROGRAM), quiet);
        ASSERT_TRUE(view.waitForIntroduction());
        ASSERT_TRUE(view.dismissIntroduction("x"));
        for (int n : {1, 3})
            ASSERT_TRUE(view.answer(n));
        session.click(kResponso.x, kResponso.y);
        ASSERT_TRUE(view.boxUp("Diagnosi Incerta"));
        session.key("Return");
        ASSERT_TRUE(view.boxGone("Diagnosi Incerta"));
        ASSERT_TRUE(view.answer(5));
        session.click(kResponso.x, kResponso.y);
        ASSERT_TRUE(waitFor([&] { return view.highlighted(kHeadingVenous); }));
        session.click(kDorvik.x, kDorvik.y);
        ASSERT_TRUE(view.boxUp("Webmaster..."));
        session.key("Return");
        ASSERT_TRUE(view.boxGone("Webmaster..."));
        session.click(kFine.x, kFine.y);
        ASSERT_EQ(session.waitForExit(), 0);
        program = readTrace(log, session.runtimeDir());
        std::remove(log.c_str());
    }

    ASSERT_FALSE(program.connections.empty()) << "the trace must at least show the display";
    std::set<std::string> extraWrites, extraConnections;
    std::ranges::set_difference(program.writes, floor.writes,
                                std::inserter(extraWrites, extraWrites.end()));
    std::ranges::set_difference(program.connections, floor.connections,
                                std::inserter(extraConnections, extraConnections.end()));
    EXPECT_TRUE(extraWrites.empty()) << "files opened for writing:" << listOf(extraWrites);
    EXPECT_TRUE(extraConnections.empty()) << "sockets connected:" << listOf(extraConnections);
    for (const std::string &connection : program.connections)
        EXPECT_NE(connection.find("X11-unix/X<n>"), std::string::npos)
            << "not the display: " << connection;
}

#endif // TERVANEL_WINE_RUNNER

} // namespace
} // namespace tervanel::test
