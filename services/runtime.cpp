#include "services/runtime.hpp"

#include <stdexcept>
#include <string>
#include <utility>

namespace tervanel::services::runtime {

namespace {

// Thrown by end() to abandon the running handler; caught only by handle().
struct ProgramEnded {};

struct State {
    WindowServices *services = nullptr;
    std::function<void(const MessageBoxRequest &)> responder;
    std::function<void()> beepObserver;
    std::function<void(int)> endObserver;
    std::function<void(std::string_view, std::string_view)> operationHook;
    bool ended = false;
    int status = 0;
};

State &state()
{
    static State s;
    return s;
}

} // namespace

void install(WindowServices &services)
{
    state().services = &services;
}

WindowServices &services()
{
    if (!state().services)
        throw std::logic_error("no window services are installed");
    return *state().services;
}

void messageBox(std::string_view prompt, MessageStyle style, std::string_view title)
{
    const MessageBoxRequest request{std::string(prompt), style, std::string(title)};
    if (state().responder)
        state().responder(request);
    else
        services().messageBox(request);
}

void beep()
{
    if (state().beepObserver)
        state().beepObserver();
    else
        services().beep();
}

void end(int status)
{
    State &s = state();
    if (!s.ended) {
        s.ended = true;
        s.status = status;
        if (s.endObserver)
            s.endObserver(status);
        else
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
        } catch (const ProgramEnded &) {
            throw;
        } catch (const std::exception &failure) {
            messageBox(std::string("Errore di esecuzione:\r") + failure.what(),
                       MessageStyle::Critical, "Tervanel");
            end(1);
        } catch (...) {
            messageBox("Errore di esecuzione.", MessageStyle::Critical, "Tervanel");
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

void setMessageBoxResponder(std::function<void(const MessageBoxRequest &)> responder)
{
    state().responder = std::move(responder);
}

void setBeepObserver(std::function<void()> observer)
{
    state().beepObserver = std::move(observer);
}

void setEndObserver(std::function<void(int)> observer)
{
    state().endObserver = std::move(observer);
}

void setOperationHook(std::function<void(std::string_view, std::string_view)> hook)
{
    state().operationHook = std::move(hook);
}

void beforeOperation(std::string_view operation, std::string_view control)
{
    if (state().operationHook)
        state().operationHook(operation, control);
}

void resetEnded()
{
    state().ended = false;
    state().status = 0;
}

} // namespace tervanel::services::runtime
