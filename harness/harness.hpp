#pragma once

// What the tests, the tour and the benchmarks share for running programs: starting and
// stopping processes, a private X server, a process's peak memory, and a quiet offscreen
// platform.

#include <spawn.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace tervanel::harness {

// This process's environment, and one variable set in a copy of it ("NAME=value").
[[nodiscard]] std::vector<std::string> currentEnvironment();
void setVariable(std::vector<std::string> &environment, const std::string &assignment);

// Starts a program (looked up in PATH); throws std::runtime_error when it cannot.
pid_t spawn(const std::vector<std::string> &argv, const std::vector<std::string> &environment,
            const posix_spawn_file_actions_t *actions = nullptr);

// Where a program's standard streams go: files opened for it, the output and error files
// emptied first; the same file for both takes them in the order they are written.
struct Streams {
    std::string input = "/dev/null";
    std::string output = "/dev/null";
    std::string error = "/dev/null";
};
pid_t spawn(const std::vector<std::string> &argv, const std::vector<std::string> &environment,
            const Streams &streams);
// Ends a process and reaps it: SIGTERM, and SIGKILL if that is not enough within 5 s.
void stop(pid_t pid);

// A private Xvfb: it picks a free display itself, prints nothing, and ends by itself
// once its last client has gone.
struct XServer {
    pid_t pid;
    std::string display; // ":N"
};
[[nodiscard]] XServer startXvfb(int width, int height);

// VmHWM of a process (this one by default) in KiB, or -1; VmRSS alike.
[[nodiscard]] long peakMemoryKiB(pid_t pid = 0);
[[nodiscard]] long residentMemoryKiB(pid_t pid = 0);

// Quiets the offscreen platform's warnings about every window operation it has no use
// for; everything else is still printed. Call before creating the QApplication.
void quietOffscreenWarnings();

// A folder of the process's own (mode 0700) under /tmp, named from the prefix.
[[nodiscard]] std::string makePrivateFolder(const std::string &prefix);

// Windows programs run under Wine through harness/wine-run, which keeps the Wine
// prefix, home and XDG folders in one folder of the build.
struct Wine {
    std::string runner; // harness/wine-run
    std::string folder;

    // The command line that runs the program under Wine.
    [[nodiscard]] std::vector<std::string> command(const std::string &program) const;
    // Makes the prefix if it is missing and starts its server for good, so that every
    // later run finds Wine warm.
    void keepWarm() const;
    // Ends every process of the prefix and its server (wineserver -k), and waits for it.
    void end() const;
};

} // namespace tervanel::harness
