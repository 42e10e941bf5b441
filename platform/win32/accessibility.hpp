#pragma once

#include "services/accessibility.hpp"

#include <windows.h>

#include <span>
#include <string>
#include <string_view>

namespace tervanel::win32 {

// What one of the program's windows or controls is to a screen reader, as the program's
// accessibility decides it (services/accessibility.hpp).
struct AccessibleFacts {
    services::accessibility::Presentation presentation;
    // Its actions; MSAA offers one, the default action: the first. The others are told
    // in the object's description (services::accessibility::otherActionsHelp()).
    std::span<const services::accessibility::Action> actions;
    std::string otherActions;
};

// A window or control of the program that screen readers ask about: the system's
// standard proxy for its native window says where it is, whether it is shown and has
// the focus; this says the rest.
class AccessibleObject {
public:
    [[nodiscard]] virtual AccessibleFacts accessibleFacts() const = 0;
    // A screen reader's request; it arrives from the event loop as any input does.
    virtual void perform(services::accessibility::Action action) = 0;

protected:
    AccessibleObject() = default;
    ~AccessibleObject() = default;
    AccessibleObject(const AccessibleObject &) = default;
    AccessibleObject &operator=(const AccessibleObject &) = default;
};

// Whether a screen reader runs now, as it tells the system (SPI_GETSCREENREADER).
[[nodiscard]] bool screenReaderRunning();

// Makes `object` what screen readers get for the native window (none: the standard
// proxy alone); the native window answers WM_GETOBJECT with answerGetObject().
void exposeAs(HWND window, AccessibleObject *object);

// Answers WM_GETOBJECT for the client object of a window exposed as one of the program's
// objects. Returns 0 for other objects, which the caller then leaves to DefWindowProc.
LRESULT answerGetObject(HWND window, WPARAM flags, LPARAM object);

// Tells screen readers that a control's state or name changed.
void notifyStateChanged(HWND window);
void notifyNameChanged(HWND window);

// The words a window tells screen readers away from the focus: a live region, a static
// text of no size (nothing is drawn) on the window, annotated as live for the system's
// UI Automation proxy, which takes the words as its text and raises
// EVENT_OBJECT_LIVEREGIONCHANGED for each announcement.
class LiveRegion final {
public:
    explicit LiveRegion(HWND window);
    ~LiveRegion();
    LiveRegion(const LiveRegion &) = delete;
    LiveRegion &operator=(const LiveRegion &) = delete;

    // The words, UTF-16 with '\n' between lines; said even when they are the same again.
    void say(std::wstring_view words);
    [[nodiscard]] HWND hwnd() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
    bool m_annotated = false;
};

} // namespace tervanel::win32
