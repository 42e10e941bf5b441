#pragma once

#include <QString>

namespace tervanel::qt {

class Label;

// Screen readers see each question label as a check box whose checked state is the
// answer, with two actions: one answers yes (as a click does), one takes the answer
// back (as a double-click does). The mouse and the keyboard focus work as before.
void installAccessibility();

// The names of the two actions of a question.
inline const QString kAnswerYesAction = QStringLiteral("answerYes");
inline const QString kTakeBackAction = QStringLiteral("takeBack");

} // namespace tervanel::qt
