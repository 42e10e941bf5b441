#pragma once

#include "platform/win32/accessibility.hpp"
#include "platform/win32/control.hpp"
#include "platform/win32/convert.hpp"
#include "services/gestures.hpp"
#include "services/window_services.hpp"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tervanel::win32 {

class Label;
class Services;

// One window of the program: a top-level native window built from its description, with
// its controls (labels and question labels are Labels, push buttons PushButtons, picture
// boxes, images and frames Pictures), delivering their events to the form that asked
// for it as the program's gestures say.
//
// The native window and its controls are made at once, with the window. The questionnaire,
// hidden behind the introduction, is asked for only when it is first needed
// (services::DeferredWindow), so it costs the first window nothing.
class Window final : public services::Window, private AccessibleObject {
public:
    Window(Services &services, const services::WindowDescription &description,
           services::WindowEvents &events);
    ~Window() override;

    void show() override;
    void hide() override;
    void unload() override;

    void setText(std::size_t control, std::string_view text) override;
    void setVisible(std::size_t control, bool visible) override;
    [[nodiscard]] bool bold(std::size_t control) const override;
    void setBold(std::size_t control, bool bold) override;
    void setForeColor(std::size_t control, services::VbColor color) override;
    void setBackColor(std::size_t control, services::VbColor color) override;
    void setPicture(std::size_t control, services::PictureId picture) override;
    [[nodiscard]] bool hasPicture(std::size_t control) const override;
    void setFocus(std::size_t control) override;
    void setToolTip(std::size_t control, std::string_view text) override;
    void setDescription(std::size_t control, std::string_view text) override;
    [[nodiscard]] bool isVisible() const override;
    void announce(std::string_view words) override;

    // For the controls: what the user did on one, delivered at once; a screen reader's
    // action, delivered from the event loop. Nothing once the window is unloaded.
    void deliver(std::size_t row, services::gestures::Gesture gesture);
    void perform(std::size_t row, services::accessibility::Action action);

    // Tells screen readers the words announced last, if not yet told: now, or once the
    // event loop takes the window's messages again.
    void sayDue();
    void sayDueFromTheLoop();

    // The window's keyboard, before the message loop dispatches a message to it or to a
    // control on it: key preview, Enter on the focused push button, Space and Enter on a
    // focused question, Tab and Shift+Tab.
    // Returns whether the message was dealt with.
    bool preTranslate(MSG &message);

    // Loaded: created and not unloaded. The native window may outlive this for a moment.
    [[nodiscard]] bool isLoaded() const { return !m_unloaded; }
    // The native window and controls, while they exist (for tests and tools).
    [[nodiscard]] HWND hwnd() const { return m_hwnd; }
    [[nodiscard]] Control &control(std::size_t row) const;
    [[nodiscard]] Label &label(std::size_t row) const;
    [[nodiscard]] HWND liveRegion() const;

    // The program's window that a native window belongs to (itself or a control on it).
    [[nodiscard]] static Window *from(HWND window);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void makeControls(std::span<const services::ControlRow> rows,
                      const services::FontSetting &font);
    void place();
    void applyDpi(int dpi);
    void repaintInScheme();
    void destroyNative();
    bool keyDown(MSG &message);
    // To the next control in tab order from the focused one, or to the first.
    void moveFocus(bool backwards, bool fromStart);
    void restoreFocus();
    [[nodiscard]] bool isActive() const;

    [[nodiscard]] AccessibleFacts accessibleFacts() const override;
    void perform(services::accessibility::Action action) override;

    Services &m_services;
    services::WindowEvents &m_events;
    std::string m_name; // what screen readers call the window
    services::WindowFrame m_frame;
    services::Placement m_placement;
    int m_width, m_height; // the client area, in twips
    std::optional<COLORREF> m_back;
    bool m_keyPreview;
    DWORD m_style = 0;
    HWND m_hwnd = nullptr;
    HBRUSH m_backBrush = nullptr; // of m_back, if any
    int m_dpi = 96;
    HWND m_focus = nullptr; // the control that had the focus when the window was left
    std::vector<std::unique_ptr<Control>> m_controls; // by row
    std::vector<std::size_t> m_tabOrder;
    std::optional<std::size_t> m_defaultButton; // what Enter presses from a question
    std::unique_ptr<LiveRegion> m_liveRegion;
    std::wstring m_announcement; // due from the event loop
    SurrogateJoiner m_joiner;
    bool m_unloaded = false;
};

} // namespace tervanel::win32
