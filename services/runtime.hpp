#pragma once

#include "core/reports.hpp"
#include "services/window_services.hpp"

#include <functional>
#include <string_view>

// The program's runtime over the platform's services: message boxes, the beep, the end
// of the program and the failure guard that every handler runs in. Written once; the
// platform's part is WindowServices.
namespace tervanel::services::runtime {

// The platform's services for the rest of the run; the entry point installs them before
// it creates the first window. services() throws std::logic_error when none are installed.
void install(WindowServices &services);
[[nodiscard]] WindowServices &services();

// Shows a message box modal to the whole program and returns when it is closed.
void messageBox(std::string_view prompt, MessageStyle style, std::string_view title);

// Sounds the platform's alert and returns at once.
void beep();

// Ends the program with this exit status: every window is hidden, the event loop is
// told to return, and the calling handler is abandoned (the guard below swallows the
// unwinding), so no step after it runs.
[[noreturn]] void end(int status);

// Whether end() was called, and with which status.
[[nodiscard]] bool hasEnded();
[[nodiscard]] int endStatus();

// Runs one event handler. A failure that escapes it is reported to the user in a
// message box and ends the program with status 1; the steps the handler already did
// stay done. Once the program has ended no handler runs. Every handler of the program
// goes through here.
void handle(const std::function<void()> &handler) noexcept;

// Test hooks. With a responder installed, message boxes are handed to it instead of
// being shown; with a beep observer, beeps are counted by it; with an end observer,
// end() reports the status to it instead of quitting the event loop. Passing an empty
// function restores the real behaviour.
void setMessageBoxResponder(std::function<void(const MessageBoxRequest &)> responder);
void setBeepObserver(std::function<void()> observer);
void setEndObserver(std::function<void(int status)> observer);
// Called before every operation on a control, with the operation's and the control's
// names; a hook that throws makes that operation fail, as a failing window operation
// would. For tests that check what a failure leaves behind.
void setOperationHook(
    std::function<void(std::string_view operation, std::string_view control)> hook);
// Runs the hook, if any; the controls call it.
void beforeOperation(std::string_view operation, std::string_view control);
// Forgets an earlier end(), for tests that build the windows again.
void resetEnded();

} // namespace tervanel::services::runtime
