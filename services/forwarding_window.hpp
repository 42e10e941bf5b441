#pragma once

#include "services/window_services.hpp"

#include <cstddef>
#include <string_view>

namespace tervanel::services {

// A window over another, the target, to which it hands every operation as it is asked:
// the base of a window that changes what a few operations do, and says only those.
class ForwardingWindow : public Window {
public:
    void show() override;
    void hide() override;
    void unload() override;
    void setText(std::size_t control, std::string_view text) override;
    void setVisible(std::size_t control, bool visible) override;
    [[nodiscard]] bool bold(std::size_t control) const override;
    void setBold(std::size_t control, bool bold) override;
    void setForeColor(std::size_t control, VbColor color) override;
    void setBackColor(std::size_t control, VbColor color) override;
    void setPicture(std::size_t control, PictureId picture) override;
    [[nodiscard]] bool hasPicture(std::size_t control) const override;
    [[nodiscard]] bool isVisible() const override;
    void setFocus(std::size_t control) override;
    void setToolTip(std::size_t control, std::string_view text) override;
    void setDescription(std::size_t control, std::string_view text) override;
    void announce(std::string_view words) override;

protected:
    ForwardingWindow() = default;

    // The window beneath, asked for at each operation.
    [[nodiscard]] virtual Window &target() const = 0;
};

} // namespace tervanel::services
