// The desktop's wish for more contrast, as X settings publish it: the settings' bytes as a
// settings manager writes them, in either byte order, and damaged ones.

#include "platform/qt/colors.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tervanel::qt {
namespace {

// Builds a settings property as a settings manager writes it.
class Settings {
public:
    explicit Settings(bool mostSignificantFirst)
        : m_msb(mostSignificantFirst)
    {
        m_bytes.push_back(std::byte{m_msb ? std::uint8_t{1} : std::uint8_t{0}});
        pad(3);
        number(7, 4); // serial
        number(0, 4); // the count, written last
    }
    Settings &integer(const std::string &name, std::uint32_t value)
    {
        header(0, name);
        number(value, 4);
        return counted();
    }
    Settings &string(const std::string &name, const std::string &value)
    {
        header(1, name);
        number(static_cast<std::uint32_t>(value.size()), 4);
        text(value);
        return counted();
    }
    Settings &color(const std::string &name)
    {
        header(2, name);
        pad(8);
        return counted();
    }
    [[nodiscard]] std::vector<std::byte> bytes(std::size_t cut = 0) const
    {
        return {m_bytes.begin(), m_bytes.end() - static_cast<std::ptrdiff_t>(cut)};
    }

private:
    void pad(std::size_t n)
    {
        for (std::size_t i = 0; i < n; ++i)
            m_bytes.push_back(std::byte{0});
    }
    void number(std::uint32_t value, std::size_t size, std::size_t at = SIZE_MAX)
    {
        for (std::size_t i = 0; i < size; ++i) {
            const std::size_t shift = 8 * (m_msb ? size - 1 - i : i);
            const auto b = static_cast<std::byte>((value >> shift) & 0xFFU);
            if (at == SIZE_MAX)
                m_bytes.push_back(b);
            else
                m_bytes[at + i] = b;
        }
    }
    void text(const std::string &s)
    {
        for (char c : s)
            m_bytes.push_back(static_cast<std::byte>(c));
        pad((4 - s.size() % 4) % 4);
    }
    void header(std::uint8_t type, const std::string &name)
    {
        m_bytes.push_back(std::byte{type});
        pad(1);
        number(static_cast<std::uint32_t>(name.size()), 2);
        text(name);
        number(3, 4); // last change
    }
    Settings &counted()
    {
        number(++m_count, 4, 8);
        return *this;
    }

    bool m_msb;
    std::uint32_t m_count = 0;
    std::vector<std::byte> m_bytes;
};

TEST(Contrast, TheThemeNameIsReadFromTheSettings)
{
    struct Row {
        const char *what;
        std::vector<std::byte> bytes;
        std::optional<std::string> theme;
    };
    const Row rows[] = {
        {"alone", Settings(false).string("Net/ThemeName", "HighContrast").bytes(), "HighContrast"},
        {"most significant byte first",
         Settings(true).string("Net/ThemeName", "HighContrastInverse").bytes(),
         "HighContrastInverse"},
        {"after settings of every type",
         Settings(true)
             .integer("Net/DoubleClickTime", 400)
             .color("Gtk/Color")
             .string("Net/IconThemeName", "Adwaita")
             .string("Net/ThemeName", "Adwaita-dark")
             .bytes(),
         "Adwaita-dark"},
        {"no theme", Settings(false).integer("Xft/DPI", 98304).bytes(), std::nullopt},
        {"cut in its value", Settings(false).string("Net/ThemeName", "HighContrast").bytes(3),
         std::nullopt},
        {"cut in its name", Settings(false).string("Net/ThemeName", "X").bytes(16), std::nullopt},
        {"empty", {}, std::nullopt},
        {"a byte order that is neither", {std::byte{2}, {}, {}, {}}, std::nullopt},
    };
    for (const Row &row : rows)
        EXPECT_EQ(themeNameOf(row.bytes), row.theme) << row.what;

    // A count that claims more settings than there are ends the reading, not the program.
    std::vector<std::byte> lying = Settings(false).integer("Xft/DPI", 1).bytes();
    lying[8] = std::byte{0xFF};
    lying[11] = std::byte{0x7F};
    EXPECT_EQ(themeNameOf(lying), std::nullopt);
}

TEST(Contrast, OnlyTheHighContrastThemesAskForMoreContrast)
{
    for (const char *theme : {"HighContrast", "HighContrastInverse"})
        EXPECT_TRUE(isHighContrastTheme(theme)) << theme;
    for (const char *theme : {"Adwaita", "Adwaita-dark", "highcontrast", "HighContrastLarge", ""})
        EXPECT_FALSE(isHighContrastTheme(theme)) << theme;
}

} // namespace
} // namespace tervanel::qt
