#pragma once

#include "services/units.hpp"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace tervanel::services {

// A question label is a label that screen readers see as a check box, checked while
// the label is bold.
enum class ControlKind { Label, QuestionLabel, PushButton, PictureBox, Image, Frame };
enum class Align { Left, Centre };

// A font of its own for a control or a window: the dialog face at a size in points (as
// at 96 dots per inch) and a weight. Controls without one use the window's font.
struct FontSetting {
    double points;
    bool bold;
};

// One row of a window's control table, as stored in the window's description.
// Positions and sizes are in twips, relative to the parent control or the window.
template <class Name> struct ControlDescription {
    Name name;
    std::string_view id; // the control's name, for tools, screen readers and tests
    ControlKind kind;
    std::string_view text; // UTF-8, line breaks as lone CRs
    int left, top, width, height;
    std::optional<VbColor> back;
    std::optional<VbColor> fore;
    std::optional<FontSetting> font;
    Align align;
    std::optional<int> tabIndex;
    std::optional<Name> parent;
};

// A control's row in its window's table: its name converted to a number.
template <class Name> constexpr std::size_t rowOf(Name name)
{
    return static_cast<std::size_t>(name);
}

// A table must list its controls in the order of their names' enumeration, so that a
// control's name converted to a number is its row.
template <class Name, std::size_t N>
constexpr bool inEnumOrder(const std::array<ControlDescription<Name>, N> &table)
{
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<std::size_t>(table[i].name) != i)
            return false;
    return true;
}

// A row as the platform receives it: the name is the row's index, the geometry is in
// device-independent pixels, the parent is a row index. A parent always comes before
// its children.
struct ControlRow {
    std::string_view id;
    ControlKind kind;
    std::string_view text;
    PixelRect geometry;
    std::optional<VbColor> back;
    std::optional<VbColor> fore;
    std::optional<FontSetting> font;
    Align align;
    std::optional<int> tabIndex;
    std::optional<std::size_t> parent;
};

template <class Name, std::size_t N>
constexpr std::array<ControlRow, N> rowsOf(const std::array<ControlDescription<Name>, N> &table)
{
    std::array<ControlRow, N> rows{};
    for (std::size_t i = 0; i < N; ++i) {
        const ControlDescription<Name> &c = table[i];
        rows[i] = ControlRow{
            c.id,
            c.kind,
            c.text,
            pixelRect(c.left, c.top, c.width, c.height),
            c.back,
            c.fore,
            c.font,
            c.align,
            c.tabIndex,
            c.parent ? std::optional(static_cast<std::size_t>(*c.parent)) : std::nullopt};
    }
    return rows;
}

} // namespace tervanel::services
