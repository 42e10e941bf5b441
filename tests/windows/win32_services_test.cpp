// The Win32 window services on real windows (under Wine in the build): windows and
// controls where their tables put them, every text inside its label, clicks and keys
// in the platform's order, the keyboard alone, high contrast, message boxes, scaling,
// and the end of the program. What screen readers are told: win32_accessibility_test;
// the pictures: picture_decoder_test.

#include "core/reports.hpp"
#include "core/scoring.hpp"
#include "forms/introduction/frm_splash.hpp"
#include "forms/questionnaire/form1.hpp"
#include "platform/win32/colors.hpp"
#include "platform/win32/convert.hpp"
#include "platform/win32/label.hpp"
#include "platform/win32/look.hpp"
#include "platform/win32/resource_ids.h"
#include "platform/win32/scaling.hpp"
#include "services/fonts.hpp"
#include "services/runtime.hpp"
#include "tests/windows/win32_test_support.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tervanel::win32 {
namespace {

using forms::Form1Control;
using forms::SplashControl;
using services::PixelRect;
using namespace test;

RECT clientRectIn(HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT *>(&r), 2);
    return r;
}

PixelRect asPixelRect(const RECT &r)
{
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
            static_cast<int>(r.bottom - r.top)};
}

class Win32ServicesTest : public QuestionnaireTest {
protected:
    Label &label(Form1Control name) const
    {
        return dynamic_cast<Label &>(controlOf(m_form1->window(), name));
    }
};

TEST_F(Win32ServicesTest, WindowsAndControlsStandWhereTheirTablesPutThem)
{
    ASSERT_NE(m_form1->splash(), nullptr);
    const HWND splash = nativeOf(m_form1->splash()->window()).hwnd();
    EXPECT_FALSE(IsWindowVisible(form1()));
    EXPECT_TRUE(IsWindowVisible(splash));

    // The introduction: no title bar, no system menu, its client area centred.
    const LONG splashStyle = GetWindowLongW(splash, GWL_STYLE);
    EXPECT_EQ(splashStyle & WS_CAPTION, WS_DLGFRAME);
    EXPECT_EQ(splashStyle & (WS_SYSMENU | WS_THICKFRAME), 0);
    RECT client;
    GetClientRect(splash, &client);
    EXPECT_EQ(client.right, 467);
    EXPECT_EQ(client.bottom, 286);
    POINT origin{0, 0};
    ClientToScreen(splash, &origin);
    EXPECT_NEAR(origin.x, (GetSystemMetrics(SM_CXSCREEN) - 467) / 2, 1);
    EXPECT_NEAR(origin.y, (GetSystemMetrics(SM_CYSCREEN) - 286) / 2, 1);

    dismissSplash();
    EXPECT_TRUE(IsWindowVisible(form1()));
    EXPECT_EQ(m_form1->splash(), nullptr);

    // The questionnaire: fixed single frame with title bar, minimise and close; the frame
    // in the screen's corner, a client area of 701 x 513.
    const LONG style = GetWindowLongW(form1(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    RECT frame;
    GetWindowRect(form1(), &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    GetClientRect(form1(), &client);
    EXPECT_EQ(client.right, 701);
    EXPECT_EQ(client.bottom, 513);
    wchar_t title[64] = {};
    GetWindowTextW(form1(), title, 64);
    EXPECT_STREQ(title, L"Tervanel by www.dorvik.example");

    for (std::size_t i = 0; i < forms::kForm1Rows.size(); ++i) {
        const Control &c = nativeOf(m_form1->window()).control(i);
        EXPECT_EQ(asPixelRect(clientRectIn(c.hwnd())), forms::kForm1Rows[i].geometry)
            << forms::kForm1Rows[i].id;
    }
    // The banner's box: a two-pixel border round exactly 400 x 100.
    GetClientRect(control(Form1Control::Picture1), &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 100);
}

// Whether a label's caption fits it as the label lays it out, in its font and weight.
::testing::AssertionResult fits(Label &label)
{
    RECT client;
    GetClientRect(label.hwnd(), &client);
    const std::vector<TextLine> lines = label.lines();
    const int height = static_cast<int>(lines.size()) * label.linePitch();
    for (const TextLine &line : lines)
        if (line.width > client.right)
            return ::testing::AssertionFailure()
                   << "a line of " << line.width << " px in " << client.right << " px";
    if (height > client.bottom)
        return ::testing::AssertionFailure()
               << lines.size() << " lines, " << height << " px in " << client.bottom << " px";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult fits(Label &label, std::string_view caption, bool bold)
{
    label.setBold(bold);
    label.setCaption(caption);
    return fits(label) << " for \"" << caption << "\"" << (bold ? " in bold" : "");
}

TEST_F(Win32ServicesTest, EveryTextFitsItsLabelAsOnLinux)
{
    using enum Form1Control;
    for (const Form1Control question : forms::kQuestionLabels) {
        Label &l = label(question);
        for (const bool bold : {false, true}) {
            l.setBold(bold);
            EXPECT_TRUE(fits(l)) << "question " << static_cast<int>(question) << " bold " << bold;
            EXPECT_EQ(l.lines().size(), 1U) << "one line";
        }
        l.setBold(false);
    }
    struct Row {
        Form1Control control;
        std::string text;
        bool alsoBold;
    };
    std::vector<Row> rows{
        {Label_a, scoreCaption(Score::Venous, 6), false},
        {Label_b, scoreCaption(Score::Locomotor, 3), false},
        {Label_c, scoreCaption(Score::Arterial, 7), false},
        {Diagnosi_venosa, std::string(report(Report::Venous)), false},
        {Diagnosi_arteriosa, std::string(report(Report::Arterial)), false},
        {Diagnosi_locomotore, std::string(report(Report::Locomotor)), false},
        {Label14, "Clicca sulle DOMANDE per rispondere affermativamente", true},
        {Label15, "Per correggere doppio click!", true},
        {Label_eldrano, "   Realizzato dal Dr. Eldrano Vescandi ", true},
        {Label_dorvik, "by Dorvik", false},
    };
    for (const Form1Control heading : {Responso, Responso_locomotore, responso_mix})
        for (const VerdictStep step : kVerdictOrder)
            rows.push_back({heading, std::string(tervanel::heading(step)), true});
    for (const Row &row : rows) {
        EXPECT_TRUE(fits(label(row.control), row.text, row.alsoBold));
    }

    // The introduction's texts, as its load set them.
    const forms::FrmSplash &splash = *m_form1->splash();
    auto &intro = dynamic_cast<Label &>(controlOf(splash.window(), SplashControl::Label1));
    auto &credit = dynamic_cast<Label &>(controlOf(splash.window(), SplashControl::Label2));
    EXPECT_TRUE(fits(intro, splash.text1, false));
    EXPECT_TRUE(fits(credit, splash.text2, false));
    EXPECT_EQ(credit.lines().size(), 1U);
    // Three lines of the first sentence, two empty, one, one empty, one, two empty, the
    // address: eleven.
    EXPECT_EQ(intro.lines().size(), 11U);
    EXPECT_EQ(intro.linePitch(), 13);
}

// The labels set their lines by the face's metrics as services/fonts.hpp gives them: they
// must be the built-in face's own, in both weights, as the system reads them.
TEST(Win32Look, TheFacesMetricsAreTheBuiltInFontsOwn)
{
    registerBuiltInFonts();
    const std::wstring face = toWide(services::kDialogFace);
    for (const bool bold : {false, true}) {
        static_cast<void>(dialogFont(8.25, bold, services::kBaseDpi)); // registers the weight
        LOGFONTW request{};
        request.lfHeight = -services::kFaceEm; // the em square: nothing rounded
        request.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        request.lfOutPrecision = OUT_TT_ONLY_PRECIS;
        face.copy(request.lfFaceName, LF_FACESIZE - 1);
        const HFONT font = CreateFontIndirectW(&request);
        ASSERT_NE(font, nullptr);
        const HDC dc = CreateCompatibleDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, font);
        std::array<wchar_t, LF_FACESIZE> chosen{};
        GetTextFaceW(dc, LF_FACESIZE, chosen.data());
        OUTLINETEXTMETRICW metrics{};
        metrics.otmSize = sizeof metrics;
        const bool read = GetOutlineTextMetricsW(dc, sizeof metrics, &metrics) != 0;
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(font);
        EXPECT_EQ(std::wstring(chosen.data()), face) << "bold " << bold;
        ASSERT_TRUE(read);
        EXPECT_EQ(static_cast<int>(metrics.otmEMSquare), services::kFaceEm);
        EXPECT_EQ(metrics.otmTextMetrics.tmAscent + metrics.otmTextMetrics.tmDescent,
                  services::kFaceHeight)
            << "bold " << bold;
    }
}

// Records the events a window delivers, in order.
class Recorder final : public services::WindowEvents {
public:
    void click(std::size_t control) noexcept override
    {
        events.push_back("click " + name(control));
    }
    void doubleClick(std::size_t control) noexcept override
    {
        events.push_back("double-click " + name(control));
    }
    void keyPress(char32_t character) noexcept override
    {
        events.push_back("key " + std::to_string(static_cast<unsigned>(character)));
    }
    std::vector<std::string> events;

private:
    static std::string name(std::size_t control)
    {
        return control == 0 ? "label" : control == 1 ? "picture" : "button";
    }
};

std::unique_ptr<services::Window> recordingWindow(Recorder &recorder, bool keyPreview)
{
    static const std::array<services::ControlRow, 3> rows{{
        {"label",
         services::ControlKind::Label,
         "text",
         {0, 0, 100, 20},
         {},
         {},
         {},
         services::Align::Left,
         0,
         {}},
        {"picture",
         services::ControlKind::Image,
         {},
         {0, 30, 100, 50},
         {},
         {},
         {},
         services::Align::Left,
         {},
         {}},
        {"button",
         services::ControlKind::PushButton,
         "OK",
         {0, 90, 80, 22},
         {},
         {},
         {},
         services::Align::Left,
         1,
         {}},
    }};
    const services::WindowDescription description{"Recorder",
                                                  "",
                                                  "",
                                                  services::WindowFrame::Dialog,
                                                  services::Placement::CentredOnScreen,
                                                  1800,
                                                  1800,
                                                  std::nullopt,
                                                  {8.25, false},
                                                  keyPreview,
                                                  rows};
    return theServices().createWindow(description, recorder);
}

TEST(Win32Events, ClicksAndDoubleClicksArriveInThePlatformsOrder)
{
    struct Case {
        const char *what;
        std::size_t control;
        std::vector<std::pair<UINT, POINT>> mouse;
        std::vector<std::string> events;
    };
    const POINT in{5, 5};
    const POINT out{300, 5};
    const std::vector<Case> cases{
        {"click", 0, {{WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, in}}, {"click label"}},
        {"double-click",
         0,
         {{WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, in}, {WM_LBUTTONDBLCLK, in}, {WM_LBUTTONUP, in}},
         {"click label", "double-click label"}},
        {"released outside", 0, {{WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, out}}, {}},
        {"release alone", 0, {{WM_LBUTTONUP, in}}, {}},
        {"right click on a label", 0, {{WM_RBUTTONDOWN, in}, {WM_RBUTTONUP, in}}, {}},
        {"pressed left, released right", 0, {{WM_LBUTTONDOWN, in}, {WM_RBUTTONUP, in}}, {}},
        {"picture click", 1, {{WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, in}}, {"click picture"}},
        {"picture double-click",
         1,
         {{WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, in}, {WM_LBUTTONDBLCLK, in}, {WM_LBUTTONUP, in}},
         {"click picture"}},
        {"button", 2, {{WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, in}}, {"click button"}},
    };
    for (const Case &c : cases) {
        Recorder recorder;
        const auto window = recordingWindow(recorder, false);
        window->show();
        const HWND target = nativeOf(*window).control(c.control).hwnd();
        for (const auto &[message, at] : c.mouse)
            SendMessageW(target, message,
                         message == WM_LBUTTONUP || message == WM_RBUTTONUP ? 0 : MK_LBUTTON,
                         MAKELPARAM(at.x, at.y));
        theServices().processPending();
        EXPECT_EQ(recorder.events, c.events) << c.what;
    }
}

TEST(Win32Events, KeyPreviewTakesEveryCharacterOnceAndNoOtherKey)
{
    struct Case {
        UINT key;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases{
        {'A', {"key 97"}},       {'7', {"key 55"}},       {VK_SPACE, {"key 32"}},
        {VK_RETURN, {"key 13"}}, {VK_ESCAPE, {"key 27"}}, {VK_BACK, {"key 8"}},
        {VK_TAB, {"key 9"}},     {VK_LEFT, {}},           {VK_F5, {}},
        {VK_SHIFT, {}},
    };
    for (const Case &c : cases) {
        Recorder recorder;
        const auto window = recordingWindow(recorder, true);
        window->show();
        window->setFocus(2); // the button has the focus and sees none of it
        theServices().processPending();
        ASSERT_EQ(GetFocus(), nativeOf(*window).control(2).hwnd());
        key(c.key);
        EXPECT_EQ(recorder.events, c.events) << "virtual key " << c.key;
    }
}

// A control's client area as painted on screen.
class Pixels final {
public:
    explicit Pixels(HWND window)
    {
        RECT client;
        GetClientRect(window, &client);
        m_width = client.right;
        m_height = client.bottom;
        // Top row first, 32 bits a pixel.
        BITMAPINFO info{
            {sizeof(BITMAPINFOHEADER), m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        const HDC screen = GetDC(window);
        const HDC memory = CreateCompatibleDC(screen);
        void *bits = nullptr;
        const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, m_width, m_height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        for (const auto *p = static_cast<const std::uint8_t *>(bits),
                        *end = p + 4 * m_width * m_height;
             p != end; p += 4) // blue, green, red, unused
            m_pixels.push_back(RGB(p[2], p[1], p[0]));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, screen);
    }

    [[nodiscard]] COLORREF at(int x, int y) const
    {
        return m_pixels.at(static_cast<std::size_t>(y * m_width + x));
    }
    [[nodiscard]] bool shows(COLORREF color) const
    {
        return std::find(m_pixels.begin(), m_pixels.end(), color) != m_pixels.end();
    }
    // The ground by the bottom right corner, inside any focus mark.
    [[nodiscard]] COLORREF ground() const { return at(m_width - 3, m_height - 3); }
    // The bottom row and the right column: where a focus mark lies and no text reaches.
    [[nodiscard]] std::vector<COLORREF> edge() const
    {
        std::vector<COLORREF> edge;
        for (int x = 0; x < m_width; ++x)
            edge.push_back(at(x, m_height - 1));
        for (int y = 0; y < m_height - 1; ++y)
            edge.push_back(at(m_width - 1, y));
        return edge;
    }

private:
    int m_width = 0, m_height = 0;
    std::vector<COLORREF> m_pixels;
};

// What lies along a control's edge: its ground alone; the system's dotted focus mark,
// every other pixel inverted; a line of one other colour; anything else.
enum class Mark { None, Dotted, Line, Other };
Mark markOf(const Pixels &pixels)
{
    const std::vector<COLORREF> edge = pixels.edge();
    const auto all = static_cast<std::ptrdiff_t>(edge.size());
    const auto ground = std::count(edge.begin(), edge.end(), pixels.ground());
    const auto inverted = std::count(edge.begin(), edge.end(), pixels.ground() ^ 0x00FFFFFF);
    if (ground == all)
        return Mark::None;
    if (ground + inverted == all && inverted * 3 >= all && inverted * 3 <= all * 2)
        return Mark::Dotted;
    return std::count(edge.begin(), edge.end(), edge.front()) == all ? Mark::Line : Mark::Other;
}

TEST_F(Win32ServicesTest, TheKeyboardAloneReachesAnswersAndPressesEverything)
{
    using enum Form1Control;
    dismissSplash();
    const auto click = [this](Form1Control c) {
        return [this, c] { press(control(c), WM_LBUTTONDOWN, WM_LBUTTONUP); };
    };
    const auto keyPress = [](UINT virtualKey, bool shift = false) {
        return [virtualKey, shift] { key(virtualKey, shift); };
    };
    constexpr std::uint32_t first = 1U << 0, last = 1U << 12;
    struct Step {
        std::string what;
        std::function<void()> act;
        Form1Control focus;
        std::uint32_t answers;
        int beeps; // Responso with no answer: its reminder's beep
        bool verdict;
    };
    std::vector<Step> steps{
        {"a click answers; the focus stays on Responso", click(Label2), Command1, 1U << 1, 0,
         false},
        {"a double-click takes it back",
         [&] { press(control(Label2), WM_LBUTTONDBLCLK, WM_LBUTTONUP); }, Command1, 0, 0, false},
        {"Enter after the clicks presses Responso", keyPress(VK_RETURN), Command1, 0, 1, false},
        {"and so does Space", keyPress(VK_SPACE), Command1, 0, 2, false},
        {"Tab passes over the hidden banner", keyPress(VK_TAB), Command2, 0, 2, false},
    };
    for (int n = 1; n <= kQuestionCount; ++n)
        steps.push_back({"Tab to question " + std::to_string(n), keyPress(VK_TAB),
                         forms::questionLabel(n), 0, 2, false});
    const std::vector<Step> more{
        {"Tab from the last question", keyPress(VK_TAB), Command1, 0, 2, false},
        {"Shift+Tab back", keyPress(VK_TAB, true), Label13, 0, 2, false},
        {"Space answers the question", keyPress(VK_SPACE), Label13, last, 2, false},
        {"Space again takes the answer back", keyPress(VK_SPACE), Label13, 0, 2, false},
        {"Enter presses Responso", keyPress(VK_RETURN), Label13, 0, 3, false},
        {"a click on another question leaves the focus", click(Label1), Label13, first, 3, false},
        {"Space", keyPress(VK_SPACE), Label13, first | last, 3, false},
        {"Enter: the verdict", keyPress(VK_RETURN), Label13, first | last, 3, true},
        {"Tab", keyPress(VK_TAB), Command1, first | last, 3, true},
        {"Tab to the banner, shown with the verdict", keyPress(VK_TAB), Picture1, first | last, 3,
         true},
        {"Enter on the banner presses nothing", keyPress(VK_RETURN), Picture1, first | last, 3,
         true},
        {"Tab to Fine", keyPress(VK_TAB), Command2, first | last, 3, true},
    };
    steps.insert(steps.end(), more.begin(), more.end());

    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        theServices().processPending();
        ASSERT_EQ(GetFocus(), control(step.focus)) << static_cast<int>(step.focus);
        EXPECT_EQ(m_form1->answers().mask(), step.answers);
        EXPECT_EQ(m_recorder->beeps, step.beeps);
        EXPECT_EQ(IsWindowVisible(control(Label_a)) != FALSE, step.verdict);
        // The focus mark on the focused question only; elsewhere the designed pixels.
        for (const Form1Control question : forms::kQuestionLabels) {
            const Pixels pixels(control(question));
            EXPECT_EQ(pixels.ground(), RGB(0xC0, 0xFF, 0xFF)) << "light cyan";
            EXPECT_EQ(markOf(pixels), question == step.focus ? Mark::Dotted : Mark::None)
                << static_cast<int>(question);
        }
    }
    key(VK_RETURN); // Fine
    EXPECT_EQ(m_recorder->endStatus, std::optional(0));
}

bool g_highContrast = false; // as the test answers: Wine's system always says off

TEST_F(Win32ServicesTest, HighContrastShowsTheSystemsColoursAndAfterItTheDesignedOnes)
{
    using enum Form1Control;
    dismissSplash();
    const HighContrastQuery system = answerHighContrastWith([] { return g_highContrast; });
    // The system's colours of the windows' roles, set as the system sets them (every
    // top-level window hears WM_SYSCOLORCHANGE): the black high-contrast theme's, none of
    // them a designed one, and then the colours as they were.
    const int roles[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_HIGHLIGHT};
    const COLORREF black[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(26, 235, 255)};
    COLORREF before[4];
    std::transform(std::begin(roles), std::end(roles), before, GetSysColor);

    // A verdict highlights its heading; the second question has the keyboard's focus.
    press(control(Label1), WM_LBUTTONDOWN, WM_LBUTTONUP);
    SetFocus(control(Label2));
    key(VK_RETURN);
    ASSERT_TRUE(IsWindowVisible(control(Responso)));

    struct Shown {
        COLORREF ground, question, questionText, heading, headingText, button;
        std::optional<COLORREF> mark; // none: the system's dotted mark
    };
    const COLORREF white = RGB(255, 255, 255);
    const Shown designed{white, RGB(0xC0, 0xFF, 0xFF), RGB(0, 0, 0xC0),
                         white, RGB(255, 0, 0),        GetSysColor(COLOR_BTNFACE),
                         {}};
    const auto inSystemColors = [] {
        const COLORREF window = GetSysColor(COLOR_WINDOW), text = GetSysColor(COLOR_WINDOWTEXT);
        return Shown{window,
                     window,
                     text,
                     window,
                     text,
                     GetSysColor(COLOR_BTNFACE),
                     GetSysColor(COLOR_HIGHLIGHT)};
    };
    struct Step {
        const char *what;
        std::function<void()> change;
        bool systemColors;
    };
    const Step steps[] = {
        {"as designed", [] {}, false},
        {"high contrast on, as WM_SETTINGCHANGE says",
         [&] {
             g_highContrast = true;
             SendMessageW(form1(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
         },
         true},
        {"the system's colours change", [&] { SetSysColors(4, roles, black); }, true},
        {"a verdict under high contrast sets its colours again", [] { key(VK_RETURN); }, true},
        {"another setting changes: the scheme is not asked again",
         [&] {
             g_highContrast = false;
             SendMessageW(form1(), WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
             g_highContrast = true;
         },
         true},
        {"high contrast off, as WM_SYSCOLORCHANGE says",
         [&] {
             g_highContrast = false;
             SetSysColors(4, roles, before);
         },
         false},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        theServices().processPending();
        const Shown expected = step.systemColors ? inSystemColors() : designed;
        EXPECT_EQ(Pixels(form1()).at(2, 2), expected.ground) << "the window";
        const Pixels question(control(Label2));
        EXPECT_EQ(question.ground(), expected.question);
        EXPECT_TRUE(question.shows(expected.questionText));
        EXPECT_EQ(markOf(question), expected.mark ? Mark::Line : Mark::Dotted);
        EXPECT_EQ(question.edge().front(), expected.mark.value_or(question.edge().front()));
        const Pixels heading(control(Responso));
        EXPECT_EQ(heading.ground(), expected.heading);
        EXPECT_TRUE(heading.shows(expected.headingText));
        EXPECT_EQ(Pixels(control(Command1)).at(4, 4), expected.button);
    }
    EXPECT_TRUE(m_form1->controls().bold(Responso)) << "the heading still bold";
    answerHighContrastWith(system);
}

// The message box on screen, read and closed from a hook in its own thread.
struct ShownBox {
    std::wstring title, text;
    bool icon = false;
    bool ownerDisabled = false;
};
ShownBox g_shown;
HHOOK g_hook = nullptr;

BOOL CALLBACK findIcon(HWND child, LPARAM found)
{
    // The box itself is not shown yet: the control's own style says whether it will be.
    const bool shown = (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown && SendMessageW(child, STM_GETICON, 0, 0) != 0)
        *reinterpret_cast<bool *>(found) = true;
    return TRUE;
}

LRESULT CALLBACK readAndCloseBox(int code, WPARAM wParam, LPARAM lParam)
{
    const HWND box = reinterpret_cast<HWND>(wParam);
    wchar_t kind[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(box, kind, 16) && std::wstring(kind) == L"#32770") {
        wchar_t buffer[512] = {};
        GetWindowTextW(box, buffer, 512);
        g_shown.title = buffer;
        GetDlgItemTextW(box, 0xFFFF, buffer, 512); // the prompt's static control
        g_shown.text = buffer;
        EnumChildWindows(box, findIcon, reinterpret_cast<LPARAM>(&g_shown.icon));
        g_shown.ownerDisabled = !IsWindowEnabled(GetWindow(box, GW_OWNER));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST_F(Win32ServicesTest, MessageBoxesShowTitlePromptAndIconAndAreModal)
{
    dismissSplash();
    struct Case {
        MessageStyle style;
        std::string prompt;
        std::wstring shown;
        bool icon;
    };
    const std::vector<Case> cases{
        {MessageStyle::OkOnly, "Email:  webmaster@dorvik.example",
         L"Email:  webmaster@dorvik.example", false},
        {MessageStyle::Information, "uno\r\rdue è", L"uno\r\n\r\ndue \u00e8", true},
        {MessageStyle::Critical, "Errore di esecuzione:\rx", L"Errore di esecuzione:\r\nx", true},
    };
    g_hook = SetWindowsHookExW(WH_CBT, readAndCloseBox, nullptr, GetCurrentThreadId());
    for (const Case &c : cases) {
        g_shown = {};
        theServices().messageBox({c.prompt, c.style, "Titolo..."});
        EXPECT_EQ(g_shown.title, L"Titolo...");
        EXPECT_EQ(g_shown.text, c.shown);
        EXPECT_EQ(g_shown.icon, c.icon);
        EXPECT_TRUE(g_shown.ownerDisabled) << "the questionnaire takes no input meanwhile";
        EXPECT_TRUE(IsWindowEnabled(form1())) << "and takes it again afterwards";
    }
    UnhookWindowsHookEx(g_hook);
}

TEST_F(Win32ServicesTest, TheIntroductionCannotBeClosedTheQuestionnaireCloseBoxEndsTheProgram)
{
    const HWND splash = nativeOf(m_form1->splash()->window()).hwnd();
    SendMessageW(splash, WM_CLOSE, 0, 0);
    theServices().processPending();
    EXPECT_TRUE(IsWindowVisible(splash));
    ASSERT_NE(m_form1->splash(), nullptr);

    dismissSplash();
    SendMessageW(form1(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dynamic_cast<const Window &>(harness::platformOf(m_form1->window())).isLoaded());
    EXPECT_FALSE(m_recorder->endStatus.has_value()) << "no handler of the program runs";
    EXPECT_EQ(theServices().run(), 0) << "no window is left: the loop ends with 0";
}

TEST_F(Win32ServicesTest, AChangeOfScaleMovesEveryControlAndTheTextStillFits)
{
    dismissSplash();
    RECT suggested{0, 0, 1060, 800};
    SendMessageW(form1(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    for (std::size_t i = 0; i < forms::kForm1Rows.size(); ++i) {
        const Control &c = nativeOf(m_form1->window()).control(i);
        EXPECT_EQ(asPixelRect(clientRectIn(c.hwnd())),
                  scaledRect(forms::kForm1Rows[i].geometry, 144))
            << forms::kForm1Rows[i].id;
    }
    Label &question = label(Form1Control::Label10); // the longest question
    question.setBold(true);
    EXPECT_TRUE(fits(question));
    EXPECT_EQ(question.lines().size(), 1U);
    EXPECT_EQ(question.linePitch(), 19);
}

} // namespace
} // namespace tervanel::win32
