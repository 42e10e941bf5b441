#pragma once

#include "core/questions.hpp"
#include "core/scoring.hpp"
#include "harness/answers.hpp"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tervanel::bench {

// The answer patterns the benchmarks are run with, one per kind of verdict, and the
// verdict step each must reach: a pattern that stopped reaching it after a change to
// the catalogue would time something else than its name says.
struct Pattern {
    std::string_view name;
    std::uint32_t mask; // bit n - 1: question n answered yes
    VerdictStep reaches;
};

using harness::kAllSheets;
using harness::maskOf;

inline constexpr std::array<Pattern, 5> kPatterns{{
    {"none", maskOf({}), VerdictStep::NoAnswer},
    {"venous", maskOf({1, 5, 8}), VerdictStep::Venous},
    {"arterial", maskOf({3, 6, 9}), VerdictStep::Arterial},
    {"uncertain", maskOf({1, 3}), VerdictStep::Uncertain},
    {"all13", kAllSheets - 1, VerdictStep::Locomotor},
}};

// Throws when a pattern no longer reaches its verdict step.
inline void checkPatterns()
{
    for (const Pattern &p : kPatterns)
        if (!holds(p.reaches, score(AnswerSheet::fromMask(p.mask))))
            throw std::logic_error("the answer pattern \"" + std::string(p.name)
                                   + "\" no longer reaches its verdict");
}

} // namespace tervanel::bench
