#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace tervanel::win32 {

// A control that can take the keyboard focus: its tab position and whether it can take
// the focus now (shown, with every parent shown).
struct TabStop {
    int tabIndex;
    bool available;
};

// The control that Tab (or Shift+Tab) moves the focus to from `current` (an index into
// `stops`, or none), in the order of the tab positions, round and round; controls that
// cannot take the focus now are passed over. None when no control can take it.
[[nodiscard]] std::optional<std::size_t> nextInTabOrder(const std::vector<TabStop> &stops,
                                                        std::optional<std::size_t> current,
                                                        bool backwards);

} // namespace tervanel::win32
