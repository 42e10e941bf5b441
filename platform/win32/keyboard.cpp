#include "platform/win32/keyboard.hpp"

#include <algorithm>

namespace tervanel::win32 {

std::optional<std::size_t> nextInTabOrder(const std::vector<TabStop> &stops,
                                          std::optional<std::size_t> current, bool backwards)
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < stops.size(); ++i)
        if (stops[i].available || (current && *current == i))
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return stops[a].tabIndex < stops[b].tabIndex;
    });
    const auto available = [&](std::size_t i) { return stops[i].available; };
    if (order.empty() || std::none_of(order.begin(), order.end(), available))
        return std::nullopt;

    const auto at = current ? std::find(order.begin(), order.end(), *current) : order.end();
    const std::size_t n = order.size();
    // From nowhere, Tab starts at the first control and Shift+Tab at the last.
    std::size_t position =
        at == order.end() ? (backwards ? 0 : n - 1) : static_cast<std::size_t>(at - order.begin());
    for (std::size_t step = 0; step < n; ++step) {
        position = backwards ? (position + n - 1) % n : (position + 1) % n;
        if (available(order[position]))
            return order[position];
    }
    return std::nullopt;
}

} // namespace tervanel::win32
