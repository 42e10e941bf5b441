#pragma once

#include "core/reports.hpp"
#include "services/control_table.hpp"
#include "services/pictures.hpp"
#include "services/units.hpp"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the windows need from the platform's forms layer, and nothing more. The two
// windows are written once against these classes; each platform implements them in
// a folder of its own (platform/qt, platform/win32, platform/web), and the build picks
// the folder.
// Texts cross this line as UTF-8, with lone CRs as line breaks.

namespace tervanel::services {

// How a window is framed.
enum class WindowFrame {
    // A title bar with the caption, the system menu, the minimise and the close box;
    // fixed size. Closing the window from its frame runs no handler of the program and
    // unloads the window; with no window of the program left, the program ends (status 0).
    Main,
    // No title bar, no system menu, no close box; a fixed dialog border. The user cannot
    // close the window from its frame.
    Dialog,
};

// Where a window first appears.
enum class Placement {
    FrameAtScreenTopLeft, // the outer frame, not the client area, in the screen's corner
    CentredOnScreen,      // the client area centred on the primary screen
};

// A window's description, as stored with the window: everything the platform needs to
// create it with its controls. Only needed while createWindow() runs.
struct WindowDescription {
    std::string_view id;         // the window's name: "Form1", "frmSplash"
    std::string_view caption;    // the title; empty for a window without a title bar
    std::string_view spokenName; // what screen readers say for the window; empty: none
    WindowFrame frame;
    Placement placement;
    int width, height;           // the client area, in twips
    std::optional<VbColor> back; // none: the platform's standard dialog background
    FontSetting font;            // the window's font, which its controls inherit
    // Key preview: every key press that produces a character reaches the window's
    // keyPress() before the control that has the focus, and goes no further.
    bool keyPreview;
    std::span<const ControlRow> controls;
};

// The events a window delivers to its form's handlers. The platform calls them from
// its event loop, one at a time, never from inside another handler's operation. They
// never throw: the form runs each handler through runtime::handle().
class WindowEvents {
public:
    // A click (left button pressed and released inside the control) on a label, push
    // button, picture box, image or frame. Push buttons are also clicked from the
    // keyboard as the platform does it. A click on a control never reaches the control
    // or the window beneath it.
    virtual void click(std::size_t control) noexcept = 0;
    // A double-click on a label. It arrives after the click of the first press.
    virtual void doubleClick(std::size_t control) noexcept = 0;
    // A key that produces a character, on a window with key preview.
    virtual void keyPress(char32_t character) noexcept = 0;

protected:
    WindowEvents() = default;
    ~WindowEvents() = default;
    WindowEvents(const WindowEvents &) = default;
    WindowEvents &operator=(const WindowEvents &) = default;
};

// One window of the program and its controls, created by the platform from its
// description. Controls are reached by their row in the window's table. Each operation
// completes before it returns; a failing one throws, and the failure guard reports it.
// The forms check a control's kind before they ask (see Controls), so a platform may
// assume that setText() gets a label or push button, bold and colours a label, and
// pictures a picture box or image, and that no operation but isVisible() reaches an
// unloaded window.
class Window {
public:
    virtual ~Window() = default;
    Window(const Window &) = delete;
    Window &operator=(const Window &) = delete;

    // Shows the window non-modally, without an owner, and brings it to the front.
    virtual void show() = 0;
    // Makes the window invisible; the window, its controls and their state remain.
    virtual void hide() = 0;
    // Takes the window off the screen now; from now on it delivers no events, and its
    // native window and controls are destroyed once the running handler has returned.
    // May be called from a handler of this window. The object itself stays until its
    // owner destroys it; the forms use no other operation on it.
    virtual void unload() = 0;

    // Replaces the caption of a label or push button.
    virtual void setText(std::size_t control, std::string_view text) = 0;
    // Shows or hides a control.
    virtual void setVisible(std::size_t control, bool visible) = 0;
    // A label's weight; only the weight changes.
    [[nodiscard]] virtual bool bold(std::size_t control) const = 0;
    virtual void setBold(std::size_t control, bool bold) = 0;
    // A label's text and background colours.
    virtual void setForeColor(std::size_t control, VbColor color) = 0;
    virtual void setBackColor(std::size_t control, VbColor color) = 0;

    // Loads a built-in picture into a picture box or image; throws std::runtime_error
    // when it is missing or damaged.
    virtual void setPicture(std::size_t control, PictureId picture) = 0;
    [[nodiscard]] virtual bool hasPicture(std::size_t control) const = 0;

    // Whether the window is shown (not hidden, not unloaded).
    [[nodiscard]] virtual bool isVisible() const = 0;

    // Gives a control the keyboard focus.
    virtual void setFocus(std::size_t control) = 0;
    // A control's tooltip, and what screen readers say for a control without text.
    virtual void setToolTip(std::size_t control, std::string_view text) = 0;
    virtual void setDescription(std::size_t control, std::string_view text) = 0;

    // Tells screen readers these words (UTF-8, lines split by '\n') away from the focus,
    // as a live announcement: once the program is back in its event loop, that is after
    // the running handler, or once a message box it opened is on screen. Nothing drawn
    // changes and the focus stays where it is. The words are composed by the program's
    // accessibility (services/accessibility.hpp); the platform only delivers them.
    virtual void announce(std::string_view words) = 0;

protected:
    Window() = default;
};

// The tasks a platform keeps for its event loop's idle moment (WindowServices::whenIdle),
// in order.
class IdleTasks {
public:
    // Keeps the task; true when none was waiting before, that is, when the platform is to
    // ask its loop for the idle moment.
    bool add(std::function<void()> task);
    // Runs the waiting tasks in order; one they add waits for the next idle moment.
    void run();

private:
    std::vector<std::function<void()>> m_tasks;
};

// A message box as the program asks for it.
struct MessageBoxRequest {
    std::string prompt; // UTF-8, line breaks as lone CRs
    MessageStyle style;
    std::string title;
};

// The platform itself: it creates windows and owns the message boxes, the speaker and
// the event loop. One object per run, installed with runtime::install().
class WindowServices {
public:
    virtual ~WindowServices() = default;
    WindowServices(const WindowServices &) = delete;
    WindowServices &operator=(const WindowServices &) = delete;

    // Creates a window from its description, hidden, with its controls; its events go
    // to the given handlers, which outlive the window.
    [[nodiscard]] virtual std::unique_ptr<Window> createWindow(const WindowDescription &description,
                                                               WindowEvents &events) = 0;
    // Shows a message box modal to the whole program and returns when it is closed.
    // Style OkOnly: one OK button, no icon; Information: OK with the information icon;
    // Critical: OK with the error icon (the failure report). The button is not reported.
    virtual void messageBox(const MessageBoxRequest &request) = 0;
    // Sounds the platform's alert and returns at once.
    virtual void beep() = 0;
    // Hides every window and tells the event loop to return this status; returns at once.
    virtual void quit(int status) = 0;
    // Whether a screen reader is running now (for the gestures it changes).
    [[nodiscard]] virtual bool screenReaderRunning() const = 0;
    // Runs the task from the event loop, once every window on screen has been painted
    // and nothing else is waiting; never from inside this call. Tasks run in order; while
    // a message box is open they may wait until it is closed.
    virtual void whenIdle(std::function<void()> task) = 0;

protected:
    WindowServices() = default;
};

} // namespace tervanel::services
