#pragma once

#include "platform/win32/accessibility.hpp"
#include "services/control_table.hpp"
#include "services/gestures.hpp"

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace tervanel::win32 {

class Window;

// What every control of a window has: its native child window, its row in the window's
// table, its kind and place; what it tells screen readers; and the user's gestures on
// it, which it reports to its window. The control's C++ object is reached from its
// native window through a window property.
class Control : public AccessibleObject {
public:
    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    [[nodiscard]] HWND hwnd() const { return m_hwnd; }
    [[nodiscard]] std::size_t row() const { return m_row; }
    [[nodiscard]] services::ControlKind kind() const { return m_kind; }
    [[nodiscard]] Window &window() const { return m_window; }

    void setVisible(bool visible);
    // Shown by its own style (its parents may be hidden).
    [[nodiscard]] bool isVisible() const;
    // What a screen reader says for a control without text (pictures, frames).
    void setDescription(std::string_view text);
    // Shown while the mouse pointer rests on the control; made when the program first
    // shows the control, so that the common controls are loaded only then.
    void setToolTip(std::string_view text);

    // Moves and sizes the control for a screen of `dpi` dots per inch, with fonts to match.
    virtual void applyDpi(int dpi);

    // A gesture the user made on the control, for its window to deliver.
    void report(services::gestures::Gesture gesture);

    [[nodiscard]] AccessibleFacts accessibleFacts() const override;
    void perform(services::accessibility::Action action) override;

    // The control whose native window this is, or null.
    [[nodiscard]] static Control *from(HWND window);
    // Sends a push button's click to its control; the parents of buttons call it for
    // WM_COMMAND. Returns whether it was one.
    static bool routeCommand(WPARAM wParam, LPARAM lParam);

protected:
    Control(Window &window, std::size_t row, const services::ControlRow &description);
    // Creates the native window as a child of `parent`, above its earlier siblings.
    void create(const wchar_t *windowClass, HWND parent, DWORD style, DWORD exStyle, int dpi);
    // The program's own window class for labels and pictures: double-clicks, the arrow.
    [[nodiscard]] static const wchar_t *programClass();

    // What the control shows now, as a screen reader is to get it.
    [[nodiscard]] virtual services::accessibility::Presentation presentation() const = 0;
    [[nodiscard]] const std::string &description() const { return m_description; }

    // Mouse handling of the program's own controls: a click is a press and a release of
    // the left button inside the control, a right click the same with the right one.
    // Returns whether it took the message.
    bool trackClicks(UINT message, LPARAM lParam);

    [[nodiscard]] int dpi() const { return m_dpi; }
    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void addToolTip();

    Window &m_window;
    std::size_t m_row;
    services::ControlKind m_kind;
    services::PixelRect m_rect;
    HWND m_hwnd = nullptr;
    int m_dpi = 96;
    UINT m_pressed = 0; // the button held down inside the control, if any
    std::string m_description;
    std::wstring m_toolTipText;
    HWND m_toolTip = nullptr;
};

} // namespace tervanel::win32
