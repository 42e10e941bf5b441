#include "bench/xwatch.hpp"

#include "harness/harness.hpp"

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>

extern char **environ;

namespace tervanel::bench {

namespace {

using Clock = std::chrono::steady_clock; // CLOCK_MONOTONIC

using harness::spawn;
using harness::stop;

std::string readFile(const std::string &path)
{
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

XWatch::XWatch(int screenWidth, int screenHeight, std::optional<harness::Wine> wine)
    : m_wine(std::move(wine))
{
    const harness::XServer server = harness::startXvfb(screenWidth, screenHeight);
    m_server = server.pid;
    m_displayName = server.display;
    try {
        connect();
        if (m_wine)
            m_wine->keepWarm();
    } catch (...) {
        // No destructor runs for a half-made watch.
        if (m_display)
            XCloseDisplay(m_display);
        stop(m_server);
        rmdir(m_runtimeDir.c_str());
        throw;
    }
}

void XWatch::connect()
{
    // A window may be gone by the time it is looked at: no reason to end the run.
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    m_display = XOpenDisplay(m_displayName.c_str());
    if (!m_display)
        throw std::runtime_error("cannot open display " + m_displayName);
    // CreateNotify and MapNotify of every child of the root window: every top-level
    // window, as there is no window manager to reparent them.
    XSelectInput(m_display, XDefaultRootWindow(m_display), SubstructureNotifyMask);
    // Drawing into a window is seen through the DAMAGE extension.
    int damageErrorBase = 0;
    if (!XDamageQueryExtension(m_display, &m_damageEventBase, &damageErrorBase))
        throw std::runtime_error("no DAMAGE extension on " + m_displayName);
    XSync(m_display, False);

    m_runtimeDir = harness::makePrivateFolder("tervanel-bench-");
    m_outputPath = m_runtimeDir + "/output.txt";

    for (char **e = environ; *e; ++e) {
        const std::string variable = *e;
        bool replaced = false;
        for (const char *name :
             {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "XDG_RUNTIME_DIR=",
              "DBUS_SESSION_BUS_ADDRESS=", "SESSION_MANAGER="})
            replaced = replaced || variable.starts_with(name);
        if (!replaced)
            m_environment.push_back(variable);
    }
    m_environment.push_back("DISPLAY=" + m_displayName);
    m_environment.push_back("QT_QPA_PLATFORM=xcb");
    m_environment.push_back("XDG_RUNTIME_DIR=" + m_runtimeDir);
    m_environment.push_back("DBUS_SESSION_BUS_ADDRESS=disabled:");
}

XWatch::~XWatch()
{
    if (m_wine)
        m_wine->end();
    if (m_display)
        XCloseDisplay(m_display);
    stop(m_server);
    std::remove(m_outputPath.c_str());
    rmdir(m_runtimeDir.c_str());
}

void XWatch::drain()
{
    XSync(m_display, False);
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
    }
}

std::string XWatch::runTimed(const std::string &program)
{
    const std::string errorPath = m_outputPath + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, m_outputPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    const auto now =
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch());
    const pid_t pid = spawn({program, std::to_string(now.count())}, m_environment, &actions);
    posix_spawn_file_actions_destroy(&actions);

    int status = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (waitpid(pid, &status, WNOHANG) != pid) {
        if (Clock::now() > deadline) {
            stop(pid);
            throw std::runtime_error(program + " did not end");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const std::string errors = readFile(errorPath);
    std::remove(errorPath.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(program + " failed; it wrote:\n" + errors);
    return readFile(m_outputPath);
}

StartupSample XWatch::measure(const Candidate &candidate)
{
    drain(); // what the last program's windows did is of no interest now

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, m_outputPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const Clock::time_point start = Clock::now();
    const bool underWine = m_wine && candidate.program.ends_with(".exe");
    const pid_t pid = spawn(underWine ? m_wine->command(candidate.program)
                                      : std::vector<std::string>{candidate.program},
                            m_environment, &actions);
    posix_spawn_file_actions_destroy(&actions);

    const Window root = XDefaultRootWindow(m_display);
    const auto deadline = start + std::chrono::seconds(20);
    const pollfd connection{XConnectionNumber(m_display), POLLIN, 0};
    Window mapped = 0;
    Clock::time_point mappedAt, drawnAt;
    long peak = -1, drawnPeak = -1;
    bool drawn = false;
    while (!drawn) {
        while (!drawn && XPending(m_display) > 0) {
            XEvent event;
            XNextEvent(m_display, &event);
            // Wine keeps its windows from any window manager (override-redirect) in the
            // prefix the benchmarks use: they are the program's windows all the same.
            if (event.type == CreateNotify && event.xcreatewindow.parent == root
                && (!event.xcreatewindow.override_redirect || m_wine)) {
                // Watched from its creation, long before the program can draw into it.
                XDamageCreate(m_display, event.xcreatewindow.window, XDamageReportNonEmpty);
            } else if (event.type == MapNotify && mapped == 0 && event.xmap.event == root
                       && (!event.xmap.override_redirect || m_wine)) {
                mappedAt = Clock::now();
                peak = harness::peakMemoryKiB(pid);
                mapped = event.xmap.window;
            } else if (event.type == m_damageEventBase + XDamageNotify && mapped != 0
                       && reinterpret_cast<const XDamageNotifyEvent &>(event).drawable == mapped) {
                drawnAt = Clock::now();
                drawnPeak = harness::peakMemoryKiB(pid);
                drawn = true;
            }
        }
        if (drawn)
            break;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        int status = 0;
        if (left.count() <= 0 || waitpid(pid, &status, WNOHANG) == pid) {
            stop(pid);
            throw std::runtime_error(
                candidate.label + " (" + candidate.program + ") "
                + (mapped == 0 ? "put no window on the screen" : "drew nothing into its window")
                + "; it wrote:\n" + readFile(m_outputPath));
        }
        pollfd ready = connection;
        poll(&ready, 1, static_cast<int>(std::min<long>(left.count(), 100)));
    }

    XWindowAttributes attributes;
    const bool known = XGetWindowAttributes(m_display, mapped, &attributes) != 0;
    stop(pid);
    if (!known || attributes.width != candidate.width || attributes.height != candidate.height)
        throw std::runtime_error(
            candidate.label + ": the first window is "
            + (known ? std::to_string(attributes.width) + " x " + std::to_string(attributes.height)
                     : std::string("gone"))
            + ", not " + std::to_string(candidate.width) + " x "
            + std::to_string(candidate.height));
    if (peak < 0 || drawnPeak < 0)
        throw std::runtime_error(candidate.label + ": cannot read its peak memory");
    const auto millis = [&](Clock::time_point t) {
        return std::chrono::duration<double, std::milli>(t - start).count();
    };
    return {millis(mappedAt), peak, millis(drawnAt), drawnPeak};
}

} // namespace tervanel::bench
