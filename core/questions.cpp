#include "core/questions.hpp"

#include <array>
#include <stdexcept>
#include <string>

namespace tervanel {

namespace {

using enum Score;

// clang-format off
constexpr std::array<Question, kQuestionCount> kCatalogue{{
    // No. label      counts toward              text
    { 1, "Label1",  {Venous},               "Il fastidio si attenua nella stagione fredda?"},
    { 2, "Label2",  {Locomotor, Arterial},  "Il disturbo peggiora salendo le scale?"},
    { 3, "Label3",  {Arterial},             "Il fastidio si manifesta durante il cammino?"},
    { 4, "Label4",  {Locomotor, Arterial},  "Il dolore è già presente la mattina prima di scendere dal letto?"},
    { 5, "Label5",  {Venous},               "Il fastidio si accentua nella stagione calda?"},
    { 6, "Label6",  {Arterial},             "Il dolore si accentua camminando in salita?"},
    { 7, "Label7",  {Venous},               "Il disturbo si accentua prima del ciclo mestruale?"},
    { 8, "Label8",  {Venous},               "Il fastidio si attenua se vi stendete sul letto?"},
    { 9, "Label9",  {Arterial},             "Durante una camminata avete dolore alle gambe.  Migliora se vi fermate?"},
    {10, "Label10", {Venous},               "Il fastidio si accentua stando fermi in piedi (durante una fila o stirando i panni)?"},
    {11, "Label11", {Venous},               "II fastidio migliora camminando?"},
    {12, "Label12", {Locomotor, Arterial},  "Durante la stagione fredda il fastidio aumenta?"},
    {13, "Label13", {Arterial},             "Il fastidio si attenua nella stagione calda?"},
}};
// clang-format on

std::size_t indexOf(int number)
{
    if (number < 1 || number > kQuestionCount)
        throw std::out_of_range("question number " + std::to_string(number) + " is outside 1 to "
                                + std::to_string(kQuestionCount));
    return static_cast<std::size_t>(number - 1);
}

} // namespace

std::span<const Question, kQuestionCount> questions()
{
    return kCatalogue;
}

AnswerSheet AnswerSheet::fromMask(std::uint32_t mask)
{
    if (mask >> kQuestionCount != 0)
        throw std::out_of_range("answer mask " + std::to_string(mask) + " has bits above question "
                                + std::to_string(kQuestionCount));
    AnswerSheet sheet;
    sheet.m_answers = std::bitset<kQuestionCount>(mask);
    return sheet;
}

void AnswerSheet::set(int number, bool yes)
{
    m_answers.set(indexOf(number), yes);
}

bool AnswerSheet::answer(int number) const
{
    return m_answers.test(indexOf(number));
}

} // namespace tervanel
