// The arithmetic behind the reported figures, checked before scripts/bench measures
// anything: the quartiles, and the walk through the answer sheets that the growth check
// and its test rely on.

#include "bench/stats.hpp"
#include "harness/answers.hpp"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tervanel::bench {
namespace {

using harness::sheetForPress;

TEST(Summary, QuartilesInterpolateBetweenRanks)
{
    struct Row {
        std::vector<double> samples;
        Summary expected; // median, min, q1, q3, max
    };
    const Row rows[] = {
        {{7}, {7, 7, 7, 7, 7}},
        {{1, 2}, {1.5, 1, 1.25, 1.75, 2}},
        {{4, 1, 3, 2}, {2.5, 1, 1.75, 3.25, 4}},       // unsorted on the way in
        {{10, 20, 30, 40, 50}, {30, 10, 20, 40, 50}},  // quartiles on samples
        {{1, 2, 3, 4, 5, 6}, {3.5, 1, 2.25, 4.75, 6}}, // and between them
        {{5, 5, 1, 5, 100}, {5, 1, 5, 5, 100}},        // one outlier moves no quartile
    };
    for (const Row &row : rows) {
        const Summary s = summarize(row.samples);
        EXPECT_DOUBLE_EQ(s.median, row.expected.median);
        EXPECT_DOUBLE_EQ(s.min, row.expected.min);
        EXPECT_DOUBLE_EQ(s.q1, row.expected.q1);
        EXPECT_DOUBLE_EQ(s.q3, row.expected.q3);
        EXPECT_DOUBLE_EQ(s.max, row.expected.max);
    }
    EXPECT_THROW(static_cast<void>(summarize({})), std::invalid_argument);
}

TEST(PressSequence, EveryPressChangesTheAnswersAndTheFirstPressesSeeEverySheet)
{
    constexpr long kSheets = 1L << kQuestionCount;
    std::set<std::uint32_t> seen;
    for (long i = 0; i < kSheets; ++i) {
        ASSERT_LT(sheetForPress(i), static_cast<std::uint32_t>(kSheets));
        seen.insert(sheetForPress(i));
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kSheets));
    for (long i = 1; i < 10'000; ++i)
        ASSERT_NE(sheetForPress(i), sheetForPress(i - 1)) << "press " << i;
}

} // namespace
} // namespace tervanel::bench
