// How the program's texts become Windows text, checked without a window: UTF-8 to UTF-16,
// the lone CRs of prompts as the CR LF pairs Windows breaks lines at, and the keyboard's
// UTF-16 units as characters.

#include "platform/win32/convert.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tervanel::win32 {
namespace {

TEST(Win32Text, CarriageReturnsBecomeWindowsLineBreaks)
{
    struct Case {
        std::wstring in, withLineFeeds;
    };
    const std::vector<Case> cases{
        {L"a\rb", L"a\r\nb"},   {L"a\r\r\rb", L"a\r\n\r\n\r\nb"},
        {L"a\r\nb", L"a\r\nb"}, {L"\r", L"\r\n"},
        {L"plain", L"plain"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(withLineFeeds(c.in), c.withLineFeeds);
}

TEST(Win32Text, Utf8BecomesUtf16)
{
    struct Case {
        std::string utf8;
        std::wstring utf16;
    };
    const std::vector<Case> cases{
        {"più", L"pi\u00f9"},
        {"è già", L"\u00e8 gi\u00e0"},
        {"«Gambe»", L"\u00abGambe\u00bb"},
        {"\xF0\x9F\x98\x80", L"\xD83D\xDE00"}, // beyond the first plane: a surrogate pair
        {"a\xFF"
         "b",
         L"a\uFFFDb"}, // not UTF-8
        {"", L""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(toWide(c.utf8), c.utf16) << c.utf8;
}

TEST(Win32Text, SurrogatePairsJoinIntoOneCharacter)
{
    struct Row {
        std::u16string units;
        std::u32string characters;
    };
    const Row rows[] = {
        {u"a", U"a"},
        {u"\xD83D\xDE00", U"\U0001F600"},
        {u"\xDE00x", U"x"},                     // a low surrogate alone is dropped
        {u"\xD83D\xD83D\xDE00", U"\U0001F600"}, // a high one replaced by the next
        {u"\xD83Dx", U"x"},
    };
    for (const Row &row : rows) {
        SurrogateJoiner joiner;
        std::u32string joined;
        for (char16_t unit : row.units)
            if (const auto c = joiner.join(unit))
                joined += *c;
        EXPECT_EQ(joined, row.characters);
    }
}

} // namespace
} // namespace tervanel::win32
