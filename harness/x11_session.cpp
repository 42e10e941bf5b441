#include "harness/x11_session.hpp"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <ostream>
#include <stdexcept>
#include <thread>
#include <utility>

namespace tervanel::harness {

namespace {

using Clock = std::chrono::steady_clock;

std::string readFile(const std::string &path)
{
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Waits for a process to end, up to the deadline; its exit status, as a shell gives it.
std::optional<int> reap(pid_t pid, Clock::time_point deadline)
{
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) != pid) {
        if (Clock::now() > deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

std::ostream &operator<<(std::ostream &out, const Rgb &rgb)
{
    return out << "rgb(" << rgb.red << ", " << rgb.green << ", " << rgb.blue << ")";
}

bool waitFor(const std::function<bool()> &condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

X11Session::X11Session(int screenWidth, int screenHeight, std::optional<Wine> wine)
    : m_width(screenWidth)
    , m_height(screenHeight)
    , m_wine(std::move(wine))
{
    const XServer server = startXvfb(screenWidth, screenHeight);
    m_server = server.pid;
    m_displayName = server.display;
    try {
        connect();
    } catch (...) {
        // No destructor runs for a half-made session.
        if (m_display)
            XCloseDisplay(m_display);
        stop(m_server);
        throw;
    }
}

X11Session::X11Session(const std::string &existingDisplay)
    : m_width(0)
    , m_height(0)
    , m_displayName(existingDisplay)
{
    connect();
    m_width = XDisplayWidth(m_display, XDefaultScreen(m_display));
    m_height = XDisplayHeight(m_display, XDefaultScreen(m_display));
}

void X11Session::connect()
{
    // Windows come and go while they are being looked at: an error about a window
    // that has just gone is no reason to end the test run.
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    m_display = XOpenDisplay(m_displayName.c_str());
    if (!m_display)
        throw std::runtime_error("cannot open display " + m_displayName);
    int opcode = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(m_display, &opcode, &m_xkbEventBase, &error, &major, &minor))
        throw std::runtime_error("no XKB on " + m_displayName);
    XkbSelectEvents(m_display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    // CreateNotify and MapNotify of every child of the root window: every top-level
    // window, as there is no window manager to reparent them.
    XSelectInput(m_display, XDefaultRootWindow(m_display), SubstructureNotifyMask);
    // Drawing into a window is seen through the DAMAGE extension.
    if (int damageErrorBase = 0;
        !XDamageQueryExtension(m_display, &m_damageEventBase, &damageErrorBase))
        m_damageEventBase = -1;
    XSync(m_display, False);

    m_runtimeDir = makePrivateFolder("tervanel-run-");
    m_outputPath = m_runtimeDir + "/output.txt";

    m_environment = currentEnvironment();
    std::erase_if(m_environment, [](const std::string &e) {
        return e.starts_with("WAYLAND_DISPLAY=") || e.starts_with("SESSION_MANAGER=");
    });
    setVariable(m_environment, "DISPLAY=" + m_displayName);
    setVariable(m_environment, "QT_QPA_PLATFORM=xcb");
    setVariable(m_environment, "XDG_RUNTIME_DIR=" + m_runtimeDir);
}

X11Session::~X11Session()
{
    endProgram();
    // Wine's server outlives its programs for a while, tied to this display.
    if (m_wine)
        m_wine->end();
    if (m_display)
        XCloseDisplay(m_display);
    stop(m_server);
    std::remove(m_outputPath.c_str());
    rmdir(m_runtimeDir.c_str());
}

void X11Session::startProgram(const std::string &path,
                              const std::vector<std::string> &extraEnvironment)
{
    startCommand(m_wine ? m_wine->command(path) : std::vector<std::string>{path}, extraEnvironment);
}

std::vector<std::string>
X11Session::programEnvironment(const std::vector<std::string> &extraEnvironment) const
{
    std::vector<std::string> env = m_environment;
    for (const std::string &e : extraEnvironment)
        setVariable(env, e);
    return env;
}

void X11Session::startCommand(const std::vector<std::string> &command,
                              const std::vector<std::string> &extraEnvironment)
{
    endProgram();
    const std::vector<std::string> env = programEnvironment(extraEnvironment);
    // What the last program's windows did is of no interest to a watch of this one's.
    XSync(m_display, False);
    pumpEvents();

    const Streams streams{"/dev/null", m_outputPath, m_outputPath};
    m_programStarted = Clock::now();
    m_program = spawn(command, env, streams);
    m_programStatus.reset();
}

std::string X11Session::runToEnd(const std::vector<std::string> &command,
                                 const std::vector<std::string> &extraEnvironment,
                                 std::chrono::milliseconds timeout)
{
    const std::vector<std::string> env = programEnvironment(extraEnvironment);
    const std::string outputPath = m_runtimeDir + "/run.out";
    const std::string errorPath = m_runtimeDir + "/run.err";
    const pid_t pid = spawn(command, env, Streams{"/dev/null", outputPath, errorPath});
    const std::optional<int> status = reap(pid, Clock::now() + timeout);
    if (!status)
        stop(pid);
    const std::string output = readFile(outputPath);
    const std::string errors = readFile(errorPath);
    std::remove(outputPath.c_str());
    std::remove(errorPath.c_str());
    if (!status)
        throw std::runtime_error(command[0] + " did not end");
    if (*status != 0)
        throw std::runtime_error(command[0] + " failed; it wrote:\n" + errors);
    return output;
}

std::optional<int> X11Session::waitForExit(std::chrono::milliseconds timeout)
{
    if (m_programStatus || m_program <= 0)
        return m_programStatus;
    m_programStatus = reap(m_program, Clock::now() + timeout);
    return m_programStatus;
}

void X11Session::endProgram()
{
    if (m_program > 0 && !m_programStatus)
        stop(m_program);
    m_program = -1;
}

std::string X11Session::programOutput() const
{
    return readFile(m_outputPath);
}

bool X11Session::selectionOwned(const char *selection) const
{
    return XGetSelectionOwner(m_display, XInternAtom(m_display, selection, False)) != None;
}

std::vector<unsigned long> X11Session::property(XID window, const char *name) const
{
    const Atom atom = XInternAtom(m_display, name, False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(m_display, window, atom, 0, 1L << 20, False, AnyPropertyType, &type,
                           &format, &count, &after, &data)
            == Success
        && data && format == 32) {
        const auto *values = reinterpret_cast<const unsigned long *>(data); // Xlib's longs
        items.assign(values, values + count);
    }
    if (data)
        XFree(data);
    return items;
}

bool X11Session::isTopLevel(XID parent, bool overrideRedirect) const
{
    // Wine keeps its windows from any window manager (override-redirect), as the
    // test prefix asks: they are the program's windows all the same.
    return parent == XDefaultRootWindow(m_display) && (!overrideRedirect || m_wine);
}

void X11Session::pumpEvents()
{
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == CreateNotify) {
            // Watched from its creation, long before the program can draw into it.
            if (m_watch
                && isTopLevel(event.xcreatewindow.parent, event.xcreatewindow.override_redirect))
                XDamageCreate(m_display, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == MapNotify) {
            m_everMapped.push_back(event.xmap.window);
            if (m_watch && m_watch->window == 0
                && isTopLevel(event.xmap.event, event.xmap.override_redirect)) {
                m_watch->found.mapped = Clock::now();
                m_watch->found.mappedPeakKiB = peakMemoryKiB(m_program);
                m_watch->window = event.xmap.window;
            }
        } else if (event.type == m_xkbEventBase) {
            const auto &xkb = reinterpret_cast<const XkbAnyEvent &>(event);
            if (xkb.xkb_type == XkbBellNotify)
                ++m_bells;
        } else if (m_damageEventBase >= 0 && event.type == m_damageEventBase + XDamageNotify) {
            const auto &damage = reinterpret_cast<const XDamageNotifyEvent &>(event);
            if (m_watch && m_watch->window != 0 && !m_watch->drawn
                && damage.drawable == m_watch->window) {
                m_watch->found.drawn = Clock::now();
                m_watch->found.drawnPeakKiB = peakMemoryKiB(m_program);
                m_watch->drawn = true;
            }
        }
    }
}

FirstWindow X11Session::watchFirstWindow(std::chrono::milliseconds timeout)
{
    if (m_damageEventBase < 0)
        throw std::runtime_error("no DAMAGE extension on " + m_displayName);
    m_watch.emplace();
    m_watch->found.started = m_programStarted;
    const Clock::time_point deadline = m_programStarted + timeout;
    const pollfd connection{XConnectionNumber(m_display), POLLIN, 0};
    while (pumpEvents(), !m_watch->drawn) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || waitForExit(std::chrono::milliseconds(0))) {
            const bool mapped = m_watch->window != 0;
            m_watch.reset();
            throw std::runtime_error(mapped ? "drew nothing into its window"
                                            : "put no window on the screen");
        }
        pollfd ready = connection;
        poll(&ready, 1, static_cast<int>(std::min<long>(left.count(), 100)));
    }
    Watch watch = *std::exchange(m_watch, std::nullopt);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_display, watch.window, &attributes))
        throw std::runtime_error("its first window is gone");
    watch.found.width = attributes.width;
    watch.found.height = attributes.height;
    return watch.found;
}

namespace {

bool hasClass(Display *display, Window window)
{
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint))
        return false;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return true;
}

// A window manager that draws frames puts the program's window into a frame window of
// its own: the program's window is the framed child that carries a class hint.
Window clientOf(Display *display, Window frame)
{
    if (hasClass(display, frame))
        return frame;
    Window root = 0, parent = 0;
    Window *children = nullptr;
    unsigned count = 0;
    Window client = frame;
    if (XQueryTree(display, frame, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && client == frame; ++i)
            if (hasClass(display, children[i]))
                client = children[i];
    }
    if (children)
        XFree(children);
    return client;
}

} // namespace

std::vector<TopLevel> X11Session::mappedTopLevels() const
{
    std::vector<TopLevel> result;
    Window root = 0, parent = 0;
    Window *children = nullptr;
    unsigned count = 0;
    XSync(m_display, False);
    if (!XQueryTree(m_display, XDefaultRootWindow(m_display), &root, &parent, &children, &count))
        return result;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(m_display, children[i], &attributes)
            || attributes.map_state != IsViewable
            || !isTopLevel(root, attributes.override_redirect))
            continue;
        const Window client = clientOf(m_display, children[i]);
        if (client != children[i] && !XGetWindowAttributes(m_display, client, &attributes))
            continue;
        int x = attributes.x, y = attributes.y;
        Window child = 0;
        if (client != children[i])
            XTranslateCoordinates(m_display, client, root, 0, 0, &x, &y, &child);
        TopLevel top{client, x, y, attributes.width, attributes.height, {}};
        XTextProperty name;
        if (XGetWMName(m_display, client, &name) && name.value) {
            top.title.assign(reinterpret_cast<const char *>(name.value), name.nitems);
            XFree(name.value);
        }
        result.push_back(top);
    }
    if (children)
        XFree(children);
    return result;
}

std::vector<XID> X11Session::everMapped()
{
    XSync(m_display, False);
    pumpEvents();
    return m_everMapped;
}

QImage X11Session::grab(int x, int y, int width, int height) const
{
    XSync(m_display, False);
    XImage *image =
        XGetImage(m_display, XDefaultRootWindow(m_display), x, y, static_cast<unsigned>(width),
                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image)
        throw std::runtime_error("cannot read the screen");
    QImage result(width, height, QImage::Format_RGB32);
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col) {
            const unsigned long value = image->f.get_pixel(image, col, row);
            result.setPixel(col, row, static_cast<QRgb>(0xFF000000U | (value & 0xFFFFFFU)));
        }
    XDestroyImage(image);
    return result;
}

QImage X11Session::grabScreen() const
{
    return grab(0, 0, m_width, m_height);
}

Rgb X11Session::pixel(int x, int y) const
{
    const QRgb value = grab(x, y, 1, 1).pixel(0, 0);
    return {qRed(value), qGreen(value), qBlue(value)};
}

XID X11Session::focusedTopLevel() const
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    const Window rootWindow = XDefaultRootWindow(m_display);
    while (focus != 0 && focus != PointerRoot && focus != rootWindow) {
        Window root = 0, parent = 0;
        Window *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_display, focus, &root, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (parent == rootWindow)
            return focus;
        focus = parent;
    }
    return 0;
}

void X11Session::moveTo(int x, int y)
{
    XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
    XSync(m_display, False);
    // Wine takes the pointer's moves in its own time: on a busy machine a button sent at
    // once with the move could still land where the pointer was before.
    if (m_wine)
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
}

void X11Session::click(int x, int y)
{
    moveTo(x, y);
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    XSync(m_display, False);
}

void X11Session::mouseDown(int x, int y)
{
    moveTo(x, y);
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XSync(m_display, False);
}

void X11Session::mouseUp(int x, int y)
{
    moveTo(x, y);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    XSync(m_display, False);
}

void X11Session::doubleClick(int x, int y)
{
    moveTo(x, y);
    for (int i = 0; i < 2; ++i) {
        XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
        XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    }
    XSync(m_display, False);
}

void X11Session::key(const char *keysymName)
{
    const KeySym keysym = XStringToKeysym(keysymName);
    const KeyCode code = XKeysymToKeycode(m_display, keysym);
    if (code == 0)
        throw std::runtime_error(std::string("no key for ") + keysymName);
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    XSync(m_display, False);
}

void X11Session::closeWindow(XID window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XSync(m_display, False);
}

int X11Session::bells()
{
    XSync(m_display, False);
    pumpEvents();
    return m_bells;
}

} // namespace tervanel::harness
