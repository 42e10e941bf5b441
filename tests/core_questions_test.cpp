#include "core/questions.hpp"
#include "core/scoring.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>

namespace tervanel {
namespace {

TEST(QuestionCatalogue, NumbersAndLabelsRunOneToThirteen)
{
    int expected = 1;
    for (const Question &q : questions()) {
        EXPECT_EQ(q.number, expected);
        EXPECT_EQ(q.label, "Label" + std::to_string(expected));
        ++expected;
    }
    EXPECT_EQ(expected, 14);
}

TEST(QuestionCatalogue, TextsHaveNoOuterBlanksAndKeepTheirOddities)
{
    for (const Question &q : questions()) {
        ASSERT_FALSE(q.text.empty());
        EXPECT_NE(q.text.front(), ' ') << q.number;
        EXPECT_NE(q.text.back(), ' ') << q.number;
        EXPECT_EQ(q.text.back(), '?') << q.number;
    }
    EXPECT_NE(questions()[8].text.find("gambe.  Migliora"), std::string_view::npos);
    EXPECT_TRUE(questions()[10].text.starts_with("II fastidio"));
    EXPECT_NE(questions()[3].text.find("è già"), std::string_view::npos);
}

TEST(QuestionCatalogue, ScoreMembershipFollowsTheQuestionnaire)
{
    // Stated here independently of the catalogue: who counts toward what.
    const std::string venous = "1 5 7 8 10 11";
    const std::string locomotor = "2 4 12";
    const std::string arterial = "2 3 4 6 9 12 13";
    auto listOf = [](Score score) {
        std::string list;
        for (const Question &q : questions())
            if (q.countsToward.contains(score)) {
                if (!list.empty())
                    list += ' ';
                list += std::to_string(q.number);
            }
        return list;
    };
    EXPECT_EQ(listOf(Score::Venous), venous);
    EXPECT_EQ(listOf(Score::Locomotor), locomotor);
    EXPECT_EQ(listOf(Score::Arterial), arterial);

    for (const Question &q : questions()) {
        const bool v = q.countsToward.contains(Score::Venous);
        const bool l = q.countsToward.contains(Score::Locomotor);
        const bool a = q.countsToward.contains(Score::Arterial);
        EXPECT_TRUE(!l || a) << "locomotor question " << q.number << " must count as arterial";
        EXPECT_TRUE(!(v && (l || a))) << q.number;
        EXPECT_TRUE(v || a) << q.number;
    }
}

TEST(QuestionCatalogue, RefusesNumbersOutsideTheCatalogue)
{
    for (int bad : {0, 14, -1, 100, INT_MIN, INT_MAX}) {
        AnswerSheet sheet;
        EXPECT_THROW(sheet.set(bad, true), std::out_of_range) << bad;
        EXPECT_THROW(static_cast<void>(sheet.answer(bad)), std::out_of_range) << bad;
        EXPECT_EQ(sheet, AnswerSheet{}) << "a refused set must change nothing";
    }
    try {
        static_cast<void>(AnswerSheet{}.answer(14));
        FAIL() << "question 14 was accepted";
    } catch (const std::out_of_range &error) {
        EXPECT_NE(std::string(error.what()).find("14"), std::string::npos) << error.what();
    }
}

TEST(AnswerSheet, StartsAllNoAndScoresZero)
{
    const AnswerSheet sheet;
    for (int n = 1; n <= kQuestionCount; ++n)
        EXPECT_FALSE(sheet.answer(n)) << n;
    EXPECT_EQ(score(sheet), Scores{});
}

TEST(AnswerSheet, SetsAnswersWithoutCounting)
{
    AnswerSheet sheet;
    sheet.set(7, true);
    sheet.set(7, true);
    sheet.set(7, true);
    EXPECT_TRUE(sheet.answer(7));
    EXPECT_EQ(score(sheet), (Scores{1, 0, 0}));

    sheet.set(7, false);
    EXPECT_FALSE(sheet.answer(7));
    sheet.set(7, false);
    EXPECT_EQ(sheet, AnswerSheet{});

    sheet.set(1, true);
    sheet.set(13, true);
    for (int n = 1; n <= kQuestionCount; ++n)
        EXPECT_EQ(sheet.answer(n), n == 1 || n == 13) << n;
}

TEST(AnswerSheet, MaskRoundTripsAndRejectsStrayBits)
{
    for (std::uint32_t mask : {0U, 1U, 0x1000U, 0x1FFFU, 0x0AAAU}) {
        const AnswerSheet sheet = AnswerSheet::fromMask(mask);
        EXPECT_EQ(sheet.mask(), mask);
        for (int n = 1; n <= kQuestionCount; ++n)
            EXPECT_EQ(sheet.answer(n), ((mask >> (n - 1)) & 1U) != 0);
    }
    EXPECT_THROW(static_cast<void>(AnswerSheet::fromMask(0x2000U)), std::out_of_range);
    EXPECT_THROW(static_cast<void>(AnswerSheet::fromMask(0xFFFFFFFFU)), std::out_of_range);
}

} // namespace
} // namespace tervanel
