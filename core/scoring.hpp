#pragma once

#include "core/questions.hpp"

#include <array>
#include <cstdint>

namespace tervanel {

// The three counters of one evaluation. Sixteen bits are plenty: at most 6, 3 and 7.
struct Scores {
    std::int16_t venous = 0;
    std::int16_t locomotor = 0;
    std::int16_t arterial = 0;

    bool operator==(const Scores &) const = default;
};

[[nodiscard]] Scores score(const AnswerSheet &sheet);

// The verdict tests, in the order they are made at every evaluation. They are not
// alternatives: every step whose test holds is carried out, one after the other.
enum class VerdictStep : std::uint8_t { NoAnswer, Venous, Arterial, Locomotor, Uncertain };

inline constexpr std::array<VerdictStep, 5> kVerdictOrder{
    VerdictStep::NoAnswer, VerdictStep::Venous, VerdictStep::Arterial, VerdictStep::Locomotor,
    VerdictStep::Uncertain};

// The test of one step on the final scores, independent of every other step.
[[nodiscard]] bool holds(VerdictStep step, const Scores &scores);

} // namespace tervanel
