#include "core/reports.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace tervanel {
namespace {

// Characters, not bytes: the texts are UTF-8, so count every byte that starts one.
std::size_t characterCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;
    }));
}

// The only letters outside ASCII in the texts are the accented è, à and ù.
bool onlyKnownAccents(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) < 0x80)
            continue;
        const std::string_view pair = text.substr(i, 2);
        if (pair != "è" && pair != "à" && pair != "ù")
            return false;
        ++i;
    }
    return true;
}

std::size_t lineBreaks(std::string_view text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), kLineBreak));
}

// The character and line-break counts of the long texts catch a typo anywhere in them.
TEST(Reports, LongTextsHaveTheirExactLengthAndLineBreaks)
{
    struct Row {
        const char *name;
        std::string_view text;
        std::size_t characters;
        std::size_t breaks;
    };
    const Row rows[] = {
        {"venous", report(Report::Venous), 469, 8},
        {"arterial", report(Report::Arterial), 272, 2},
        {"locomotor", report(Report::Locomotor), 150, 2},
        {"uncertain", uncertainMessage().prompt, 308, 4},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(characterCount(row.text), row.characters) << row.name;
        EXPECT_EQ(lineBreaks(row.text), row.breaks) << row.name;
        EXPECT_TRUE(onlyKnownAccents(row.text)) << row.name;
        EXPECT_EQ(row.text.find('\n'), std::string_view::npos) << row.name << " holds a line feed";
        EXPECT_NE(row.text.front(), kLineBreak) << row.name;
        EXPECT_NE(row.text.back(), kLineBreak) << row.name;
    }
}

TEST(Reports, LinesStandWhereTheyBelong)
{
    struct Row {
        std::string_view text;
        std::string_view piece; // must occur exactly as written
    };
    const Row rows[] = {
        {report(Report::Venous), "inferiori.\r\rLe cause possono essere due:\r\r1) presenza"},
        {report(Report::Venous), "oppure\r2) difetti del tono venulare cioè"},
        {report(Report::Venous), "microcircolo:\rin entrambi i casi"},
        {report(Report::Venous), "cammino.\r\rConsultare uno specialista"},
        {report(Report::Arterial), "'claudicatio intermittens'.\r\rL'arteriosclerosi è"},
        {report(Report::Arterial), "dallo specialista."},
        {report(Report::Locomotor),
         "E' presente una forma di artrosi e/o di nevrite associata più"},
        {report(Report::Locomotor),
         "vascolari.\r\rConsultate lo specialista ortopedico e l'angiologo."},
        {uncertainMessage().prompt, "per una diagnosi certa\rI sintomi"},
        {uncertainMessage().prompt,
         "anamnestici\r...cioè solo dalla storia del paziente.\r\r E' pertanto"},
    };
    for (const Row &row : rows)
        EXPECT_NE(row.text.find(row.piece), std::string_view::npos) << row.piece;

    EXPECT_TRUE(uncertainMessage().prompt.ends_with("per dirimere il dubbio"));
    EXPECT_TRUE(report(Report::Venous).ends_with("Consultare uno specialista"));
}

TEST(Reports, UncertainMessageBox)
{
    const Message message = uncertainMessage();
    EXPECT_EQ(message.title, "Diagnosi Incerta");
    EXPECT_EQ(static_cast<int>(message.style), 64);
}

TEST(Reports, HeadingsOfEveryStep)
{
    struct Row {
        VerdictStep step;
        std::string_view text;
    };
    const Row rows[] = {
        {VerdictStep::NoAnswer, "Devi cliccare sulle domande!"},
        {VerdictStep::Venous, "Patologia venosa..."},
        {VerdictStep::Arterial, "Patologia arteriosa..."},
        {VerdictStep::Locomotor, "Patologia apparato locomotore..."},
        {VerdictStep::Uncertain, "Patologia incerta..."},
    };
    for (const Row &row : rows)
        EXPECT_EQ(heading(row.step), row.text);
}

TEST(Reports, ScoreCaptionsArePrefixAndPlainNumber)
{
    struct Row {
        Score score;
        int value;
        std::string_view caption;
    };
    const Row rows[] = {
        {Score::Venous, 0, "Venosa: 0"},
        {Score::Venous, 6, "Venosa: 6"},
        {Score::Locomotor, 0, "Apparato Locomotore: 0"},
        {Score::Locomotor, 3, "Apparato Locomotore: 3"},
        {Score::Arterial, 7, "Arteriosa: 7"},
        {Score::Arterial, 12, "Arteriosa: 12"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(scoreCaption(row.score, row.value), row.caption);
}

} // namespace
} // namespace tervanel
