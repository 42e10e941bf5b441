// `cmake --install` of the build tree into a private folder, and what lands there: exactly
// the expected files, the program executable and nothing else, every icon the size its
// folder names, the desktop files naming one another, the compressed files reproducible.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string readText(const fs::path &path)
{
    const Bytes bytes = readBytes(path);
    return {bytes.begin(), bytes.end()};
}

std::uint32_t be32(const Bytes &b, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8U) | b.at(at + i);
    return value;
}

// The value of `key=` in a desktop entry, empty when the key is missing.
std::string desktopValue(const std::string &entry, const std::string &key)
{
    const std::string start = "\n" + key + "=";
    const std::size_t at = entry.find(start);
    if (at == std::string::npos)
        return {};
    const std::size_t from = at + start.size();
    return entry.substr(from, entry.find('\n', from) - from);
}

// The text right after the first `opening` (a whole start tag), up to the next tag.
std::string xmlText(const std::string &xml, const std::string &opening)
{
    const std::size_t at = xml.find(opening);
    if (at == std::string::npos)
        return {};
    const std::size_t from = at + opening.size();
    return xml.substr(from, xml.find('<', from) - from);
}

std::string quoted(const fs::path &path)
{
    std::string out(1, '\'');
    out.append(path.string()).push_back('\'');
    return out;
}

// One install per test program, in a folder of its own so that parallel runs never meet;
// removed when the program ends.
class InstalledTree {
public:
    InstalledTree()
    {
        std::string pattern = (fs::temp_directory_path() / "tervanel-install-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            return;
        m_folder = pattern;
        const fs::path log = m_folder / "install.log";
        const std::string cmake = quoted(TERVANEL_CMAKE_COMMAND);
        const std::string command = cmake + " -E env DESTDIR=" + quoted(m_folder / "root") + " "
                                    + cmake + " --install " + quoted(TERVANEL_BINARY_DIR)
                                    + " --prefix /usr >" + quoted(log) + " 2>&1";
        m_status = std::system(command.c_str());
        m_log = readText(log);
    }

    ~InstalledTree()
    {
        std::error_code ignored;
        if (!m_folder.empty())
            fs::remove_all(m_folder, ignored);
    }

    InstalledTree(const InstalledTree &) = delete;
    InstalledTree &operator=(const InstalledTree &) = delete;

    bool installed() const { return !m_folder.empty() && m_status == 0; }
    const std::string &log() const { return m_log; }
    fs::path root() const { return m_folder / "root"; }

    // Every file under the install root, wherever the rules put it, relative to the root.
    std::set<std::string> files() const
    {
        std::set<std::string> found;
        for (const auto &entry : fs::recursive_directory_iterator(root())) {
            if (!entry.is_directory())
                found.insert(fs::relative(entry.path(), root()).string());
        }
        return found;
    }

private:
    fs::path m_folder;
    int m_status = -1;
    std::string m_log;
};

class InstallTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const InstalledTree tree;
        m_tree = &tree;
        ASSERT_TRUE(tree.installed()) << "cmake --install failed:\n" << tree.log();
    }

    fs::path at(const std::string &relative) const { return m_tree->root() / relative; }

    const InstalledTree *m_tree = nullptr;
};

constexpr std::array kIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};
const std::string kDesktopEntry = "usr/share/applications/tervanel.desktop";
const std::string kMetainfo = "usr/share/metainfo/example.dorvik.tervanel.metainfo.xml";

std::string pngIcon(int size)
{
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    return "usr/share/icons/hicolor/" + folder + "/apps/tervanel.png";
}

TEST_F(InstallTree, HoldsExactlyTheExpectedFiles)
{
    std::set<std::string> expected = {"usr/bin/tervanel",
                                      kDesktopEntry,
                                      kMetainfo,
                                      "usr/share/icons/hicolor/scalable/apps/tervanel.svg",
                                      "usr/share/man/man1/tervanel.1.gz",
                                      "usr/share/doc/tervanel/copyright",
                                      "usr/share/doc/tervanel/changelog.gz"};
    for (const int size : kIconSizes)
        expected.insert(pngIcon(size));
    const std::set<std::string> found = m_tree->files();
    for (const std::string &file : expected)
        EXPECT_EQ(found.count(file), 1U) << "missing: " << file;
    for (const std::string &file : found)
        EXPECT_EQ(expected.count(file), 1U) << "unexpected: " << file;
}

// The program alone may be executable, and it must be a real program, not a link.
TEST_F(InstallTree, OnlyTheProgramIsExecutable)
{
    constexpr auto anyExec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    for (const std::string &file : m_tree->files()) {
        const fs::path path = at(file);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path))) << file;
        const fs::perms perms = fs::status(path).permissions();
        EXPECT_NE(perms & fs::perms::others_read, fs::perms::none) << file << " readable by all";
        if (file == "usr/bin/tervanel")
            EXPECT_EQ(perms & anyExec, anyExec) << file;
        else
            EXPECT_EQ(perms & anyExec, fs::perms::none) << file;
    }
    const Bytes program = readBytes(at("usr/bin/tervanel"));
    ASSERT_GE(program.size(), 4U);
    EXPECT_EQ(std::string(program.begin(), program.begin() + 4), "\177ELF");
}

TEST_F(InstallTree, EveryPngIconHasTheSizeOfItsFolder)
{
    for (const int size : kIconSizes) {
        const Bytes png = readBytes(at(pngIcon(size)));
        ASSERT_GE(png.size(), 24U) << size;
        EXPECT_EQ(std::string(png.begin(), png.begin() + 8), "\x89PNG\r\n\x1a\n") << size;
        EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR") << size;
        EXPECT_EQ(be32(png, 16), static_cast<std::uint32_t>(size)) << "width in " << size;
        EXPECT_EQ(be32(png, 20), static_cast<std::uint32_t>(size)) << "height in " << size;
    }
    const std::string svg = readText(at("usr/share/icons/hicolor/scalable/apps/tervanel.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
}

// The desktop entry starts the installed program with the installed icon; the AppStream
// file is named after its id and points at the desktop entry and the program.
TEST_F(InstallTree, DesktopFilesNameOneAnother)
{
    const std::string entry = readText(at(kDesktopEntry));
    const std::string exec = desktopValue(entry, "Exec");
    const std::string program = exec.substr(0, exec.find(' '));
    ASSERT_FALSE(program.empty()) << "no Exec=";
    EXPECT_TRUE(fs::exists(at("usr/bin/" + program))) << "Exec=" << exec;
    const std::string icon = desktopValue(entry, "Icon");
    ASSERT_FALSE(icon.empty()) << "no Icon=";
    EXPECT_TRUE(fs::exists(at("usr/share/icons/hicolor/scalable/apps/" + icon + ".svg"))) << icon;
    for (const int size : kIconSizes)
        EXPECT_EQ(fs::path(pngIcon(size)).stem(), icon) << size;

    const std::string metainfo = readText(at(kMetainfo));
    EXPECT_EQ(xmlText(metainfo, "<id>") + ".metainfo.xml", fs::path(kMetainfo).filename());
    EXPECT_EQ(xmlText(metainfo, "<launchable type=\"desktop-id\">"),
              fs::path(kDesktopEntry).filename());
    const std::string binary = xmlText(metainfo, "<binary>");
    ASSERT_FALSE(binary.empty()) << "no <binary>";
    EXPECT_TRUE(fs::exists(at("usr/bin/" + binary))) << binary;
}

// Debian takes gzip files compressed at the maximum, without a name or a time stamp, so
// that building twice gives the same package.
TEST_F(InstallTree, CompressedFilesAreReproducible)
{
    for (const char *file :
         {"usr/share/doc/tervanel/changelog.gz", "usr/share/man/man1/tervanel.1.gz"}) {
        const Bytes gz = readBytes(at(file));
        ASSERT_GE(gz.size(), 10U) << file;
        EXPECT_EQ(gz.at(0), 0x1F) << file;
        EXPECT_EQ(gz.at(1), 0x8B) << file;
        EXPECT_EQ(gz.at(3) & 0x08, 0) << file << " stores a file name";
        EXPECT_TRUE(std::all_of(gz.begin() + 4, gz.begin() + 8, [](auto b) { return b == 0; }))
            << file << " stores a time stamp";
        EXPECT_EQ(gz.at(8), 2) << file << " not at maximum compression";
    }
}

} // namespace
