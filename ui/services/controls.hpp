#pragma once

#include "ui/services/label.hpp"
#include "ui/services/picture.hpp"
#include "ui/services/units.hpp"

#include <QPushButton>
#include <QWidget>

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tervanel::ui {

// A question label is a label that screen readers see as a check box.
enum class ControlKind { Label, QuestionLabel, PushButton, PictureBox, Image, Frame };
enum class Align { Left, Centre };

// A font of its own for a control; controls without one use the window's font.
struct FontSpec {
    double points;
    bool bold;
};

// One row of a window's control table, as stored in the window's description.
// Positions and sizes are in twips, relative to the parent control or the window.
template <class Name> struct ControlSpec {
    Name name;
    std::string_view id; // the control's name, for tools and tests
    ControlKind kind;
    std::string_view text; // UTF-8
    int left, top, width, height;
    std::optional<VbColor> back;
    std::optional<VbColor> fore;
    std::optional<FontSpec> font;
    Align align;
    std::optional<int> tabIndex;
    std::optional<Name> parent;
};

// A table must list its controls in the order of their names' enumeration.
template <class Name, std::size_t N>
constexpr bool inEnumOrder(const std::array<ControlSpec<Name>, N> &table)
{
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<std::size_t>(table[i].name) != i)
            return false;
    return true;
}

// Typed access to the controls of one window, built from its table, and the
// operations the window's handlers use on them. A control is reached by its name in
// the enumeration; asking a control for a property its kind lacks is a failure.
class ControlSet {
public:
    [[nodiscard]] QWidget &widget(std::size_t index) const { return *m_widgets.at(index); }
    [[nodiscard]] Label &label(std::size_t index) const;
    [[nodiscard]] QPushButton &button(std::size_t index) const;
    [[nodiscard]] Picture &picture(std::size_t index) const;

    void setText(std::size_t index, std::string_view text) const;
    void setVisible(std::size_t index, bool visible) const;
    [[nodiscard]] bool bold(std::size_t index) const;
    void setBold(std::size_t index, bool bold) const;
    void setForeColor(std::size_t index, VbColor color) const;
    void setBackColor(std::size_t index, VbColor color) const;

    [[nodiscard]] std::size_t size() const { return m_widgets.size(); }

protected:
    struct Row {
        std::string_view id;
        ControlKind kind;
        std::string_view text;
        QRect geometry;
        std::optional<VbColor> back;
        std::optional<VbColor> fore;
        std::optional<FontSpec> font;
        Align align;
        std::optional<int> tabIndex;
        std::optional<std::size_t> parent;
    };
    void build(QWidget &window, std::span<const Row> rows);

private:
    std::vector<QWidget *> m_widgets;
    std::vector<ControlKind> m_kinds;
};

template <class Name> class Controls final : public ControlSet {
public:
    template <std::size_t N>
    void build(QWidget &window, const std::array<ControlSpec<Name>, N> &table)
    {
        std::array<Row, N> rows;
        for (std::size_t i = 0; i < N; ++i) {
            const ControlSpec<Name> &c = table[i];
            rows[i] = Row{c.id,       c.kind,
                          c.text,     pixelRect(c.left, c.top, c.width, c.height),
                          c.back,     c.fore,
                          c.font,     c.align,
                          c.tabIndex, c.parent ? std::optional(index(*c.parent)) : std::nullopt};
        }
        ControlSet::build(window, rows);
    }

    [[nodiscard]] QWidget &widget(Name n) const { return ControlSet::widget(index(n)); }
    [[nodiscard]] Label &label(Name n) const { return ControlSet::label(index(n)); }
    [[nodiscard]] QPushButton &button(Name n) const { return ControlSet::button(index(n)); }
    [[nodiscard]] Picture &picture(Name n) const { return ControlSet::picture(index(n)); }

    void setText(Name n, std::string_view text) const { ControlSet::setText(index(n), text); }
    void setVisible(Name n, bool visible) const { ControlSet::setVisible(index(n), visible); }
    void show(Name n) const { setVisible(n, true); }
    void hide(Name n) const { setVisible(n, false); }
    [[nodiscard]] bool bold(Name n) const { return ControlSet::bold(index(n)); }
    void setBold(Name n, bool bold) const { ControlSet::setBold(index(n), bold); }
    void setForeColor(Name n, VbColor c) const { ControlSet::setForeColor(index(n), c); }
    void setBackColor(Name n, VbColor c) const { ControlSet::setBackColor(index(n), c); }

private:
    static constexpr std::size_t index(Name n) { return static_cast<std::size_t>(n); }
};

} // namespace tervanel::ui
