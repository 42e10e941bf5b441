#pragma once

#include "services/window_services.hpp"

#include <cstddef>
#include <string_view>

namespace tervanel::web {

// A window of the program as an element of the page, with its controls as elements
// inside it (dom.js): labels as text boxes (questions as check boxes), push buttons as
// buttons, picture boxes, images and frames as pictures and groups.
class Window final : public services::Window {
public:
    Window(const services::WindowDescription &description, services::WindowEvents &events);
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

private:
    [[nodiscard]] int control(std::size_t row) const;

    int m_window;        // the page's number for it
    std::size_t m_count; // its controls
    bool m_unloaded = false;
};

} // namespace tervanel::web
