#pragma once

#include "services/accessibility.hpp"
#include "services/gestures.hpp"
#include "services/window_services.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tervanel::web {

// A window of the program as an element of the page, with its controls as elements
// inside it (window.js, control.js). The page reports the user's gestures and keys; what
// they mean is the program's (services/gestures.hpp), and so is what screen readers are
// given (services/accessibility.hpp), which this carries out.
class Window final : public services::Window {
public:
    Window(const services::WindowDescription &description, services::WindowEvents &events,
           const services::WindowServices &platform);
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
    [[nodiscard]] bool isVisible() const override;
    void setFocus(std::size_t control) override;
    void setToolTip(std::size_t control, std::string_view text) override;
    void setDescription(std::size_t control, std::string_view text) override;
    void announce(std::string_view words) override;

    // The user's input, as the page reports it.
    void gesture(std::size_t control, services::gestures::Gesture gesture);
    [[nodiscard]] bool delivers(std::size_t control, services::gestures::Gesture gesture) const;
    [[nodiscard]] services::gestures::KeyEffect keyEffect(const services::gestures::KeyPress &press,
                                                          std::optional<std::size_t> focused) const;
    void keyPress(char32_t character);
    // Space on a focused question: answers it, or takes its answer back.
    void toggleAnswer(std::size_t control);
    // The push button that Enter presses from a focused question, if any.
    [[nodiscard]] std::optional<std::size_t> defaultButton() const { return m_defaultButton; }
    // The control Tab (or Shift+Tab) moves the focus to from the focused one.
    [[nodiscard]] std::optional<std::size_t> nextFocus(std::optional<std::size_t> focused,
                                                       bool backwards) const;

private:
    struct Control {
        services::ControlKind kind;
        std::optional<std::size_t> parent;
        std::string caption;
        std::string description;
        bool visible = true;
        bool bold = false;
        bool picture = false;
    };
    // Gives screen readers the control as the program presents it now.
    void present(std::size_t control) const;
    [[nodiscard]] bool isShown(std::size_t control) const;
    // Where the page lays the window out in one column (a screen too small for it), the
    // first label or picture in reading order that the handler filled or showed comes
    // into view as its words are announced: after "Responso", the verdict.
    void bringChangedIntoView();

    services::WindowEvents &m_events;
    const services::WindowServices &m_platform;
    std::vector<Control> m_controls;
    std::vector<std::size_t> m_tabOrder;
    std::vector<std::size_t> m_readingOrder;
    std::optional<std::size_t> m_defaultButton;
    std::vector<bool> m_changed; // since the last announcement, by row
    bool m_keyPreview;
    int m_window; // the page's number for it
    bool m_visible = false;
    bool m_unloaded = false;
};

} // namespace tervanel::web
