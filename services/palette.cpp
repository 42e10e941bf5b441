#include "services/palette.hpp"

#include <algorithm>
#include <cmath>

namespace tervanel::services::palette {

namespace {

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double luminance(VbColor color)
{
    return 0.2126 * linear(color.red()) + 0.7152 * linear(color.green())
           + 0.0722 * linear(color.blue());
}

double contrastRatio(VbColor a, VbColor b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace tervanel::services::palette
