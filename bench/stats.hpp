#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <fstream>
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

// Whether a run of the start-up bench can be trusted: a ratio taken while other work
// keeps the processors busy is not the program's own, since both programs then wait for
// the processors and the ratio shrinks toward 1. Two signs tell a loaded run: the load
// average, before the runs and after them (the bench itself adds about one), against the
// processors; and the spread of the floor's own times, which on a quiet machine stays
// narrow (the least program does the same work every run).
struct Conditions {
    double loadBefore = 0; // one-minute load average as the runs start
    double loadAfter = 0;  // and as they end
    int processors = 1;
    Summary floorTimes; // the floor's time to first window
};

// The one-minute load average, from /proc/loadavg; 0 when it cannot be read.
inline double loadAverage()
{
    std::ifstream in("/proc/loadavg");
    double load = 0;
    in >> load;
    return load;
}

struct Trust {
    bool trusted;
    double floorSpread; // the floor's IQR over its median
    bool busy;          // the load average says other work ran
};

inline constexpr double kQuietLoadPerProcessor = 0.5; // before the runs
inline constexpr double kBusyLoadPerProcessor = 1.0;  // after them, the bench's own included
inline constexpr double kQuietFloorSpread = 0.25;

inline Trust judge(const Conditions &c)
{
    const double spread =
        c.floorTimes.median > 0 ? (c.floorTimes.q3 - c.floorTimes.q1) / c.floorTimes.median : 0;
    const double processors = std::max(1, c.processors);
    const bool busy = c.loadBefore > kQuietLoadPerProcessor * processors
                      || c.loadAfter > kBusyLoadPerProcessor * processors;
    return {!busy && spread <= kQuietFloorSpread, spread, busy};
}

} // namespace tervanel::bench
