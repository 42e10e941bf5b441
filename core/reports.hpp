#pragma once

#include "core/questions.hpp"
#include "core/scoring.hpp"

#include <string>
#include <string_view>

namespace tervanel {

// A new line inside every composed text: a lone carriage return, never followed by a
// line feed. Two in a row leave an empty line. Texts are UTF-8.
inline constexpr char kLineBreak = '\r';

// "Venosa: 3" and its two siblings: the prefix, then the plain decimal number.
[[nodiscard]] std::string scoreCaption(Score score, int value);

// The short heading a step writes into its heading label.
[[nodiscard]] std::string_view heading(VerdictStep step);

// The three explanations shown in the column at the right of the questionnaire.
enum class Report : std::uint8_t { Venous, Arterial, Locomotor };

[[nodiscard]] std::string_view report(Report which);

// Message box styles: OK alone, or OK with the information icon. Critical (the stop
// icon) is kept for the report of an unexpected failure.
enum class MessageStyle : int { OkOnly = 0, Critical = 16, Information = 64 };

struct Message {
    std::string_view prompt;
    std::string_view title;
    MessageStyle style;
};

// The box that explains the uncertain verdict.
[[nodiscard]] Message uncertainMessage();

} // namespace tervanel
