#pragma once

#include <optional>
#include <string>
#include <string_view>

// The forms' texts as Windows takes them, and the keyboard's as the windows take them.
namespace tervanel::win32 {

// The program's texts are UTF-8; Windows wants UTF-16. Invalid sequences become U+FFFD.
[[nodiscard]] std::wstring toWide(std::string_view utf8);

// Captions and prompts break their lines with a lone CR; Windows' text drawing breaks
// them reliably only at CR LF. Every CR not already followed by LF gets one.
[[nodiscard]] std::wstring withLineFeeds(std::wstring_view text);

// Joins UTF-16 units into characters, as WM_CHAR delivers them: a high surrogate waits
// for its low one; a unit out of place is dropped.
class SurrogateJoiner final {
public:
    [[nodiscard]] std::optional<char32_t> join(char16_t unit);

private:
    char16_t m_high = 0;
};

} // namespace tervanel::win32
