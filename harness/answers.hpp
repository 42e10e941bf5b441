#pragma once

// Answer sheets as the tests and the benchmarks write them.

#include "core/questions.hpp"

#include <cstdint>
#include <initializer_list>

namespace tervanel::harness {

// The sheet with these questions answered yes, as a mask: bit n - 1 is question n.
constexpr std::uint32_t maskOf(std::initializer_list<int> yes)
{
    std::uint32_t mask = 0;
    for (int n : yes)
        mask |= 1U << (n - 1);
    return mask;
}

inline constexpr std::uint32_t kAllSheets = 1U << kQuestionCount; // 8,192

// The answers for the i-th of a long run of presses: a walk through all 8,192 sheets
// in which every press has other answers than the one before (4,099 is odd, so the
// first 8,192 presses see every sheet once).
constexpr std::uint32_t sheetForPress(long i)
{
    return static_cast<std::uint32_t>((static_cast<unsigned long>(i) * 4099UL) % kAllSheets);
}

} // namespace tervanel::harness
