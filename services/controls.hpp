#pragma once

#include "services/accessibility.hpp"
#include "services/control_table.hpp"
#include "services/pictures.hpp"
#include "services/units.hpp"
#include "services/window_services.hpp"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace tervanel::services {

// Typed access to the controls of one window: a control is reached by its name in the
// window's enumeration. Asking a control for an operation its kind lacks is a failure.
// What the user sees change is noted for screen readers and announced when the handler
// is over.
class ControlAccess {
public:
    void setText(std::size_t index, std::string_view text) const;
    void setVisible(std::size_t index, bool visible) const;
    [[nodiscard]] bool bold(std::size_t index) const;
    void setBold(std::size_t index, bool bold) const;
    void setForeColor(std::size_t index, VbColor color) const;
    void setBackColor(std::size_t index, VbColor color) const;
    void setPicture(std::size_t index, PictureId picture) const;
    [[nodiscard]] bool hasPicture(std::size_t index) const;
    void setFocus(std::size_t index) const;
    void setToolTip(std::size_t index, std::string_view text) const;
    void setDescription(std::size_t index, std::string_view text) const;

    [[nodiscard]] std::size_t size() const { return m_kinds.size(); }

protected:
    // The window's rows as it was created from them, and its width in twips.
    ControlAccess(Window &window, std::span<const ControlRow> rows, int windowWidth);
    ~ControlAccess();
    ControlAccess(const ControlAccess &) = delete;
    ControlAccess &operator=(const ControlAccess &) = delete;

private:
    class Announcer;

    // Throws unless the control is one of the kinds.
    void expect(std::size_t index, std::initializer_list<ControlKind> kinds) const;

    Window *m_window;
    std::vector<ControlKind> m_kinds;
    std::vector<std::string_view> m_ids;
    std::unique_ptr<Announcer> m_announcer;
};

template <class Name> class Controls final : public ControlAccess {
public:
    template <std::size_t N>
    Controls(Window &window, const std::array<ControlRow, N> &rows, int windowWidth)
        : ControlAccess(window, rows, windowWidth)
    {
    }

    void setText(Name n, std::string_view text) const { ControlAccess::setText(index(n), text); }
    void setVisible(Name n, bool visible) const { ControlAccess::setVisible(index(n), visible); }
    void show(Name n) const { setVisible(n, true); }
    void hide(Name n) const { setVisible(n, false); }
    [[nodiscard]] bool bold(Name n) const { return ControlAccess::bold(index(n)); }
    void setBold(Name n, bool bold) const { ControlAccess::setBold(index(n), bold); }
    void setForeColor(Name n, VbColor c) const { ControlAccess::setForeColor(index(n), c); }
    void setBackColor(Name n, VbColor c) const { ControlAccess::setBackColor(index(n), c); }
    void setPicture(Name n, PictureId p) const { ControlAccess::setPicture(index(n), p); }
    [[nodiscard]] bool hasPicture(Name n) const { return ControlAccess::hasPicture(index(n)); }
    void setFocus(Name n) const { ControlAccess::setFocus(index(n)); }
    void setToolTip(Name n, std::string_view t) const { ControlAccess::setToolTip(index(n), t); }
    void setDescription(Name n, std::string_view t) const
    {
        ControlAccess::setDescription(index(n), t);
    }

    static constexpr std::size_t index(Name n) { return rowOf(n); }
};

} // namespace tervanel::services
