#pragma once

#include "core/questions.hpp"

#include <cstdint>

namespace tervanel::bench {

// The answers for the i-th of a long run of presses: a walk through all 8,192 sheets
// in which every press has other answers than the one before (4,099 is odd, so the
// first 8,192 presses see every sheet once).
constexpr std::uint32_t sheetForPress(long i)
{
    return static_cast<std::uint32_t>((static_cast<unsigned long>(i) * 4099UL)
                                      % (1UL << kQuestionCount));
}

} // namespace tervanel::bench
