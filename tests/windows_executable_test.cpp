// The Windows executables as Windows will load them, read from their PE headers on this
// host: 64-bit GUI programs (no console window), small, importing only DLLs that every
// Windows has; and Tervanel.exe carrying its resources inside.

#include "tests/support/binary_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using tervanel::test::Bytes;
using tervanel::test::readFile;

std::uint16_t le16(const Bytes &b, std::size_t at)
{
    return tervanel::test::readField<std::uint16_t>(b, at);
}

std::uint32_t le32(const Bytes &b, std::size_t at)
{
    return tervanel::test::readField<std::uint32_t>(b, at);
}

std::string lower(std::string text)
{
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

constexpr std::uint16_t kAmd64 = 0x8664;
constexpr std::uint16_t kPe32Plus = 0x20B;
constexpr std::uint16_t kGuiSubsystem = 2;
constexpr std::size_t kImportDirectory = 1;
constexpr std::size_t kResourceDirectory = 2;
constexpr std::size_t kDelayImportDirectory = 13;

// The parts of a PE image these checks read.
class PeImage {
public:
    explicit PeImage(Bytes bytes)
        : m_bytes(std::move(bytes))
    {
        if (le16(m_bytes, 0) != 0x5A4D)
            throw std::runtime_error("no MZ header");
        const std::size_t pe = le32(m_bytes, 0x3C);
        if (le32(m_bytes, pe) != 0x00004550)
            throw std::runtime_error("no PE signature");
        m_machine = le16(m_bytes, pe + 4);
        const std::size_t sections = le16(m_bytes, pe + 6);
        const std::size_t optionalSize = le16(m_bytes, pe + 20);
        const std::size_t optional = pe + 24;
        m_magic = le16(m_bytes, optional);
        if (m_magic != kPe32Plus)
            throw std::runtime_error("not a 64-bit image");
        m_subsystem = le16(m_bytes, optional + 68);
        const std::size_t directories = le32(m_bytes, optional + 108);
        for (std::size_t i = 0; i < directories; ++i)
            m_directories.push_back(
                {le32(m_bytes, optional + 112 + 8 * i), le32(m_bytes, optional + 116 + 8 * i)});
        for (std::size_t i = 0, at = optional + optionalSize; i < sections; ++i, at += 40)
            m_sections.push_back({le32(m_bytes, at + 12), le32(m_bytes, at + 8),
                                  le32(m_bytes, at + 20), le32(m_bytes, at + 16)});
    }

    [[nodiscard]] std::uint16_t machine() const { return m_machine; }
    [[nodiscard]] std::uint16_t subsystem() const { return m_subsystem; }

    // The DLLs named by the import table and by the delay-load table.
    [[nodiscard]] std::vector<std::string> importedDlls() const
    {
        std::vector<std::string> dlls;
        // IMAGE_IMPORT_DESCRIPTOR: 20 bytes, the name's address at 12; an empty one ends.
        if (const std::uint32_t table = directoryAddress(kImportDirectory))
            for (std::size_t at = offset(table); le32(m_bytes, at + 12) != 0; at += 20)
                dlls.push_back(stringAt(le32(m_bytes, at + 12)));
        // ImgDelayDescr: 32 bytes, the name's address at 4.
        if (const std::uint32_t table = directoryAddress(kDelayImportDirectory))
            for (std::size_t at = offset(table); le32(m_bytes, at + 4) != 0; at += 32)
                dlls.push_back(stringAt(le32(m_bytes, at + 4)));
        return dlls;
    }

    // The resources by type and numeric name, first language only; named ones are left out.
    [[nodiscard]] std::map<std::pair<unsigned, unsigned>, Bytes> resources() const
    {
        std::map<std::pair<unsigned, unsigned>, Bytes> found;
        const std::uint32_t root = directoryAddress(kResourceDirectory);
        if (root == 0)
            return found;
        const std::size_t base = offset(root);
        // An entry's high bit marks a subdirectory; a name's high bit marks a string.
        const auto entries = [&](std::size_t directory) {
            std::vector<std::pair<std::uint32_t, std::uint32_t>> list;
            const std::size_t count =
                std::size_t{le16(m_bytes, directory + 12)} + le16(m_bytes, directory + 14);
            for (std::size_t i = 0; i < count; ++i)
                list.emplace_back(le32(m_bytes, directory + 16 + 8 * i),
                                  le32(m_bytes, directory + 20 + 8 * i));
            return list;
        };
        constexpr std::uint32_t kHigh = 0x80000000U;
        for (const auto &[type, types] : entries(base)) {
            if ((type & kHigh) || !(types & kHigh))
                continue;
            for (const auto &[name, names] : entries(base + (types & ~kHigh))) {
                if ((name & kHigh) || !(names & kHigh))
                    continue;
                const auto languages = entries(base + (names & ~kHigh));
                if (languages.empty() || (languages.front().second & kHigh))
                    continue;
                const std::size_t data = base + languages.front().second;
                const std::size_t at = offset(le32(m_bytes, data));
                const std::size_t size = le32(m_bytes, data + 4);
                if (at + size > m_bytes.size())
                    throw std::out_of_range("a resource runs past the end of the file");
                found[{type, name}] =
                    Bytes(m_bytes.begin() + static_cast<std::ptrdiff_t>(at),
                          m_bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
            }
        }
        return found;
    }

private:
    struct Directory {
        std::uint32_t address, size;
    };
    struct Section {
        std::uint32_t address, virtualSize, fileOffset, fileSize;
    };

    [[nodiscard]] std::uint32_t directoryAddress(std::size_t index) const
    {
        return index < m_directories.size() && m_directories[index].size != 0
                   ? m_directories[index].address
                   : 0;
    }

    // Where a relative virtual address lies in the file.
    [[nodiscard]] std::size_t offset(std::uint32_t rva) const
    {
        for (const Section &s : m_sections)
            if (rva >= s.address && rva < s.address + std::max(s.virtualSize, s.fileSize))
                return s.fileOffset + (rva - s.address);
        throw std::out_of_range("an address outside every section");
    }

    [[nodiscard]] std::string stringAt(std::uint32_t rva) const
    {
        std::string text;
        for (std::size_t at = offset(rva); m_bytes.at(at) != 0; ++at)
            text += static_cast<char>(m_bytes.at(at));
        return text;
    }

    Bytes m_bytes;
    std::uint16_t m_machine = 0;
    std::uint16_t m_magic = 0;
    std::uint16_t m_subsystem = 0;
    std::vector<Directory> m_directories;
    std::vector<Section> m_sections;
};

// DLLs that come with every Windows the program is for (7 and later), in lower case.
const std::set<std::string> kSystemDlls = {
    "kernel32.dll", "user32.dll",  "gdi32.dll",         "msvcrt.dll",  "advapi32.dll",
    "shell32.dll",  "ole32.dll",   "oleaut32.dll",      "oleacc.dll",  "comctl32.dll",
    "uxtheme.dll",  "shlwapi.dll", "windowscodecs.dll", "gdiplus.dll", "comdlg32.dll",
    "version.dll",  "imm32.dll",   "winmm.dll",         "dwmapi.dll",  "msimg32.dll",
};

struct Executable {
    const char *name;
    std::string path;
};

void PrintTo(const Executable &executable, std::ostream *out)
{
    *out << executable.name;
}

std::vector<Executable> executables()
{
    return {{"floor", TERVANEL_WINDOWS_FLOOR}, {"Tervanel", TERVANEL_WINDOWS_PROGRAM}};
}

class WindowsExecutable : public ::testing::TestWithParam<Executable> {};

TEST_P(WindowsExecutable, SixtyFourBitGuiProgramOfAtMostTwoMebibytes)
{
    const std::string &path = GetParam().path;
    const auto size = std::filesystem::file_size(path);
    EXPECT_LE(size, 2U * 1024U * 1024U) << path;
    const PeImage image(readFile(path));
    EXPECT_EQ(image.machine(), kAmd64);
    EXPECT_EQ(image.subsystem(), kGuiSubsystem) << "a console program would open a console";
    RecordProperty("bytes", std::to_string(size));
}

TEST_P(WindowsExecutable, ImportsOnlyDllsThatEveryWindowsHas)
{
    const std::vector<std::string> dlls = PeImage(readFile(GetParam().path)).importedDlls();
    ASSERT_FALSE(dlls.empty()) << "an executable imports kernel32 at least";
    std::string list;
    for (const std::string &dll : dlls) {
        list += (list.empty() ? "" : " ") + dll;
        EXPECT_TRUE(kSystemDlls.contains(lower(dll))) << dll << " is not part of every Windows";
    }
    RecordProperty("imports", list);
    std::cout << GetParam().name << " imports: " << list << '\n';
}

INSTANTIATE_TEST_SUITE_P(Built, WindowsExecutable, ::testing::ValuesIn(executables()),
                         [](const auto &built) { return std::string(built.param.name); });

// An imported DLL is loaded before the program's first line runs: Tervanel.exe imports
// only what its first window needs, as the least Win32 program does (ADVAPI32 for the
// stack protector's libssp, GDI32 for its text and pictures). COM, oleacc and the common
// controls are loaded when a later moment needs them.
TEST(TervanelExe, ImportsOnlyWhatItsFirstWindowNeeds)
{
    const std::set<std::string> firstWindow = {"kernel32.dll", "user32.dll", "gdi32.dll",
                                               "msvcrt.dll", "advapi32.dll"};
    for (const std::string &dll : PeImage(readFile(TERVANEL_WINDOWS_PROGRAM)).importedDlls())
        EXPECT_TRUE(firstWindow.contains(lower(dll))) << dll << " is loaded at every start";
}

constexpr unsigned kRcData = 10;
constexpr unsigned kGroupIcon = 14;
constexpr unsigned kVersion = 16;
constexpr unsigned kManifest = 24;

// The pictures and fonts are the very files of app/resources, under the numbers that the
// window services load them by; the version information, icon group and manifest are there.
TEST(TervanelExe, CarriesItsResources)
{
    const auto resources = PeImage(readFile(TERVANEL_WINDOWS_PROGRAM)).resources();
    const std::string sources = TERVANEL_SOURCE_DIR "/app/resources/";
    struct Row {
        unsigned type, id;
        const char *file; // nullptr: present, contents checked elsewhere
    };
    for (const Row &row :
         {Row{kVersion, 1, nullptr}, Row{kGroupIcon, 1, nullptr}, Row{kManifest, 1, nullptr},
          Row{kRcData, 101, "banner.gif"}, Row{kRcData, 102, "portrait.jpg"},
          Row{kRcData, 111, "fonts/LiberationSans-Regular.ttf"},
          Row{kRcData, 112, "fonts/LiberationSans-Bold.ttf"}}) {
        SCOPED_TRACE("type " + std::to_string(row.type) + ", id " + std::to_string(row.id));
        const auto found = resources.find({row.type, row.id});
        ASSERT_NE(found, resources.end());
        if (row.file) {
            EXPECT_TRUE(found->second == readFile(sources + row.file)) << row.file;
        }
    }

    const Bytes &manifest = resources.at({kManifest, 1});
    const std::string text(manifest.begin(), manifest.end());
    for (const char *setting : {"<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                                "WindowsSettings\">PerMonitorV2",
                                ">true/pm</dpiAware>", "level=\"asInvoker\""})
        EXPECT_NE(text.find(setting), std::string::npos) << setting;
    // Common controls 6 would have the first push button load comctl32 at start-up.
    EXPECT_EQ(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

} // namespace
