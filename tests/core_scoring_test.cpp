#include "core/questions.hpp"
#include "core/scoring.hpp"
#include "harness/answers.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <initializer_list>
#include <ostream>
#include <vector>

namespace tervanel {

// Lets GoogleTest print scores in failure messages.
std::ostream &operator<<(std::ostream &out, const Scores &s);
std::ostream &operator<<(std::ostream &out, const Scores &s)
{
    return out << "V" << s.venous << " L" << s.locomotor << " A" << s.arterial;
}

namespace {

using enum VerdictStep;
using Steps = std::vector<VerdictStep>;

using harness::maskOf;

// The steps that hold, in the order they are made.
Steps stepsOf(const Scores &scores)
{
    Steps steps;
    for (VerdictStep step : kVerdictOrder)
        if (holds(step, scores))
            steps.push_back(step);
    return steps;
}

// Every one of the 8,192 answer sheets, checked against the questionnaire's decision
// table stated here on its own terms: the score memberships as bit masks, and the
// rule that exactly one of no-answer, venous, arterial and uncertain applies, with
// locomotor added whenever question 2, 4 or 12 is answered yes.
TEST(Verdict, EverySheetFollowsTheDecisionTable)
{
    const std::uint32_t venousQuestions = maskOf({1, 5, 7, 8, 10, 11});
    const std::uint32_t locomotorQuestions = maskOf({2, 4, 12});
    const std::uint32_t arterialQuestions = maskOf({2, 3, 4, 6, 9, 12, 13});

    for (std::uint32_t mask = 0; mask < (1U << kQuestionCount); ++mask) {
        const int v = std::popcount(mask & venousQuestions);
        const int l = std::popcount(mask & locomotorQuestions);
        const int a = std::popcount(mask & arterialQuestions);

        Steps expected;
        if (mask == 0)
            expected.push_back(NoAnswer);
        else if (v > a)
            expected.push_back(Venous);
        else if (a > v)
            expected.push_back(Arterial);
        if ((mask & locomotorQuestions) != 0)
            expected.push_back(Locomotor);
        if (mask != 0 && v == a)
            expected.push_back(Uncertain);

        const Scores scores = score(AnswerSheet::fromMask(mask));
        ASSERT_EQ(scores, (Scores{static_cast<std::int16_t>(v), static_cast<std::int16_t>(l),
                                  static_cast<std::int16_t>(a)}))
            << "mask " << mask;
        ASSERT_EQ(stepsOf(scores), expected) << "mask " << mask << ", " << scores;
        ASSERT_LE(scores.locomotor, scores.arterial);
    }
}

// Each row of the rules over the scores themselves, reachable or not.
TEST(Verdict, RulesOverScores)
{
    struct Row {
        Scores scores;
        Steps steps;
    };
    const Row rows[] = {
        {{0, 0, 0}, {NoAnswer}},
        {{0, 1, 0}, {Locomotor}}, // not reachable from a sheet, but the rules allow it
        {{1, 0, 0}, {Venous}},
        {{2, 1, 1}, {Venous, Locomotor}},
        {{0, 0, 1}, {Arterial}},
        {{0, 3, 7}, {Arterial, Locomotor}},
        {{1, 0, 1}, {Uncertain}},
        {{1, 1, 1}, {Locomotor, Uncertain}},
        {{3, 0, 3}, {Uncertain}}, // strict: a tie is neither venous nor arterial
        {{6, 3, 6}, {Locomotor, Uncertain}},
        {{0, 2, 0}, {Locomotor}}, // a tie at zero with L >= 1 is not uncertain
    };
    for (const Row &row : rows)
        EXPECT_EQ(stepsOf(row.scores), row.steps) << row.scores;
}

TEST(Verdict, WorkedExamples)
{
    struct Example {
        std::initializer_list<int> yes;
        Scores scores;
        Steps steps;
    };
    const Example examples[] = {
        {{}, {0, 0, 0}, {NoAnswer}},
        {{1}, {1, 0, 0}, {Venous}},
        {{3}, {0, 0, 1}, {Arterial}},
        {{2}, {0, 1, 1}, {Arterial, Locomotor}},
        {{4}, {0, 1, 1}, {Arterial, Locomotor}},
        {{12}, {0, 1, 1}, {Arterial, Locomotor}},
        {{1, 3}, {1, 0, 1}, {Uncertain}},
        {{1, 2}, {1, 1, 1}, {Locomotor, Uncertain}},
        {{1, 2, 5}, {2, 1, 1}, {Venous, Locomotor}},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, {6, 3, 7}, {Arterial, Locomotor}},
    };
    // Twice over, the second time backwards: a score depends on its sheet alone, never
    // on the sheets scored before it (two presses with the same answers agree).
    for (const bool backwards : {false, true}) {
        for (std::size_t i = 0; i < std::size(examples); ++i) {
            const Example &example = examples[backwards ? std::size(examples) - 1 - i : i];
            AnswerSheet sheet;
            for (int n : example.yes)
                sheet.set(n, true);
            const Scores scores = score(sheet);
            EXPECT_EQ(scores, example.scores);
            EXPECT_EQ(stepsOf(scores), example.steps) << scores;
        }
    }
}

} // namespace
} // namespace tervanel
