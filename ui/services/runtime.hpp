#pragma once

#include "core/reports.hpp"

#include <QString>

#include <exception>
#include <functional>
#include <string_view>

class QWidget;

namespace tervanel::ui::runtime {

// A message box as the program asks for it: prompt (line breaks as lone CRs), style, title.
struct MessageBoxRequest {
    QString prompt;
    MessageStyle style;
    QString title;
};

// Shows a message box modal to the whole application and returns when it is closed.
// The button that closed it is not reported: the program never uses it.
void messageBox(std::string_view prompt, MessageStyle style, std::string_view title);

// Shows a window non-modally, without an owner, and brings it to the front; returns at once.
void showWindow(QWidget &window);

// Sounds the platform's alert and returns at once.
void beep();

// Ends the program with this exit status: every window is hidden, the event loop
// is told to quit, and the calling handler is abandoned (the guard below swallows
// the unwinding), so no step after it runs.
[[noreturn]] void end(int status);

// Whether end() was called, and with which status.
[[nodiscard]] bool hasEnded();
[[nodiscard]] int endStatus();

// Runs one event handler. A failure that escapes it is reported to the user in a
// message box and ends the program with status 1; the steps the handler already
// did stay done. Every handler of the program goes through here.
void handle(const std::function<void()> &handler) noexcept;

// Test hooks. With a responder installed, message boxes are handed to it instead of
// being shown; with a beep observer, beeps are counted by it; with an end observer,
// end() reports the status to it instead of quitting the event loop. Passing an
// empty function restores the real behaviour.
void setMessageBoxResponder(std::function<void(const MessageBoxRequest &)> responder);
void setBeepObserver(std::function<void()> observer);
void setEndObserver(std::function<void(int status)> observer);
// Called before every operation on a control, with the operation's and the control's
// names; a hook that throws makes that operation fail, as a failing window operation
// would. For tests that check what a failure leaves behind.
void setOperationHook(std::function<void(std::string_view operation, const QString &control)> hook);
// Runs the hook, if any; the control layer calls it.
void beforeOperation(std::string_view operation, const QWidget &control);
// Forgets an earlier end(), for tests that build the windows again.
void resetEnded();

// Turns lone CRs into the line breaks Qt draws.
[[nodiscard]] QString displayText(const QString &caption);

} // namespace tervanel::ui::runtime
