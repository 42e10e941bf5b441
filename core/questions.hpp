#pragma once

#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace tervanel {

// The three scores that an affirmative answer can count toward.
enum class Score : std::uint8_t { Venous, Locomotor, Arterial };

// The scores one question counts toward.
class ScoreSet final {
public:
    constexpr ScoreSet(std::initializer_list<Score> scores)
    {
        for (Score score : scores)
            m_bits = static_cast<std::uint8_t>(m_bits | bit(score));
    }

    [[nodiscard]] constexpr bool contains(Score score) const { return (m_bits & bit(score)) != 0; }

private:
    static constexpr std::uint8_t bit(Score score)
    {
        return static_cast<std::uint8_t>(1U << static_cast<unsigned>(score));
    }

    std::uint8_t m_bits = 0;
};

struct Question {
    int number;             // 1 to 13, top to bottom on the questionnaire
    std::string_view label; // the window label that shows it: "Label" + number
    ScoreSet countsToward;
    std::string_view text; // UTF-8, exactly as shown
};

inline constexpr int kQuestionCount = 13;

// The whole catalogue, in question order.
[[nodiscard]] std::span<const Question, kQuestionCount> questions();

// Thirteen yes/no answers, all no at first, indexed by question number.
class AnswerSheet final {
public:
    AnswerSheet() = default;

    // Bit n - 1 of the mask is the answer to question n; bits above 13 are refused.
    [[nodiscard]] static AnswerSheet fromMask(std::uint32_t mask);

    // Both throw std::out_of_range for a number outside 1 to 13.
    void set(int number, bool yes);
    [[nodiscard]] bool answer(int number) const;
    [[nodiscard]] std::uint32_t mask() const
    {
        return static_cast<std::uint32_t>(m_answers.to_ulong());
    }

    bool operator==(const AnswerSheet &) const = default;

private:
    std::bitset<kQuestionCount> m_answers;
};

} // namespace tervanel
