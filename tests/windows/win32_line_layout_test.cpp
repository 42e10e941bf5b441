// How a label's caption breaks into lines as the Win32 labels lay them out: worked out by
// hand with every character 5 pixels wide.

#include "platform/win32/line_layout.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tervanel::win32 {
namespace {

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

TEST(LineLayout, BreaksAtCarriageReturnsAndBetweenWords)
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
            << "caption of " << std::wstring(c.caption).size() << " characters, width " << c.width;
}

TEST(LineLayout, LineWidthLeavesOutHangingBlanks)
{
    const auto lines = layOutLines(L"ab cd\r  ef ", 100, fiveEach);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].width, 25); // "ab cd"
    EXPECT_EQ(lines[1].width, 20); // "  ef", not its trailing blank
}

} // namespace
} // namespace tervanel::win32
