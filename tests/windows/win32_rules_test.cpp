// The rules the Win32 services lay out by, checked without a window: how a caption
// breaks into lines, how the layouts scale with the screen, how Tab moves the focus,
// how texts become Windows text.

#include "forms/introduction/frm_splash_layout.hpp"
#include "forms/questionnaire/form1_layout.hpp"
#include "platform/win32/keyboard.hpp"
#include "platform/win32/line_layout.hpp"
#include "platform/win32/scaling.hpp"
#include "platform/win32/text.hpp"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

namespace tervanel::win32 {
namespace {

// Every character 5 pixels wide: line breaks can be worked out by hand.
int fiveEach(std::wstring_view run)
{
    return static_cast<int>(run.size()) * 5;
}

std::vector<std::wstring> shownLines(std::wstring_view caption, int width)
{
    std::vector<std::wstring> lines;
    for (const TextLine &line : layOutLines(caption, width, fiveEach))
        lines.emplace_back(caption.substr(line.start, line.length));
    return lines;
}

TEST(Win32LineLayout, BreaksAtCarriageReturnsAndBetweenWords)
{
    struct Case {
        const wchar_t *caption;
        int width;
        std::vector<std::wstring> lines; // as shown, hanging blanks included
    };
    const std::vector<Case> cases{
        {L"", 50, {L""}},
        {L"one line", 50, {L"one line"}},
        {L"a\rb", 50, {L"a", L"b"}},
        {L"a\r\rb", 50, {L"a", L"", L"b"}}, // two CRs leave an empty line
        {L"a\r\nb", 50, {L"a", L"b"}},      // CR LF is one break
        {L"a\r", 50, {L"a", L""}},
        {L"aaa bbb ccc", 35, {L"aaa bbb ", L"ccc"}}, // "aaa bbb" is 35 pixels: fits
        {L"aaa bbb ccc", 34, {L"aaa ", L"bbb ", L"ccc"}},
        {L"aaa   bbb", 15, {L"aaa   ", L"bbb"}}, // blanks at a break hang on the line
        {L"   indented", 100, {L"   indented"}}, // leading blanks are kept
        {L"x\r   indented", 100, {L"x", L"   indented"}},
        {L"toolongword ab", 20, {L"toolongword ", L"ab"}}, // a word wider than the label
        {L"tail ", 20, {L"tail "}},                        // trailing blank: no new line
    };
    for (const Case &c : cases)
        EXPECT_EQ(shownLines(c.caption, c.width), c.lines)
            << "caption \"" << std::wstring(c.caption).size() << " chars\", width " << c.width;
}

TEST(Win32LineLayout, LineWidthLeavesOutHangingBlanks)
{
    const auto lines = layOutLines(L"ab cd\r  ef ", 100, fiveEach);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].width, 25); // "ab cd"
    EXPECT_EQ(lines[1].width, 20); // "  ef", not its trailing blank
}

TEST(Win32Text, CarriageReturnsBecomeWindowsLineBreaks)
{
    struct Case {
        std::wstring in, withLineFeeds, spoken;
    };
    const std::vector<Case> cases{
        {L"a\rb", L"a\r\nb", L"a b"},   {L"a\r\r\rb", L"a\r\n\r\n\r\nb", L"a   b"},
        {L"a\r\nb", L"a\r\nb", L"a b"}, {L"\r", L"\r\n", L" "},
        {L"plain", L"plain", L"plain"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(withLineFeeds(c.in), c.withLineFeeds);
        EXPECT_EQ(spokenText(c.in), c.spoken);
    }
}

TEST(Win32Text, Utf8BecomesUtf16)
{
    EXPECT_EQ(toWide("più"), L"pi\u00f9");
    EXPECT_EQ(toWide("è già"), L"\u00e8 gi\u00e0");
    EXPECT_EQ(toWide("«Gambe»"), L"\u00abGambe\u00bb");
    EXPECT_EQ(toWide(""), L"");
}

// Whether two rectangles share at least one pixel, or touch along an edge.
bool overlaps(const PixelRect &a, const PixelRect &b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height
           && b.y < a.y + a.height;
}

bool touches(const PixelRect &a, const PixelRect &b)
{
    const bool sideBySide = (a.x + a.width == b.x || b.x + b.width == a.x) && a.y < b.y + b.height
                            && b.y < a.y + a.height;
    const bool stacked = (a.y + a.height == b.y || b.y + b.height == a.y) && a.x < b.x + b.width
                         && b.x < a.x + a.width;
    return sideBySide || stacked;
}

bool inside(const PixelRect &inner, int width, int height)
{
    return inner.x >= 0 && inner.y >= 0 && inner.x + inner.width <= width
           && inner.y + inner.height <= height;
}

// At every scale the layout stays whole: controls keep their overlaps, touches and
// gaps, and every control stays inside its window.
void expectScalesWhole(std::span<const services::ControlRow> rows, int twipsWide, int twipsHigh)
{
    for (const int dpi : {96, 120, 144, 168, 192}) {
        SCOPED_TRACE("dpi " + std::to_string(dpi));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const PixelRect a = scaledRect(rows[i].geometry, dpi);
            if (!rows[i].parent) {
                EXPECT_TRUE(inside(a, pixels(twipsWide, dpi), pixels(twipsHigh, dpi)))
                    << rows[i].id;
            }
            EXPECT_GT(a.width, 0) << rows[i].id;
            EXPECT_GT(a.height, 0) << rows[i].id;
            for (std::size_t j = i + 1; j < rows.size(); ++j) {
                if (rows[i].parent != rows[j].parent)
                    continue;
                const PixelRect b = scaledRect(rows[j].geometry, dpi);
                const PixelRect &a0 = rows[i].geometry;
                const PixelRect &b0 = rows[j].geometry;
                EXPECT_EQ(overlaps(a, b), overlaps(a0, b0)) << rows[i].id << " / " << rows[j].id;
                EXPECT_EQ(touches(a, b), touches(a0, b0)) << rows[i].id << " / " << rows[j].id;
            }
        }
    }
}

TEST(Win32Scaling, LayoutsStayWholeAtEveryScale)
{
    expectScalesWhole(forms::kForm1Rows, forms::kForm1Width, forms::kForm1Height);
    expectScalesWhole(forms::kSplashRows, forms::kSplashWidth, forms::kSplashHeight);

    // Rows of odd sizes that touch or overlap by one pixel, as a table may have them.
    std::vector<services::ControlRow> strip;
    for (int i = 0; i < 24; ++i) {
        services::ControlRow row{};
        row.id = "strip";
        row.geometry = {1 + 7 * i, 3 + 5 * i - (i % 2), 7 + (i % 3), 5 + (i % 2)};
        strip.push_back(row);
    }
    expectScalesWhole(strip, 15 * 400, 15 * 200);
}

TEST(Win32Scaling, SizesAtTheCommonScales)
{
    struct Case {
        int dpi;
        int clientWidth, clientHeight; // the questionnaire's client area
        int bannerWidth;               // the banner box, border included
        int dialogFont, headingFont;   // 8.25 and 9.75 points
    };
    const std::vector<Case> cases{
        {96, 701, 513, 404, 11, 13},
        {120, 876, 641, 505, 14, 16},
        {144, 1052, 770, 606, 17, 20},
        {192, 1402, 1026, 808, 22, 26},
    };
    const PixelRect banner =
        forms::kForm1Rows[services::rowOf(forms::Form1Control::Picture1)].geometry;
    for (const Case &c : cases) {
        EXPECT_EQ(pixels(forms::kForm1Width, c.dpi), c.clientWidth) << c.dpi;
        EXPECT_EQ(pixels(forms::kForm1Height, c.dpi), c.clientHeight) << c.dpi;
        EXPECT_EQ(scaledRect(banner, c.dpi).width, c.bannerWidth) << c.dpi;
        EXPECT_EQ(fontPixels(8.25, c.dpi), c.dialogFont) << c.dpi;
        EXPECT_EQ(fontPixels(9.75, c.dpi), c.headingFont) << c.dpi;
    }
    // At 96 dots per inch nothing moves: the rows are the layout.
    for (const services::ControlRow &row : forms::kForm1Rows)
        EXPECT_EQ(scaledRect(row.geometry, 96), row.geometry) << row.id;
}

TEST(Win32Keyboard, TabFollowsTheTabPositionsAndSkipsWhatCannotTakeTheFocus)
{
    // The questionnaire's three: Command2 (18), Picture1 (17), Command1 (13), in the
    // order of the window's description.
    constexpr std::size_t fine = 0, banner = 1, responso = 2;
    struct Case {
        bool bannerShown;
        std::optional<std::size_t> from;
        bool backwards;
        std::optional<std::size_t> to;
    };
    const std::vector<Case> cases{
        {false, std::nullopt, false, responso}, // the first in tab order
        {false, std::nullopt, true, fine},      // Shift+Tab from nowhere: the last
        {false, responso, false, fine},         // the hidden banner is passed over
        {false, fine, false, responso},         // round and round
        {false, fine, true, responso},
        {true, responso, false, banner},
        {true, banner, false, fine},
        {true, fine, false, responso},
        {true, responso, true, fine},
        {true, fine, true, banner},
        {false, banner, false, fine}, // the focus on a control just hidden still moves on
    };
    for (const Case &c : cases) {
        const std::vector<TabStop> stops{{18, true}, {17, c.bannerShown}, {13, true}};
        EXPECT_EQ(nextInTabOrder(stops, c.from, c.backwards), c.to)
            << "banner " << c.bannerShown << " from " << c.from.value_or(9) << " back "
            << c.backwards;
    }
    EXPECT_EQ(nextInTabOrder({{1, false}}, std::nullopt, false), std::nullopt);
    EXPECT_EQ(nextInTabOrder({}, std::nullopt, false), std::nullopt);
}

} // namespace
} // namespace tervanel::win32
