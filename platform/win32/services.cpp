#include "platform/win32/services.hpp"

#include "platform/win32/accessibility.hpp"
#include "platform/win32/convert.hpp"
#include "platform/win32/dpi.hpp"
#include "platform/win32/look.hpp"
#include "platform/win32/window.hpp"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace tervanel::win32 {

namespace {

// The services whose message box is being opened, for the hook that sees it come up.
Services *g_boxOpener = nullptr;

LRESULT CALLBACK watchBox(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && g_boxOpener)
        g_boxOpener->messageBoxShown();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// One message as the loop handles it: the window's keyboard handling first.
void dispatch(MSG &message)
{
    Window *window = Window::from(message.hwnd);
    if (window && window->preTranslate(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
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

// The services whose idle tasks wait for the loop's timer.
Services *g_idleOwner = nullptr;

// A timer's message comes only when no other message and no painting is due.
void CALLBACK onIdle(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (g_idleOwner)
        g_idleOwner->runIdle();
}

} // namespace

Services::Services()
{
    declareDpiAwareness();
}

Services::~Services()
{
    if (g_idleOwner == this)
        g_idleOwner = nullptr;
}

void Services::whenIdle(std::function<void()> task)
{
    if (m_idle.add(std::move(task))) {
        g_idleOwner = this;
        SetTimer(nullptr, 0, USER_TIMER_MINIMUM, onIdle);
    }
}

void Services::runIdle()
{
    m_idle.run();
}

std::unique_ptr<services::Window>
Services::createWindow(const services::WindowDescription &description,
                       services::WindowEvents &events)
{
    registerBuiltInFonts();
    return std::make_unique<Window>(*this, description, events);
}

void Services::messageBox(const services::MessageBoxRequest &request)
{
    // Owned by the program's active window; every other window of the program is
    // disabled while the box is open, so the box is modal to the whole program.
    HWND owner = GetActiveWindow();
    if (!Window::from(owner))
        owner = nullptr;
    std::vector<HWND> disabled;
    for (const Window *window : m_windows) {
        const HWND native = window->hwnd();
        if (native && native != owner && IsWindowEnabled(native)) {
            EnableWindow(native, FALSE);
            disabled.push_back(native);
        }
    }
    const std::wstring text = withLineFeeds(toWide(request.prompt));
    const std::wstring title = toWide(request.title);
    // What the windows have to tell screen readers waits until the box is on screen: its
    // activation is watched for, and the words follow from the box's own loop.
    const bool outerComing = std::exchange(m_boxComing, true);
    Services *const outerOpener = std::exchange(g_boxOpener, this);
    const HHOOK watch = SetWindowsHookExW(WH_CBT, watchBox, nullptr, GetCurrentThreadId());
    MessageBoxW(owner, text.c_str(), title.c_str(),
                boxStyle(request.style) | (owner ? MB_APPLMODAL : MB_TASKMODAL) | MB_SETFOREGROUND);
    if (watch)
        UnhookWindowsHookEx(watch);
    g_boxOpener = outerOpener;
    m_boxComing = outerComing;
    for (const HWND window : disabled)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
    for (Window *window : m_windows)
        window->sayDue(); // should the box never have been seen coming up
}

void Services::messageBoxShown()
{
    if (!m_boxComing)
        return;
    m_boxComing = false;
    for (Window *window : m_windows)
        window->sayDueFromTheLoop();
}

void Services::beep()
{
    MessageBeep(MB_OK);
}

void Services::quit(int status)
{
    for (Window *window : m_windows)
        if (window->isLoaded())
            window->hide();
    if (!m_quitting) {
        m_quitting = true;
        PostQuitMessage(status);
    }
}

bool Services::screenReaderRunning() const
{
    return win32::screenReaderRunning();
}

int Services::run()
{
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        dispatch(message);
    }
    return static_cast<int>(message.wParam);
}

void Services::processPending()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for the loop that ends
            return;
        }
        dispatch(message);
    }
}

void Services::add(Window &window)
{
    m_windows.push_back(&window);
}

void Services::remove(Window &window)
{
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), &window), m_windows.end());
}

void Services::windowDestroyed()
{
    // With no window of the program left, the program ends.
    if (std::none_of(m_windows.begin(), m_windows.end(),
                     [](const Window *w) { return w->isLoaded(); }))
        quit(0);
}

} // namespace tervanel::win32
