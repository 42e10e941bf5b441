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

TEST(Conditions, ALoadedMachineOrAWideFloorIsNotTrusted)
{
    const Summary narrow{100, 90, 95, 105, 120}; // spread 0.10
    const Summary wide{100, 60, 80, 130, 300};   // spread 0.50
    struct Row {
        Conditions conditions;
        bool trusted;
    };
    const Row rows[] = {
        {{0.1, 1.1, 2, narrow}, true},
        {{1.0, 1.5, 2, narrow}, true},  // half of each processor busy before: still quiet
        {{1.2, 1.5, 2, narrow}, false}, // busy before the runs
        {{0.1, 2.5, 2, narrow}, false}, // busy by the end, beyond the bench's own
        {{0.1, 1.1, 2, wide}, false},   // the floor's own times all over the place
        {{3.0, 3.5, 8, narrow}, true},  // the same load on more processors
    };
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(judge(rows[i].conditions).trusted, rows[i].trusted) << "row " << i;
    EXPECT_DOUBLE_EQ(judge({0, 0, 2, wide}).floorSpread, 0.5);
    EXPECT_FALSE(judge({0, 0, 2, wide}).busy) << "a wide floor on a quiet machine is not load";
    EXPECT_TRUE(judge({1.2, 1.5, 2, narrow}).busy);
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
