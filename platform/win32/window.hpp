#pragma once

#include "platform/win32/form.hpp"
#include "services/window_services.hpp"

#include <memory>
#include <vector>

namespace tervanel::win32 {

class Services;

// One window of the program on Windows: a top-level window built from its description,
// with its controls, delivering their events to the form that asked for it.
class Window final : public services::Window {
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

    // Loaded: created and not unloaded. The native window may outlive this for a moment.
    [[nodiscard]] bool isLoaded() const { return !m_unloaded; }
    // The native window, while it exists (for tests and tools).
    [[nodiscard]] Form *form() const { return m_form.get(); }

private:
    [[nodiscard]] Control &control(std::size_t index) const;
    [[nodiscard]] Label &label(std::size_t index) const;
    [[nodiscard]] PictureControl &picture(std::size_t index) const;
    void keyPress(wchar_t unit);

    Services &m_services;
    services::WindowEvents &m_events;
    std::unique_ptr<Form> m_form;
    std::vector<Control *> m_controls; // by row
    bool m_unloaded = false;
    wchar_t m_highSurrogate = 0;
};

} // namespace tervanel::win32
