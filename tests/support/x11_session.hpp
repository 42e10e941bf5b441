#pragma once

// A private X server (Xvfb) with the real program on it, and a small X client that
// watches its windows, reads its pixels, counts its bells and drives it with real
// input through the XTEST extension.

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

namespace tervanel::test {

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

class X11Session final {
public:
    // With Wine, the programs are Windows programs run under it; the session ends every
    // process of the Wine prefix, and its server, when it ends.
    X11Session(int screenWidth, int screenHeight, std::optional<harness::Wine> wine = std::nullopt);
    // A session on a display server that runs already (XWayland under a compositor, say).
    explicit X11Session(const std::string &existingDisplay);
    ~X11Session();
    X11Session(const X11Session &) = delete;
    X11Session &operator=(const X11Session &) = delete;

    // Starts the program with DISPLAY pointing here, under Wine if the session has it;
    // its output goes to a file.
    void startProgram(const std::string &path,
                      const std::vector<std::string> &extraEnvironment = {});
    // The same, for a command line (a program run under another, such as strace).
    void startCommand(const std::vector<std::string> &command,
                      const std::vector<std::string> &extraEnvironment = {});
    // The private folder that serves as the program's XDG_RUNTIME_DIR.
    [[nodiscard]] const std::string &runtimeDir() const { return m_runtimeDir; }
    // The exit status once the program has ended, waiting up to the timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(15));
    // Everything the program wrote to standard output and standard error.
    [[nodiscard]] std::string programOutput() const;
    // The program's process (under Wine, the Windows process itself), while it runs.
    [[nodiscard]] pid_t programProcess() const { return m_program; }

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

    void click(int x, int y);
    void mouseDown(int x, int y);
    void mouseUp(int x, int y);
    void doubleClick(int x, int y);
    void key(const char *keysymName);
    // Asks a window to close, as a window manager's close box does (WM_DELETE_WINDOW).
    void closeWindow(XID window);

    // A window property of 32-bit items (CARDINAL, ATOM...), empty when the window has none.
    [[nodiscard]] std::vector<unsigned long> property(XID window, const char *name) const;

    // Bells rung since the session began.
    [[nodiscard]] int bells();

    [[nodiscard]] const std::string &displayName() const { return m_displayName; }
    [[nodiscard]] int screenWidth() const { return m_width; }
    [[nodiscard]] int screenHeight() const { return m_height; }

private:
    void connect();
    void pumpEvents();

    int m_width;
    int m_height;
    std::optional<harness::Wine> m_wine;
    pid_t m_server = -1;
    pid_t m_program = -1;
    std::optional<int> m_programStatus;
    std::string m_displayName;
    std::string m_runtimeDir;
    std::string m_outputPath;
    Display *m_display = nullptr;
    int m_bells = 0;
    int m_xkbEventBase = 0;
    std::vector<XID> m_everMapped;
};

} // namespace tervanel::test
