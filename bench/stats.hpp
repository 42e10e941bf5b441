#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace tervanel::bench {

// The middle and the spread of a set of samples.
struct Summary {
    double median = 0;
    double min = 0;
    double q1 = 0; // the first quartile
    double q3 = 0; // the third quartile
    double max = 0;
};

// The p-quantile (0 to 1) of sorted samples, interpolating linearly between the two
// nearest ranks, as most statistics packages do by default.
inline double quantile(const std::vector<double> &sorted, double p)
{
    const double rank = p * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    const double fraction = rank - static_cast<double>(below);
    return sorted[below] + fraction * (sorted[above] - sorted[below]);
}

inline Summary summarize(std::vector<double> samples)
{
    if (samples.empty())
        throw std::invalid_argument("no samples to summarize");
    std::sort(samples.begin(), samples.end());
    return {quantile(samples, 0.5), samples.front(), quantile(samples, 0.25),
            quantile(samples, 0.75), samples.back()};
}

} // namespace tervanel::bench
