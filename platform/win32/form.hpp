#pragma once

#include "platform/win32/controls.hpp"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tervanel::win32 {

// The two kinds of frame the program's windows have: a fixed single border with a title
// bar, system menu and minimise box; or a fixed dialog frame with no title bar at all.
enum class FormFrame { FixedSingle, FixedDialog };
// Where a window first appears: its frame in the screen's top-left corner, or centred.
enum class FormPlacement { FrameAtScreenOrigin, Centred };

struct FormLook {
    std::wstring title;
    int width = 0; // client area, twips
    int height = 0;
    std::optional<COLORREF> back; // none: the system's dialog colour
    FormFrame frame = FormFrame::FixedSingle;
    FormPlacement placement = FormPlacement::Centred;
    // Every key that produces a character goes to onKeyPress first, also while a
    // control has the focus; the control does not see it.
    bool keyPreview = false;
    double fontPoints = 8.25;
    bool fontBold = false;
    std::wstring accessibleName; // empty: the title
};

// A top-level window of the program and its controls, built hidden. The window and its
// controls are destroyed with the object.
class Form final {
public:
    explicit Form(const FormLook &look);
    ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    // Controls, in the order of the window's description: each lies above the ones added
    // before it. `parent` is a frame added earlier, or null for the window itself.
    Label &addLabel(Control *parent, std::wstring id, PixelRect rect, std::optional<int> tabIndex,
                    const LabelLook &look, bool presentsAsCheckBox);
    PushButton &addButton(Control *parent, std::wstring id, PixelRect rect,
                          std::optional<int> tabIndex, const std::wstring &text, double points,
                          bool bold);
    PictureControl &addPicture(Control *parent, std::wstring id, PixelRect rect,
                               std::optional<int> tabIndex, PictureControl::Role role,
                               std::optional<COLORREF> back);

    // Shows the window non-modally and makes it the active one; returns at once.
    void show();
    void hide();
    [[nodiscard]] bool isVisible() const;
    // Gives a control the focus now if the window is active, else when it next is.
    void setFocus(const Control &control);
    // Asks for onDestroyRequest to be called once the running handler has returned.
    void requestDestroy();

    [[nodiscard]] HWND hwnd() const { return m_hwnd; }
    [[nodiscard]] int dpi() const { return m_dpi; }
    [[nodiscard]] const std::vector<std::unique_ptr<Control>> &controls() const
    {
        return m_controls;
    }

    // Handles the keyboard for the window before the message is dispatched: Tab and
    // Shift+Tab move the focus in tab order, Enter presses the focused button, and
    // with key preview every character goes to onKeyPress. Returns whether the message
    // was dealt with.
    bool preTranslate(MSG &message);

    // The program's window that a window belongs to (itself or a control on it), or null.
    [[nodiscard]] static Form *from(HWND window);
    // Every window of the program that exists, oldest first.
    [[nodiscard]] static const std::vector<Form *> &all();

    // A character from the keyboard, with key preview.
    std::function<void(wchar_t)> onKeyPress;
    // The close box of the title bar (or Alt+F4). Without a handler the window refuses.
    std::function<void()> onCloseRequest;
    // After requestDestroy(), from the message loop; the handler may destroy this object.
    std::function<void()> onDestroyRequest;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void applyDpi(int dpi);
    void place();
    [[nodiscard]] HWND parentWindow(Control *parent) const;
    // To the next control in tab order from the focused one, or to the first.
    void moveFocus(bool backwards, bool fromStart);
    void restoreFocus();
    template <class C> C &adopt(std::unique_ptr<C> control);

    bool isActive() const;

    FormLook m_look;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    HWND m_hwnd = nullptr;
    HBRUSH m_back = nullptr;
    int m_dpi = 96;
    HWND m_focus = nullptr; // the control that had the focus when the window was left
    std::vector<std::unique_ptr<Control>> m_controls;
};

} // namespace tervanel::win32
