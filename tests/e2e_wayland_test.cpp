// The real program in a Wayland session: Debian's weston on its headless back end, with
// XWayland, as a GNOME or Plasma session offers both. Which platform the program chose,
// and where it asked for its window.

#include "harness/harness.hpp"
#include "harness/x11_session.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tervanel::test {
namespace {

using harness::TopLevel;
using harness::waitFor;
using harness::X11Session;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr const char *kSocket = "tervanel-wayland";

std::string contents(const std::string &path)
{
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// weston --backend=headless-backend.so --xwayland, in a runtime folder of its own.
class Weston final {
public:
    Weston()
        : m_folder(harness::makePrivateFolder("tervanel-weston-"))
    {
        std::vector<std::string> env = harness::currentEnvironment();
        std::erase_if(env, [](const std::string &e) {
            return e.starts_with("DISPLAY=") || e.starts_with("WAYLAND_DISPLAY=");
        });
        harness::setVariable(env, "XDG_RUNTIME_DIR=" + m_folder);
        m_pid = harness::spawn({"weston", "--backend=headless-backend.so", "--xwayland",
                                "--socket=" + std::string(kSocket), "--idle-time=0",
                                "--width=" + std::to_string(kWidth),
                                "--height=" + std::to_string(kHeight), "--log=" + log()},
                               env, harness::Streams{});
        // XWayland's display is the first free one; weston names it in its log.
        // (No std::regex: GCC 12 warns inside it under the sanitizers, and warnings are errors.)
        constexpr std::string_view listening = "xserver listening on display :";
        waitFor([&] {
            const std::string text = contents(log());
            const std::size_t at = text.find(listening);
            if (at == std::string::npos)
                return false;
            const std::size_t digits = at + listening.size();
            const std::size_t end = text.find_first_not_of("0123456789", digits);
            if (end == std::string::npos || end == digits)
                return false; // the line is not written out yet
            m_xDisplay = text.substr(digits - 1, end - digits + 1); // ":N"
            return std::filesystem::exists(m_folder + "/" + kSocket);
        });
    }
    ~Weston()
    {
        harness::stop(m_pid);
        std::filesystem::remove_all(m_folder);
    }
    Weston(const Weston &) = delete;
    Weston &operator=(const Weston &) = delete;

    [[nodiscard]] const std::string &folder() const { return m_folder; }
    [[nodiscard]] const std::string &xDisplay() const { return m_xDisplay; }
    [[nodiscard]] std::string log() const { return m_folder + "/weston.log"; }

private:
    std::string m_folder;
    std::string m_xDisplay;
    pid_t m_pid = -1;
};

// The platform plugin a running program has loaded, from its memory map.
std::optional<std::string> platformOf(pid_t pid)
{
    const std::string maps = contents("/proc/" + std::to_string(pid) + "/maps");
    for (const char *plugin : {"libqxcb.so", "libqwayland"})
        if (maps.find(std::string("/platforms/") + plugin) != std::string::npos)
            return std::string(plugin) == "libqxcb.so" ? "xcb" : "wayland";
    return std::nullopt;
}

TEST(WaylandSession, X11WhenItIsThereAndTheUsersChoiceAlways)
{
    Weston weston;
    ASSERT_FALSE(weston.xDisplay().empty()) << contents(weston.log());
    X11Session xwayland(weston.xDisplay());

    struct Row {
        const char *session;
        std::vector<std::string> environment;
        std::vector<std::string> arguments;
        const char *platform;
    };
    const std::string display = "DISPLAY=" + weston.xDisplay();
    const std::string wayland = std::string("WAYLAND_DISPLAY=") + kSocket;
    const Row rows[] = {
        {"X11 and Wayland", {display, wayland}, {}, "xcb"},
        {"Wayland alone", {"DISPLAY=", wayland}, {}, "wayland"},
        {"Wayland and a dead X display", {"DISPLAY=:97", wayland}, {}, "wayland"},
        {"QT_QPA_PLATFORM=wayland", {display, wayland, "QT_QPA_PLATFORM=wayland"}, {}, "wayland"},
        {"-platform wayland", {display, wayland}, {"-platform", "wayland"}, "wayland"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.session);
        std::vector<std::string> env = harness::currentEnvironment();
        harness::setVariable(env, "XDG_RUNTIME_DIR=" + weston.folder());
        harness::setVariable(env, "QT_QPA_PLATFORM=");
        harness::setVariable(env, "DBUS_SESSION_BUS_ADDRESS=disabled:");
        for (const std::string &e : row.environment)
            harness::setVariable(env, e);
        std::vector<std::string> argv{TERVANEL_PROGRAM};
        argv.insert(argv.end(), row.arguments.begin(), row.arguments.end());
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        const pid_t pid = harness::spawn(argv, env, &actions);
        posix_spawn_file_actions_destroy(&actions);

        std::optional<std::string> platform;
        EXPECT_TRUE(waitFor([&] { return (platform = platformOf(pid)).has_value(); }));
        EXPECT_EQ(platform.value_or("none"), row.platform);
        if (platform == std::optional<std::string>("xcb")) {
            // The introduction asks for the middle of the screen, at its own size; where
            // it lands is the compositor's choice.
            std::vector<TopLevel> windows;
            EXPECT_TRUE(waitFor([&] {
                windows = xwayland.mappedTopLevels();
                return std::any_of(windows.begin(), windows.end(), [](const TopLevel &w) {
                    return w.width == 467 && w.height == 286;
                });
            })) << "no introduction on XWayland";
            for (const TopLevel &w : windows) {
                if (w.width != 467)
                    continue;
                const std::vector<unsigned long> hints = xwayland.property(w.id, "WM_NORMAL_HINTS");
                ASSERT_GE(hints.size(), 3U);
                EXPECT_EQ(hints[1], static_cast<unsigned long>((kWidth - 467) / 2));
                EXPECT_EQ(hints[2], static_cast<unsigned long>((kHeight - 286) / 2));
                std::printf("[ placed   ] %s: asked for (%lu, %lu), shown at (%d, %d)\n",
                            row.session, hints[1], hints[2], w.x, w.y);
            }
        }
        int status = 0;
        EXPECT_EQ(waitpid(pid, &status, WNOHANG), 0) << "the program ended by itself";
        harness::stop(pid);
    }
}

} // namespace
} // namespace tervanel::test
