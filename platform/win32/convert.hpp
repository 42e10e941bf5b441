#pragma once

#include <string>
#include <string_view>

namespace tervanel::win32 {

// The program's texts are UTF-8; Windows wants UTF-16. Invalid sequences become U+FFFD.
[[nodiscard]] std::wstring toWide(std::string_view utf8);

// Captions and prompts break their lines with a lone CR; Windows' text drawing breaks
// them reliably only at CR LF. Every CR not already followed by LF gets one.
[[nodiscard]] std::wstring withLineFeeds(std::wstring_view text);

} // namespace tervanel::win32
