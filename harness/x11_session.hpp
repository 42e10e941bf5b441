#pragma once

// A private X server (Xvfb, no window manager) with a program on it, and a small X client
// that watches its windows, reads its pixels, counts its bells, drives it with real input
// through the XTEST extension and times its first window: what the end-to-end tests, the
// tour and the start-up benchmark run programs in.

#include "harness/harness.hpp"

#include <QImage>

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

typedef struct _XDisplay Display; // NOLINT: Xlib's own name
typedef unsigned long XID;        // NOLINT

namespace tervanel::harness {

struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Rgb &rgb);

struct TopLevel {
    XID id;
    int x, y, width, height;
    std::string title;
};

// Waits for a condition, polling; fails the wait after the timeout.
bool waitFor(const std::function<bool()> &condition,
             std::chrono::milliseconds timeout = std::chrono::seconds(15));

// The first top-level window a program put on the screen: when the program was started,
// when the window was mapped and when the program first drew into it, with the program's
// peak memory (VmHWM, KiB) right then; and the window's size.
struct FirstWindow {
    std::chrono::steady_clock::time_point started;
    std::chrono::steady_clock::time_point mapped;
    long mappedPeakKiB;
    std::chrono::steady_clock::time_point drawn;
    long drawnPeakKiB;
    int width, height;
};

class X11Session final {
public:
    // With Wine, the programs are Windows programs run under it; the session ends every
    // process of the Wine prefix, and its server, when it ends.
    X11Session(int screenWidth, int screenHeight, std::optional<Wine> wine = std::nullopt);
    // A session on a display server that runs already (XWayland under a compositor, say).
    explicit X11Session(const std::string &existingDisplay);
    ~X11Session();
    X11Session(const X11Session &) = delete;
    X11Session &operator=(const X11Session &) = delete;

    // Starts the program, under Wine if the session has it, ending the one started before
    // if it still runs; its output goes to a file. Every program started here has the
    // caller's environment with DISPLAY pointing here, QT_QPA_PLATFORM=xcb, the session's
    // own XDG_RUNTIME_DIR, and no Wayland compositor or session manager to talk to; then
    // the extra variables ("NAME=value").
    void startProgram(const std::string &path,
                      const std::vector<std::string> &extraEnvironment = {});
    // The same, for a command line (a program run under another, such as strace).
    void startCommand(const std::vector<std::string> &command,
                      const std::vector<std::string> &extraEnvironment = {});
    // Runs a command to its end, in the same environment, beside the program; returns what
    // it wrote to standard output. Throws std::runtime_error, with what it wrote to
    // standard error, when it fails or has not ended after the timeout.
    std::string runToEnd(const std::vector<std::string> &command,
                         const std::vector<std::string> &extraEnvironment = {},
                         std::chrono::milliseconds timeout = std::chrono::seconds(30));
    // The private folder that serves as the program's XDG_RUNTIME_DIR.
    [[nodiscard]] const std::string &runtimeDir() const { return m_runtimeDir; }
    // The exit status once the program has ended, waiting up to the timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(15));
    // Ends the program: SIGTERM, then SIGKILL.
    void endProgram();
    // Everything the program wrote to standard output and standard error.
    [[nodiscard]] std::string programOutput() const;
    // The program's process (under Wine, the Windows process itself), while it runs.
    [[nodiscard]] pid_t programProcess() const { return m_program; }

    // Waits for the program started last to map its first top-level window and to draw
    // into it. Throws std::runtime_error when it ends first or has not drawn within the
    // timeout from its start.
    FirstWindow watchFirstWindow(std::chrono::milliseconds timeout);

    // The top-level windows that are mapped now, in stacking order (bottom first).
    [[nodiscard]] std::vector<TopLevel> mappedTopLevels() const;
    // Every top-level window that has been mapped since the session began.
    [[nodiscard]] std::vector<XID> everMapped();

    // What the screen shows in a rectangle, or the whole screen.
    [[nodiscard]] QImage grab(int x, int y, int width, int height) const;
    [[nodiscard]] QImage grabScreen() const;
    [[nodiscard]] Rgb pixel(int x, int y) const;
    // The top-level window that holds the keyboard focus, if any.
    [[nodiscard]] XID focusedTopLevel() const;
    // Whether the programs run under Wine.
    [[nodiscard]] bool underWine() const { return m_wine.has_value(); }

    void click(int x, int y);
    void mouseDown(int x, int y);
    void mouseUp(int x, int y);
    void doubleClick(int x, int y);
    void key(const char *keysymName);
    // Asks a window to close, as a window manager's close box does (WM_DELETE_WINDOW).
    void closeWindow(XID window);

    // A window property of 32-bit items (CARDINAL, ATOM...), empty when the window has none.
    [[nodiscard]] std::vector<unsigned long> property(XID window, const char *name) const;

    // Whether a client owns the selection (a settings manager's "_XSETTINGS_S0", say).
    [[nodiscard]] bool selectionOwned(const char *selection) const;

    // Bells rung since the session began.
    [[nodiscard]] int bells();

    [[nodiscard]] const std::string &displayName() const { return m_displayName; }
    [[nodiscard]] int screenWidth() const { return m_width; }
    [[nodiscard]] int screenHeight() const { return m_height; }

private:
    // Moves the pointer there, and under Wine gives Wine the time to take the move.
    void moveTo(int x, int y);

    // The first window being watched for, while watchFirstWindow() runs.
    struct Watch {
        XID window = 0;
        bool drawn = false;
        FirstWindow found{};
    };

    void connect();
    // Handles the events that have arrived, without asking the server for more.
    void pumpEvents();
    // Whether a window with this parent and redirection is one of the program's top-level
    // windows.
    [[nodiscard]] bool isTopLevel(XID parent, bool overrideRedirect) const;
    [[nodiscard]] std::vector<std::string>
    programEnvironment(const std::vector<std::string> &extraEnvironment) const;

    int m_width;
    int m_height;
    std::optional<Wine> m_wine;
    pid_t m_server = -1;
    pid_t m_program = -1;
    std::optional<int> m_programStatus;
    std::string m_displayName;
    std::string m_runtimeDir;
    std::string m_outputPath;
    std::vector<std::string> m_environment; // every program's, but for the extra variables
    std::chrono::steady_clock::time_point m_programStarted;
    Display *m_display = nullptr;
    int m_bells = 0;
    int m_xkbEventBase = 0;
    int m_damageEventBase = -1; // -1 without the DAMAGE extension
    std::vector<XID> m_everMapped;
    std::optional<Watch> m_watch;
};

} // namespace tervanel::harness
