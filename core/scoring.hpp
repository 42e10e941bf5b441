#pragma once

#include "core/questions.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tervanel {

// The three counters of one evaluation. Sixteen bits are plenty: at most 6, 3 and 7.
struct Scores {
    std::int16_t venous = 0;
    std::int16_t locomotor = 0;
    std::int16_t arterial = 0;

    [[nodiscard]] std::int16_t of(Score score) const;
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

// The steps that hold, as an ordered subsequence of kVerdictOrder.
class VerdictSteps final {
public:
    explicit VerdictSteps(const Scores &scores);

    [[nodiscard]] bool contains(VerdictStep step) const;
    [[nodiscard]] std::size_t size() const { return m_count; }
    [[nodiscard]] const VerdictStep *begin() const { return m_steps.data(); }
    [[nodiscard]] const VerdictStep *end() const { return m_steps.data() + m_count; }

private:
    std::array<VerdictStep, kVerdictOrder.size()> m_steps{};
    std::size_t m_count = 0;
};

} // namespace tervanel
