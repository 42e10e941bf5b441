#include "platform/win32/convert.hpp"

#include <windows.h>

namespace tervanel::win32 {

std::wstring toWide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::wstring withLineFeeds(std::wstring_view text)
{
    std::wstring out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n'))
            out += L'\n';
    }
    return out;
}

std::optional<char32_t> SurrogateJoiner::join(char16_t unit)
{
    if (unit >= 0xD800 && unit < 0xDC00) {
        m_high = unit;
        return std::nullopt;
    }
    const char16_t high = m_high;
    m_high = 0;
    if (unit >= 0xDC00 && unit < 0xE000) {
        if (!high)
            return std::nullopt; // a low surrogate alone
        return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10)
               + (static_cast<char32_t>(unit) - 0xDC00);
    }
    return unit;
}

} // namespace tervanel::win32
