#pragma once

#include "services/accessibility.hpp"

#include <QAccessible>
#include <QString>

class QWidget;

namespace tervanel::qt {

class Label;

// Screen readers see the program's windows and controls as the program's accessibility
// decides (services/accessibility.hpp): this installs the toolkit's side of it, and
// gives each window a notice, an object that nothing draws, which speaks the program's
// announcements.
void installAccessibility();

// The role the toolkit gives screen readers for one of the program's roles.
[[nodiscard]] QAccessible::Role qtRole(services::accessibility::Role role);

// Speaks the words as a notification of the window, from the event loop.
void announce(QWidget &window, const QString &words);

// Called by the labels when their caption or visibility changes, and when a
// question's answer changes.
void captionChanged(Label &label);
void visibilityChanged(Label &label);
// A window on screen now, whose controls may have been made while it was hidden.
void windowShown(QWidget &window);
void answerChanged(Label &label);

} // namespace tervanel::qt
