#include "platform/win32/runtime.hpp"

#include "platform/win32/form.hpp"
#include "platform/win32/text.hpp"

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

namespace tervanel::win32::runtime {

namespace {

// Thrown by end() to abandon the running handler; caught only by handle().
struct ProgramEnded {};

struct State {
    bool ended = false;
    int status = 0;
};

State &state()
{
    static State s;
    return s;
}

UINT boxStyle(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Information:
        return MB_OK | MB_ICONINFORMATION;
    case MessageStyle::Critical:
        return MB_OK | MB_ICONERROR;
    case MessageStyle::OkOnly:
        break;
    }
    return MB_OK;
}

} // namespace

void messageBox(std::string_view prompt, MessageStyle style, std::string_view title)
{
    // Owned by the active window of the program; every other window of it is disabled
    // while the box is open, so the box is modal to the whole program.
    HWND owner = GetActiveWindow();
    if (!Form::from(owner))
        owner = nullptr;
    std::vector<HWND> disabled;
    for (Form *form : Form::all()) {
        const HWND window = form->hwnd();
        if (window != owner && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            disabled.push_back(window);
        }
    }
    const std::wstring text = withLineFeeds(toWide(prompt));
    const std::wstring caption = toWide(title);
    MessageBoxW(owner, text.c_str(), caption.c_str(),
                boxStyle(style) | (owner ? MB_APPLMODAL : MB_TASKMODAL) | MB_SETFOREGROUND);
    for (const HWND window : disabled)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
}

void beep()
{
    MessageBeep(MB_OK);
}

void end(int status)
{
    State &s = state();
    if (!s.ended) {
        s.ended = true;
        s.status = status;
        for (Form *form : Form::all())
            form->hide();
        PostQuitMessage(status);
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
        PostQuitMessage(1);
    }
}

int run()
{
    if (state().ended)
        return state().status;
    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        Form *form = Form::from(message.hwnd);
        if (form && form->preTranslate(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return state().ended ? state().status : static_cast<int>(message.wParam);
}

} // namespace tervanel::win32::runtime
