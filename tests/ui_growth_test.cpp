// Ten thousand presses of "Responso" with changing answers, each followed by the
// repaint and with the uncertain boxes answered as they come, must not make the
// program's memory grow: the peak (VmHWM) stays within 1 MiB of where it was after
// the first hundred presses.

#include "tests/support/harness.hpp"
#include "tests/support/ui_test.hpp"

#include "core/scoring.hpp"

#include <QPushButton>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace tervanel::test {
namespace {

constexpr long kPresses = 10'000;
constexpr long kSettledAfter = 100;
constexpr long kAllowedGrowthKiB = 1024;

// The answers of the i-th press: every press has other answers than the one before,
// and the first 8,192 presses see every sheet once (4,099 is odd).
std::uint32_t sheetForPress(long i)
{
    return static_cast<std::uint32_t>((static_cast<unsigned long>(i) * 4099UL)
                                      % (1UL << kQuestionCount));
}

class GrowthTest : public Form1Test {
protected:
    void SetUp() override
    {
#if defined(__SANITIZE_ADDRESS__)
        GTEST_SKIP() << "AddressSanitizer holds freed memory back: peak memory says nothing here";
#endif
        Form1Test::SetUp();
        dismissIntroduction();
    }
};

TEST_F(GrowthTest, TenThousandPressesLeaveThePeakMemoryWhereItWas)
{
    // Only a count is kept of the boxes: a record of every one would itself grow.
    long boxesAnswered = 0;
    runtime.onBox = [&](const ui::runtime::MessageBoxRequest &) {
        ++boxesAnswered;
        runtime.boxes.clear();
    };
    auto &responso = static_cast<QPushButton &>(widget(ui::Form1Control::Command1));

    long uncertainSheets = 0, unansweredSheets = 0, settledPeak = -1;
    for (long i = 0; i < kPresses; ++i) {
        const AnswerSheet sheet = AnswerSheet::fromMask(sheetForPress(i));
        for (int n = 1; n <= kQuestionCount; ++n)
            controls().setBold(ui::kQuestionLabels.at(static_cast<std::size_t>(n - 1)),
                               sheet.answer(n));
        const Scores scores = score(sheet);
        uncertainSheets += holds(VerdictStep::Uncertain, scores) ? 1 : 0;
        unansweredSheets += holds(VerdictStep::NoAnswer, scores) ? 1 : 0;
        responso.click();
        processDeferredDeletes();
        if (i + 1 == kSettledAfter)
            settledPeak = harness::peakMemoryKiB();
    }
    const long finalPeak = harness::peakMemoryKiB();

    // The presses did reach the verdicts: otherwise the bound would hold for nothing.
    EXPECT_EQ(boxesAnswered, uncertainSheets);
    EXPECT_EQ(runtime.beeps, unansweredSheets);
    ASSERT_GT(settledPeak, 0) << "cannot read VmHWM";
    EXPECT_LE(finalPeak - settledPeak, kAllowedGrowthKiB)
        << "VmHWM after " << kSettledAfter << " presses: " << settledPeak << " KiB, after "
        << kPresses << ": " << finalPeak << " KiB";
}

} // namespace
} // namespace tervanel::test
