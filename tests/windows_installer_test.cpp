// The Windows installer under Wine, in a Wine prefix of the test's own, as a Windows user
// meets it: `msiexec /i ... /qn` installs it, the program is in Program Files, in the Start
// menu and among the installed programs, it starts from its shortcut, a later version
// replaces it, and `msiexec /x ... /qn` takes back everything it put in.

#include "core/identity.hpp"
#include "harness/harness.hpp"
#include "harness/program_screen.hpp"
#include "harness/x11_session.hpp"
#include "tests/support/binary_file.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace tervanel::test {
namespace {

namespace fs = std::filesystem;
using harness::kWineLook;
using harness::Point;
using harness::ProgramScreen;
using harness::TopLevel;
using harness::waitFor;
using harness::X11Session;
namespace screen = harness::screen;

struct Installer {
    std::string version;
    std::string package;     // the .msi
    std::string productCode; // "{...}", drawn from the version
};

const Installer kThisVersion{std::string(identity::kVersion), TERVANEL_MSI, TERVANEL_PRODUCT_CODE};
const Installer kNextVersion{TERVANEL_NEXT_VERSION, TERVANEL_NEXT_MSI, TERVANEL_NEXT_PRODUCT_CODE};

const std::string kUninstall = R"(HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\)";
const std::string kInstallerProducts = R"(HKLM\Software\Classes\Installer\Products\)";
const std::string kInstallerUpgradeCodes = R"(HKLM\Software\Classes\Installer\UpgradeCodes\)";

// Windows Installer's keys name a code packed: the first three fields of the GUID with
// their hex digits reversed, then the two hex digits of every later byte swapped.
std::string packed(const std::string &code)
{
    std::string hex;
    std::copy_if(code.begin(), code.end(), std::back_inserter(hex),
                 [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
    std::string result;
    const std::pair<int, int> fields[] = {{0, 8}, {8, 4}, {12, 4}}; // from, length
    for (auto [from, length] : fields)
        result.append(hex.rbegin() + (32 - from - length), hex.rbegin() + (32 - from));
    for (std::size_t i = 16; i < 32; i += 2)
        result += {hex[i + 1], hex[i]};
    return result;
}

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A shortcut's target, working folder and icon, read from the Shell Link format: a header,
// the target as an item list, the link information with the target's local path in the
// system code page, then the strings the flags announce, each a count and UTF-16 units.
struct Shortcut {
    std::string target, workingFolder, icon;
};

Shortcut readShortcut(const fs::path &path)
{
    const Bytes link = readFile(path);
    const auto flags = readField<std::uint32_t>(link, 0x14);
    std::uint64_t at = 0x4C;
    if (flags & 0x01)
        at += 2U + readField<std::uint16_t>(link, at);
    Shortcut shortcut;
    if (flags & 0x02) {
        for (auto c = at + readField<std::uint32_t>(link, at + 16); link.at(c) != 0; ++c)
            shortcut.target += static_cast<char>(link[c]);
        at += readField<std::uint32_t>(link, at);
    }
    const auto nextString = [&] {
        const auto units = readField<std::uint16_t>(link, at);
        std::string text;
        for (std::uint64_t i = 0; i < units; ++i) {
            const auto unit = readField<std::uint16_t>(link, at + 2 + 2 * i);
            // Wine counts the string's terminating zero too.
            if (unit != 0)
                text += unit < 0x80 ? static_cast<char>(unit) : '?';
        }
        at += 2 + 2 * std::uint64_t{units};
        return text;
    };
    const std::pair<std::uint32_t, std::string *> strings[] = {
        {0x04, nullptr},                 // name
        {0x08, nullptr},                 // relative path
        {0x10, &shortcut.workingFolder}, // working folder
        {0x20, nullptr},                 // arguments
        {0x40, &shortcut.icon}};         // icon location
    for (auto [bit, field] : strings)
        if (flags & bit) {
            const std::string text = nextString();
            if (field)
                *field = text;
        }
    return shortcut;
}

using RegistryValues = std::map<std::string, std::string>;

class WindowsInstaller : public ::testing::Test {
protected:
    // The prefix is made before the test looks at it, and Wine stays warm between commands.
    void SetUp() override { m_wine.keepWarm(); }
    void TearDown() override
    {
        m_wine.end();
        fs::remove_all(m_folder);
    }

    struct Result {
        int status;
        std::string output; // lines without their CR
    };

    // A Windows command run in the test's prefix (made on first use) to its end, with no
    // display; its exit status and what it printed.
    Result windows(const std::vector<std::string> &command) const
    {
        std::vector<std::string> environment = harness::currentEnvironment();
        std::erase_if(environment, [](const std::string &e) {
            return e.starts_with("DISPLAY=") || e.starts_with("WAYLAND_DISPLAY=");
        });
        std::vector<std::string> argv = m_wine.command(command.front());
        argv.insert(argv.end(), command.begin() + 1, command.end());
        const std::string outputPath = m_folder + "/output.txt";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const pid_t pid = harness::spawn(argv, environment, &actions);
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        waitpid(pid, &status, 0);
        std::ifstream in(outputPath, std::ios::binary);
        std::string output{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::erase(output, '\r');
        return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), output};
    }

    int msiexec(const char *action, const Installer &installer) const
    {
        // Wine's Z: drive is the Unix root.
        std::string package = "Z:" + fs::absolute(installer.package).string();
        std::replace(package.begin(), package.end(), '/', '\\');
        return windows({"msiexec", action, package, "/qn"}).status;
    }

    // Every registry key under `root`, recursively, with its values; `reg query` prints a
    // key's name flush left, then each of its values indented: name, type, data.
    std::map<std::string, RegistryValues> registry(const std::string &root) const
    {
        std::map<std::string, RegistryValues> keys;
        std::istringstream lines(windows({"reg", "query", root, "/s"}).output);
        RegistryValues *current = nullptr;
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with("HKEY_"))
                current = &keys[line];
            else if (current && line.starts_with("    ")) {
                const auto type = line.find("    ", 4);
                const auto data = type == std::string::npos ? type : line.find("    ", type + 4);
                (*current)[line.substr(4, type - 4)] =
                    data == std::string::npos ? "" : line.substr(data + 4);
            }
        }
        return keys;
    }

    // One key's values, or nothing when there is no such key.
    std::optional<RegistryValues> registryKey(const std::string &key) const
    {
        const auto keys = registry(key);
        if (keys.empty())
            return std::nullopt;
        return keys.begin()->second;
    }

    // Everything that can hold something of a program: every file and folder of drive C:,
    // every registry key of the machine's and of the user's software (Wine's own settings
    // aside), each with whether it holds anything itself (a file does; a key with values).
    std::map<std::string, bool> everything() const
    {
        std::map<std::string, bool> all;
        for (const auto &entry : fs::recursive_directory_iterator(drive()))
            all["C:/" + entry.path().lexically_relative(drive()).string()] = !entry.is_directory();
        for (const char *root : {R"(HKLM\Software)", R"(HKCU\Software)"})
            for (const auto &[key, values] : registry(root))
                if (!key.starts_with(R"(HKEY_CURRENT_USER\Software\Wine)"))
                    all[key] = !values.empty();
        return all;
    }

    // The shortcuts named after the program anywhere on drive C:.
    std::vector<fs::path> shortcuts() const
    {
        std::vector<fs::path> found;
        for (const auto &entry : fs::recursive_directory_iterator(drive()))
            if (entry.path().filename() == std::string(identity::kProgramName) + ".lnk")
                found.push_back(entry.path());
        return found;
    }

    fs::path drive() const { return fs::path(m_folder) / "prefix/drive_c"; }
    fs::path installFolder() const
    {
        return drive() / "Program Files" / std::string(identity::kProgramName);
    }
    // A Windows path of drive C: in this prefix.
    fs::path onDrive(std::string windowsPath) const
    {
        std::replace(windowsPath.begin(), windowsPath.end(), '\\', '/');
        return drive() / windowsPath.substr(3);
    }

    std::string m_folder = harness::makePrivateFolder("tervanel-installer-");
    harness::Wine m_wine{TERVANEL_WINE_RUNNER, m_folder};
};

TEST_F(WindowsInstaller, InstallsStartsFromTheStartMenuAndUninstallsWithoutATrace)
{
    const auto before = everything();
    ASSERT_EQ(msiexec("/i", kThisVersion), 0);

    // Program Files holds the program and the licence of its font, as built.
    const std::pair<const char *, const char *> files[] = {
        {"Tervanel.exe", TERVANEL_PROGRAM}, {"LICENSE-LiberationSans.txt", TERVANEL_FONT_LICENCE}};
    for (auto [name, source] : files)
        EXPECT_EQ(readFile(installFolder() / name), readFile(source)) << name;

    // The installed programs' entry, under the product code of this version.
    const auto entry = registryKey(kUninstall + kThisVersion.productCode);
    ASSERT_TRUE(entry.has_value()) << "no entry among the installed programs";
    const std::pair<const char *, std::string> values[] = {
        {"DisplayName", std::string(identity::kProgramName)},
        {"DisplayVersion", kThisVersion.version},
        {"Publisher", std::string(identity::kPublisher)},
        {"URLInfoAbout", "https://" + std::string(identity::kWebAddress)},
        {"NoModify", "0x1"},
        {"NoRepair", "0x1"}};
    for (const auto &[name, value] : values)
        EXPECT_EQ(entry->count(name) ? entry->at(name) : "(none)", value) << name;
    // Its size (EstimatedSize) is Windows Installer's own sum of the files, which Wine 8
    // leaves at 0; its icon is the product's (ARPPRODUCTICON), of which it keeps a copy.
    const auto product = registryKey(kInstallerProducts + packed(kThisVersion.productCode));
    ASSERT_TRUE(product.has_value() && product->count("ProductIcon"));
    EXPECT_EQ(readFile(onDrive(product->at("ProductIcon"))), readFile(TERVANEL_ICON));
    EXPECT_TRUE(registryKey(kInstallerUpgradeCodes + packed(TERVANEL_UPGRADE_CODE)))
        << "the upgrade code, by which a later version finds this one, is not registered";

    // One shortcut, in a Start menu's Programs: Windows puts a machine's in every user's
    // (ProgramData), Wine 8 in the user's own, as its ProgramMenuFolder ignores ALLUSERS.
    const auto links = shortcuts();
    ASSERT_EQ(links.size(), 1U);
    EXPECT_EQ(links[0].parent_path().filename(), "Programs");
    EXPECT_EQ(links[0].parent_path().parent_path().filename(), "Start Menu");
    const Shortcut shortcut = readShortcut(links[0]);
    EXPECT_EQ(shortcut.target, R"(C:\Program Files\Tervanel\Tervanel.exe)");
    EXPECT_EQ(shortcut.workingFolder, R"(C:\Program Files\Tervanel\)");
    EXPECT_EQ(readFile(onDrive(shortcut.icon)), readFile(TERVANEL_ICON));

    // Opened from its shortcut, the installed program shows its introduction. It is not
    // handed the keyboard (start.exe, which opens the shortcut, has no window to hand it on
    // from): the introduction is found by its size, drawn, and dismissed by a click. Wine's
    // desktop takes the display of the first program of a server: the commands before had
    // none, so their server ends first.
    m_wine.end();
    {
        X11Session session(1024, 768, m_wine);
        const ProgramScreen view(session, kWineLook);
        std::vector<std::string> start = m_wine.command("start");
        start.insert(start.end(), {"/unix", links[0].string()});
        session.startCommand(start);
        const auto alone = [&](int width) {
            const auto windows = session.mappedTopLevels();
            return windows.size() == 1 && windows[0].width == width ? windows : decltype(windows){};
        };
        TopLevel splash{};
        ASSERT_TRUE(waitFor(
            [&] {
                const auto windows = alone(kWineLook.splashWidth);
                if (windows.empty())
                    return false;
                splash = windows[0];
                const Point strip = view.onScreen(splash, {200, 284}); // below the frame
                return session.pixel(strip.x, strip.y) == kWineLook.dialog;
            },
            std::chrono::seconds(60)))
            << "the introduction did not come up";
        const Point inside = view.onScreen(splash, {100, 100});
        session.click(inside.x, inside.y);
        ASSERT_TRUE(waitFor([&] { return !alone(kWineLook.formWidth).empty(); }))
            << "the questionnaire did not replace the introduction";
        view.click(screen::kFine);
        EXPECT_TRUE(waitFor([&] { return session.mappedTopLevels().empty(); }))
            << "Fine did not end the program";
    }

    ASSERT_EQ(msiexec("/x", kThisVersion), 0);
    // What the install added and the uninstall left is Windows Installer's own: empty
    // folders and keys that name nothing of the program.
    const auto after = everything();
    const std::vector<std::string> names{
        lowerCase(std::string(identity::kProgramName)), lowerCase(kThisVersion.productCode),
        lowerCase(packed(kThisVersion.productCode)), lowerCase(packed(TERVANEL_UPGRADE_CODE))};
    for (const auto &[place, holdsSomething] : after) {
        if (before.count(place))
            continue;
        EXPECT_FALSE(holdsSomething) << place << " is left with something in it";
        for (const std::string &name : names)
            EXPECT_EQ(lowerCase(place).find(name), std::string::npos) << place << " is left";
    }
}

TEST_F(WindowsInstaller, TheNextVersionReplacesThisOneAndIsNotReplacedByIt)
{
    ASSERT_EQ(msiexec("/i", kThisVersion), 0);
    ASSERT_EQ(msiexec("/i", kNextVersion), 0);
    EXPECT_FALSE(registryKey(kUninstall + kThisVersion.productCode)) << "this version stayed";
    const auto entry = registryKey(kUninstall + kNextVersion.productCode);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->at("DisplayVersion"), kNextVersion.version);
    EXPECT_EQ(shortcuts().size(), 1U);
    EXPECT_TRUE(fs::exists(installFolder() / "Tervanel.exe"));

    // Going back is refused (the downgrade's message), and the later version stays.
    EXPECT_NE(msiexec("/i", kThisVersion), 0);
    EXPECT_TRUE(registryKey(kUninstall + kNextVersion.productCode));
    EXPECT_FALSE(registryKey(kUninstall + kThisVersion.productCode));

    ASSERT_EQ(msiexec("/x", kNextVersion), 0);
    EXPECT_FALSE(registryKey(kUninstall + kNextVersion.productCode));
    EXPECT_FALSE(fs::exists(installFolder()));
    EXPECT_TRUE(shortcuts().empty());
}

} // namespace
} // namespace tervanel::test
