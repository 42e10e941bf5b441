#pragma once

// A private X server (Xvfb, no window manager) and a small client on it that starts
// programs and notes when each one's first top-level window is mapped, and when the
// program first draws into it.

#include "harness/harness.hpp"

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

typedef struct _XDisplay Display; // NOLINT: Xlib's own name

namespace tervanel::bench {

// A program to start, and the size its first window must have.
struct Candidate {
    std::string label;
    std::string program;
    int width = 0;
    int height = 0;
};

struct StartupSample {
    double firstWindowMs; // from the spawn to the MapNotify of the first top-level window
    long peakKiB;         // VmHWM of the program as soon as that window is mapped
    double firstDrawnMs;  // from the spawn to the first drawing into that window
    long drawnPeakKiB;    // VmHWM of the program once it has drawn into it
};

class XWatch final {
public:
    // With Wine, the programs whose names end in ".exe" are run under it.
    XWatch(int screenWidth, int screenHeight, std::optional<harness::Wine> wine = std::nullopt);
    ~XWatch();
    XWatch(const XWatch &) = delete;
    XWatch &operator=(const XWatch &) = delete;

    // Starts the program, waits for its first top-level window, reads its peak memory,
    // waits for the program to draw into the window, reads it again, then ends it with
    // SIGTERM. Throws std::runtime_error when no window comes up in
    // time or the window has another size than the candidate's.
    StartupSample measure(const Candidate &candidate);

    // Runs a program to its end on this server, in the same environment, with the
    // CLOCK_MONOTONIC time of its start in nanoseconds as its one argument; returns what
    // it wrote to standard output. Throws std::runtime_error when it fails.
    std::string runTimed(const std::string &program);

    [[nodiscard]] const std::string &displayName() const { return m_displayName; }
    // The environment every program is started with: the caller's, with the display,
    // the platform and a private runtime folder set, and no session bus, Wayland
    // compositor or session manager to talk to.
    [[nodiscard]] const std::vector<std::string> &environment() const { return m_environment; }

private:
    // Connects to the server just started and prepares the programs' environment.
    void connect();
    void drain();

    pid_t m_server = -1;
    std::optional<harness::Wine> m_wine;
    std::string m_displayName;
    std::string m_runtimeDir;
    std::string m_outputPath;
    std::vector<std::string> m_environment;
    Display *m_display = nullptr;
    int m_damageEventBase = 0;
};

} // namespace tervanel::bench
