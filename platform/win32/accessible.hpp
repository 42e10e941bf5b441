#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tervanel::win32 {

// What a screen reader is told about one of the program's own controls, beyond what
// the system's standard proxy already says (position, visibility, focus, parents).
struct AccessibleFacts {
    std::wstring name;
    long role = 0;              // ROLE_SYSTEM_...
    long state = 0;             // STATE_SYSTEM_... bits added to the proxy's
    std::wstring defaultAction; // empty: none
};

// A control answers WM_GETOBJECT with these.
struct AccessibleSource {
    std::function<AccessibleFacts()> facts;
    std::function<void()> doDefaultAction; // may be empty
};

// Answers WM_GETOBJECT for the control's client object with the standard proxy, its name,
// role, state and default action taken from `source`. Returns 0 for other objects, which
// the caller then leaves to DefWindowProc.
LRESULT answerGetObject(HWND window, WPARAM flags, LPARAM object, const AccessibleSource &source);

// Tells screen readers that a control's state or name changed.
void notifyStateChanged(HWND window);
void notifyNameChanged(HWND window);

} // namespace tervanel::win32
