#pragma once

#include "core/reports.hpp"

#include <functional>
#include <string_view>

namespace tervanel::win32::runtime {

// Shows a message box modal to the whole program (no window of it takes input until
// the box is closed) and returns when it is closed. The prompt's CRs are line breaks.
void messageBox(std::string_view prompt, MessageStyle style, std::string_view title);

// Sounds the system's alert and returns at once.
void beep();

// Ends the program with this exit status: every window is hidden, the message loop is
// told to stop, and the calling handler is abandoned (the guard below swallows the
// unwinding), so no step after it runs.
[[noreturn]] void end(int status);

[[nodiscard]] bool hasEnded();
[[nodiscard]] int endStatus();

// Runs one event handler. A failure that escapes it is reported to the user in a message
// box and ends the program with status 1; the steps the handler already did stay done.
void handle(const std::function<void()> &handler) noexcept;

// Runs the program's message loop until end() or until its last window is gone, and
// returns the exit status.
int run();

} // namespace tervanel::win32::runtime
