// Ten thousand presses of "Responso" with changing answers, each followed by the
// repaint and with the uncertain boxes answered as they come, must not make the
// program's memory grow: the peak (VmHWM) stays within 1 MiB of where it was after
// the first hundred presses. The same check as the benchmarks' tervanel_growth.

#include "harness/questionnaire.hpp"

#include <gtest/gtest.h>

namespace tervanel::test {
namespace {

constexpr long kPresses = 10'000;
constexpr long kSettledAfter = 100;
constexpr long kAllowedGrowthKiB = 1024;

TEST(Growth, TenThousandPressesLeaveThePeakMemoryWhereItWas)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer holds freed memory back: peak memory says nothing here";
#endif
    harness::Questionnaire window;
    const harness::PressRun run = harness::pressRepeatedly(window, kPresses, kSettledAfter);

    // The presses did reach the verdicts: otherwise the bound would hold for nothing.
    EXPECT_EQ(run.boxes, run.uncertainSheets);
    EXPECT_EQ(run.beeps, run.unansweredSheets);
    ASSERT_GT(run.peakSettledKiB, 0) << "cannot read VmHWM";
    EXPECT_LE(run.peakEndKiB - run.peakSettledKiB, kAllowedGrowthKiB)
        << "VmHWM after " << kSettledAfter << " presses: " << run.peakSettledKiB << " KiB, after "
        << kPresses << ": " << run.peakEndKiB << " KiB";
}

} // namespace
} // namespace tervanel::test
