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
// it creates the first window, and the run starts afresh (not ended). services() fails
// when none are installed.
void install(WindowServices &services);
void uninstall();
[[nodiscard]] WindowServices &services();
[[nodiscard]] WindowServices *installed();

// Shows a message box modal to the whole program and returns when it is closed. What
// the running handler changed so far is announced first (see handle()).
void messageBox(std::string_view prompt, MessageStyle style, std::string_view title);
// Whether a message box is open: no input reaches the windows then.
[[nodiscard]] bool messageBoxOpen();

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
// goes through here. When it is over, each window on screen announces what the handler
// changed on it (an AnnouncementSource with something to say).
void handle(const std::function<void()> &handler) noexcept;

// What has words for screen readers waiting: it registers while it has, and is asked to
// announce them when the running handler is over or opens a message box.
class AnnouncementSource {
public:
    virtual void announcePending() = 0;

protected:
    AnnouncementSource() = default;
    ~AnnouncementSource();
    AnnouncementSource(const AnnouncementSource &) = delete;
    AnnouncementSource &operator=(const AnnouncementSource &) = delete;
};
void announceLater(AnnouncementSource &source);

} // namespace tervanel::services::runtime
