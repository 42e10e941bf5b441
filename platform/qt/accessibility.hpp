#pragma once

#include <QString>

class QWidget;

namespace tervanel::qt {

class Label;

// What screen readers see of the windows:
// - the questionnaire is a frame and the introduction a dialog, each with its title;
// - each question label is a check box whose checked state is the answer, with two
//   actions: one answers yes (as a click does), one takes the answer back (as a
//   double-click does); the mouse and the keyboard focus work as before;
// - any other label is static text, nameless while hidden;
// - while a message box is open, no accessible action reaches the window behind it.
void installAccessibility();

// The names of the two actions of a question, as screen readers list them.
inline const QString kAnswerYesAction = QStringLiteral("Rispondi sì");
inline const QString kTakeBackAction = QStringLiteral("Togli la risposta");

// Whether an open message box keeps input from reaching the widget's window.
[[nodiscard]] bool blockedByMessageBox(const QWidget &widget);

// Called by the labels when their caption or visibility changes, and when a
// question's answer is set, changed or not.
void captionChanged(Label &label);
void visibilityChanged(Label &label);
void answerSet(Label &label, bool changed);

} // namespace tervanel::qt
