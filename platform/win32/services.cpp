#include "platform/win32/services.hpp"

#include "platform/win32/dpi.hpp"
#include "platform/win32/fonts.hpp"
#include "platform/win32/form.hpp"
#include "platform/win32/text.hpp"
#include "platform/win32/window.hpp"

#include <ole2.h>
#include <windows.h>

#include <algorithm>

namespace tervanel::win32 {

namespace {

// One message as the loop handles it: the window's keyboard handling first.
void dispatch(MSG &message)
{
    Form *form = Form::from(message.hwnd);
    if (form && form->preTranslate(message))
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

} // namespace

Services::Services()
{
    declareDpiAwareness();
}

Services::~Services() = default;

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
    const std::wstring text = withLineFeeds(toWide(request.prompt));
    const std::wstring title = toWide(request.title);
    MessageBoxW(owner, text.c_str(), title.c_str(),
                boxStyle(request.style) | (owner ? MB_APPLMODAL : MB_TASKMODAL) | MB_SETFOREGROUND);
    for (const HWND window : disabled)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
}

void Services::beep()
{
    MessageBeep(MB_OK);
}

void Services::quit(int status)
{
    for (Form *form : Form::all())
        form->hide();
    if (!m_quitting) {
        m_quitting = true;
        PostQuitMessage(status);
    }
}

bool Services::screenReaderRunning() const
{
    BOOL running = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &running, 0) && running;
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

void Services::adopt(Window &window)
{
    m_windows.push_back(&window);
}

void Services::release(Window &window)
{
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), &window), m_windows.end());
}

void Services::windowDestroyed()
{
    // With no window of the program left, the program ends.
    const bool anyLoaded = std::any_of(m_windows.begin(), m_windows.end(),
                                       [](const Window *w) { return w->isLoaded(); });
    if (!anyLoaded)
        quit(0);
}

} // namespace tervanel::win32
