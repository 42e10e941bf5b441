#pragma once

#include "platform/win32/accessible.hpp"
#include "platform/win32/line_layout.hpp"
#include "services/units.hpp"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tervanel::win32 {

class DecodedPicture;

// Position and size of a control in layout pixels (as at 96 dots per inch), relative
// to its parent's client area.
using services::PixelRect;

// What every child control has: its window, its place, its events. The
// control's C++ object is reached from its window through a window property.
class Control {
public:
    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    [[nodiscard]] HWND hwnd() const { return m_hwnd; }
    [[nodiscard]] const std::wstring &id() const { return m_id; }
    [[nodiscard]] std::optional<int> tabIndex() const { return m_tabIndex; }
    [[nodiscard]] virtual bool takesFocus() const { return false; }

    void setVisible(bool visible);
    [[nodiscard]] bool isVisible() const;

    // Moves and sizes the control for a screen of `dpi` dots per inch, with fonts to match.
    virtual void applyDpi(int dpi);

    // The control whose window this is, or null.
    [[nodiscard]] static Control *from(HWND window);

    // Events; the owner sets them. A double-click arrives as a click (first press and
    // release) followed by a double-click (second press).
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;

protected:
    friend void registerControlClasses();
    Control(std::wstring id, PixelRect rect, std::optional<int> tabIndex);
    // Creates the control's window as a child of `parent`, above its earlier siblings.
    void create(const wchar_t *windowClass, HWND parent, DWORD style, DWORD exStyle, int dpi);

    // Mouse handling shared by the program's own controls: a click is a press and a
    // release of the left button inside the control. Returns whether it took the message.
    bool trackClicks(UINT message, LPARAM lParam);

    [[nodiscard]] int dpi() const { return m_dpi; }
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    std::wstring m_id;
    PixelRect m_rect;
    std::optional<int> m_tabIndex;
    HWND m_hwnd = nullptr;
    int m_dpi = 96;
    bool m_pressed = false;
};

// How a label looks when created. Colours are 0x00BBGGRR; without one the label takes the
// system's dialog colours.
struct LabelLook {
    std::optional<COLORREF> back;
    std::optional<COLORREF> fore;
    double points = 8.25;
    bool bold = false;
    bool centred = false;
};

// A label of the forms layer: an opaque rectangle of fixed size whose caption starts at
// the top (left or centred), wraps at word boundaries and is cut at the bottom. The caption
// is kept exactly as set, lone CRs included; each CR starts a new line.
class Label final : public Control {
public:
    // A question label presents itself to screen readers as a check box, checked while
    // the label is bold.
    Label(HWND parent, std::wstring id, PixelRect rect, std::optional<int> tabIndex,
          const LabelLook &look, bool presentsAsCheckBox, int dpi);

    void setCaption(std::wstring caption);
    [[nodiscard]] const std::wstring &caption() const { return m_caption; }
    void setBold(bool bold);
    [[nodiscard]] bool isBold() const { return m_bold; }
    void setForeColor(COLORREF color);
    void setBackColor(COLORREF color);
    [[nodiscard]] COLORREF foreColor() const { return m_fore; }
    [[nodiscard]] COLORREF backColor() const { return m_back; }
    [[nodiscard]] bool presentsAsCheckBox() const { return m_checkBox; }

    // The caption laid out in the label's current font and width, and the line pitch.
    [[nodiscard]] std::vector<TextLine> lines() const;
    [[nodiscard]] int linePitch() const;

    void applyDpi(int dpi) override;

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paint(HDC dc) const;
    [[nodiscard]] HFONT font() const;
    [[nodiscard]] AccessibleFacts accessibleFacts() const;

    std::wstring m_caption;
    COLORREF m_fore;
    COLORREF m_back;
    double m_points;
    bool m_bold;
    bool m_centred;
    bool m_checkBox;
};

// A standard push button: neither default nor cancel button of its window.
class PushButton final : public Control {
public:
    PushButton(HWND parent, std::wstring id, PixelRect rect, std::optional<int> tabIndex,
               const std::wstring &text, double points, bool bold, int dpi);

    void setText(const std::wstring &text);
    [[nodiscard]] std::wstring text() const;
    [[nodiscard]] bool takesFocus() const override { return true; }
    void applyDpi(int dpi) override;

private:
    // The system's button, with screen readers told it is a push button: not every
    // system's standard proxy says so of its own accord.
    static LRESULT CALLBACK buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    double m_points;
    bool m_bold;
    WNDPROC m_systemProc = nullptr;
};

// A picture box (a 2-pixel sunken border, the picture at its natural size at the top
// left), an image (the picture stretched over the control) or a frame (an etched line
// around controls that lie on it). Each can be clicked.
class PictureControl final : public Control {
public:
    enum class Role { PictureBox, Image, Frame };

    PictureControl(HWND parent, std::wstring id, PixelRect rect, std::optional<int> tabIndex,
                   Role role, std::optional<COLORREF> back, int dpi);
    ~PictureControl() override;

    [[nodiscard]] Role role() const { return m_role; }
    void setPicture(std::shared_ptr<const DecodedPicture> picture);
    [[nodiscard]] const DecodedPicture *picture() const { return m_picture.get(); }
    // What a screen reader says for the control.
    void setAccessibleName(std::wstring name);
    // Shown when the mouse pointer rests on the control.
    void setToolTip(const std::wstring &text);
    [[nodiscard]] bool takesFocus() const override { return m_role == Role::PictureBox; }

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paint(HDC dc) const;
    // Makes the tool tip and gives it the text; false if the system cannot.
    bool addToolTip();

    Role m_role;
    std::optional<COLORREF> m_back;
    std::shared_ptr<const DecodedPicture> m_picture;
    std::wstring m_accessibleName;
    std::wstring m_toolTipText;
    HWND m_toolTip = nullptr;
};

// Registers the window classes of the program's own controls; safe to call again.
void registerControlClasses();

// Sends a button's click to its control; the parents of buttons call it for WM_COMMAND.
bool routeCommand(WPARAM wParam, LPARAM lParam);

} // namespace tervanel::win32
