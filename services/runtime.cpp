#include "services/runtime.hpp"

#include "services/failures.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tervanel::services::runtime {

namespace {

// Thrown by end() to abandon the running handler; caught only by handle().
struct ProgramEnded {};

struct State {
    WindowServices *services = nullptr;
    std::vector<AnnouncementSource *> waiting;
    int boxesOpen = 0;
    bool ended = false;
    int status = 0;
};

State &state()
{
    static State s;
    return s;
}

// Announces what is waiting now.
void announceWaiting()
{
    std::vector<AnnouncementSource *> waiting;
    waiting.swap(state().waiting);
    for (AnnouncementSource *source : waiting)
        source->announcePending();
}

} // namespace

void install(WindowServices &services)
{
    State &s = state();
    s.services = &services;
    s.ended = false;
    s.status = 0;
}

void uninstall()
{
    state().services = nullptr;
}

WindowServices *installed()
{
    return state().services;
}

WindowServices &services()
{
    if (!state().services)
        throw OperationFailed(Failure::NoServices);
    return *state().services;
}

void messageBox(std::string_view prompt, MessageStyle style, std::string_view title)
{
    const MessageBoxRequest request{std::string(prompt), style, std::string(title)};
    announceWaiting();
    State &s = state();
    ++s.boxesOpen;
    try {
        services().messageBox(request);
    } catch (...) {
        --s.boxesOpen;
        throw;
    }
    --s.boxesOpen;
}

bool messageBoxOpen()
{
    return state().boxesOpen > 0;
}

AnnouncementSource::~AnnouncementSource()
{
    std::vector<AnnouncementSource *> &waiting = state().waiting;
    waiting.erase(std::remove(waiting.begin(), waiting.end(), this), waiting.end());
}

void announceLater(AnnouncementSource &source)
{
    std::vector<AnnouncementSource *> &waiting = state().waiting;
    if (std::find(waiting.begin(), waiting.end(), &source) == waiting.end())
        waiting.push_back(&source);
}

void beep()
{
    services().beep();
}

void end(int status)
{
    State &s = state();
    if (!s.ended) {
        s.ended = true;
        s.status = status;
        services().quit(status);
    }
    throw ProgramEnded{};
}

bool hasEnded()
{
    return state().ended;
}

int endStatus()
{
    return state().status;
}

void handle(const std::function<void()> &handler) noexcept
{
    if (state().ended)
        return; // the program is ending: no further handler runs
    try {
        try {
            handler();
            if (!state().ended)
                announceWaiting();
        } catch (const ProgramEnded &) {
            throw;
        } catch (const std::exception &failure) {
            messageBox(failurePrompt(failure.what()), MessageStyle::Critical, kFailureTitle);
            end(1);
        } catch (...) {
            messageBox(failurePrompt({}), MessageStyle::Critical, kFailureTitle);
            end(1);
        }
    } catch (const ProgramEnded &) {
        // The handler ended the program; nothing more to do here.
    } catch (...) {
        // The failure report itself failed: still end, without a box.
        state().ended = true;
        state().status = 1;
        try {
            services().quit(1);
        } catch (...) {
            // Nothing is left to report with.
        }
    }
}

} // namespace tervanel::services::runtime
