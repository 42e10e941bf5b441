#pragma once

#include "services/forwarding_window.hpp"
#include "services/window_services.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tervanel::services {

// A window that starts hidden behind another and is made only when it is first needed:
// when it is shown or asked about its controls, or once the event loop is first idle
// (every window on screen painted), whichever comes first. Until then what it is told
// is kept and done, in order, on the window as soon as it is made, so nobody can tell
// it from a window made at once; the window on screen meanwhile comes up without
// waiting for it. A failure to make it, or in what was kept, is reported as any
// handler's failure is. What it does not keep goes to the window, made now if need be.
class DeferredWindow final : public ForwardingWindow {
public:
    // The description's texts and rows must outlive the window, except the id, caption
    // and spoken name, which it copies.
    DeferredWindow(WindowServices &services, const WindowDescription &description,
                   WindowEvents &events);
    ~DeferredWindow() override;

    // A window not yet made is hidden already, and an unloaded one is never made.
    void hide() override;
    void unload() override;
    [[nodiscard]] bool isVisible() const override;
    // Kept until the window is made.
    void setText(std::size_t control, std::string_view text) override;
    void setVisible(std::size_t control, bool visible) override;
    void setBold(std::size_t control, bool bold) override;
    void setForeColor(std::size_t control, VbColor color) override;
    void setBackColor(std::size_t control, VbColor color) override;
    void setPicture(std::size_t control, PictureId picture) override;
    void setFocus(std::size_t control) override;
    void setToolTip(std::size_t control, std::string_view text) override;
    void setDescription(std::size_t control, std::string_view text) override;
    void announce(std::string_view words) override;

    // Whether the platform's window has been made.
    [[nodiscard]] bool isMade() const { return m_window != nullptr; }
    // The platform's window, made now if it is not yet.
    [[nodiscard]] Window &underlying() const;

private:
    [[nodiscard]] Window &target() const override { return underlying(); }

    // An operation kept until the window is made.
    struct Kept {
        enum class Operation {
            SetText,
            SetVisible,
            SetBold,
            SetForeColor,
            SetBackColor,
            SetPicture,
            SetFocus,
            SetToolTip,
            SetDescription,
            Announce
        } operation;
        std::size_t control = 0;
        std::string text;
        std::uint32_t value = 0; // a flag, a colour or a picture
    };
    void later(Kept kept);
    static void apply(Window &window, const Kept &kept);

    WindowServices &m_services;
    WindowEvents &m_events;
    std::string m_id, m_caption, m_spokenName;
    WindowDescription m_description;
    mutable std::unique_ptr<Window> m_window;
    mutable std::vector<Kept> m_waiting;
    bool m_unloaded = false;
    // Tells the idle task whether this window is still there.
    std::shared_ptr<DeferredWindow *> m_self;
};

} // namespace tervanel::services
