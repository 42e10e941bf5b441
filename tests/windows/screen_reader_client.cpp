// Tervanel.exe as a Windows screen reader meets it, from another process: listens to the
// program's WinEvents out of context, as NVDA and Narrator do; dismisses the
// introduction, answers question 1 and presses "Responso" with the mouse, as a user
// does; and finds the answer as a state change of its question and the verdict (heading,
// scores, explanation) as the name of a live region's or an alert's object.
//
//     screen_reader_client PROGRAM.exe
//
// Exits 0 when the screen reader heard it all and "Fine" ended the program with 0.

#include "core/questions.hpp"
#include "core/reports.hpp"
#include "core/scoring.hpp"

#include <oleacc.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace tervanel;

struct Heard {
    DWORD event;
    HWND window;
    std::wstring name; // of the event's object, as the standard objects give it
};

DWORD g_program = 0; // the process listened to
std::vector<Heard> g_heard;

std::wstring wide(std::string_view utf8)
{
    const int size = static_cast<int>(utf8.size());
    std::wstring out(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), static_cast<int>(out.size()));
    return out;
}

std::string narrow(const std::wstring &text)
{
    const int size = static_cast<int>(text.size());
    std::string out(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), size,
                                                                 nullptr, 0, nullptr, nullptr)),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), static_cast<int>(out.size()),
                        nullptr, nullptr);
    return out;
}

std::wstring nameOf(HWND window, LONG object, LONG child)
{
    IAccessible *accessible = nullptr;
    VARIANT which{};
    if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                         static_cast<DWORD>(child), &accessible, &which))
        || !accessible)
        return L"";
    BSTR name = nullptr;
    accessible->get_accName(which, &name);
    std::wstring result = name ? std::wstring(name, SysStringLen(name)) : L"";
    SysFreeString(name);
    accessible->Release();
    return result;
}

void CALLBACK heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (!window || process != g_program)
        return;
    const bool spoken = event == EVENT_OBJECT_LIVEREGIONCHANGED || event == EVENT_SYSTEM_ALERT;
    g_heard.push_back({event, window, spoken ? nameOf(window, object, child) : L""});
}

// Handles the hook's calls until the condition holds; false after 20 seconds.
bool waitFor(const std::function<bool()> &condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return true;
}

// The program's top-level window on screen whose title is `title` (the introduction
// has none).
HWND shownWindow(const std::wstring &title)
{
    struct Search {
        std::wstring title;
        HWND found = nullptr;
    } search{title};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto &s = *reinterpret_cast<Search *>(context);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            wchar_t text[256] = {};
            GetWindowTextW(window, text, 256);
            if (process == g_program && IsWindowVisible(window)
                && std::wstring(text).starts_with(s.title))
                s.found = window;
            return s.found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The control on a window whose text is `text`.
HWND controlWithText(HWND window, const std::wstring &text)
{
    struct Search {
        std::wstring text;
        HWND found = nullptr;
    } search{text};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM context) -> BOOL {
            auto &s = *reinterpret_cast<Search *>(context);
            wchar_t shown[512] = {};
            GetWindowTextW(child, shown, 512);
            if (s.text == shown)
                s.found = child;
            return s.found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A left click in the middle of the control, as the mouse gives it: the pointer first,
// and the button once the pointer has stayed there. Under load Wine may still be
// answering an earlier move of the X pointer, which would put the press where the
// previous click was.
void clickOn(HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    const POINT target{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const auto absolute = [](int at, int size) { return (at * 65535 + size / 2) / (size - 1); };
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = absolute(target.x, width);
    move.mi.dy = absolute(target.y, height);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
    int steady = 0;
    waitFor([&] {
        POINT at{};
        GetCursorPos(&at);
        const bool there = std::abs(at.x - target.x) <= 1 && std::abs(at.y - target.y) <= 1;
        steady = there ? steady + 1 : 0;
        if (!there)
            SendInput(1, &move, sizeof move);
        return steady >= 3; // about 100 ms
    });
    INPUT press[2]{};
    for (INPUT &i : press)
        i.type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
}

// The words heard in live regions and alerts, newest last.
const Heard *lastSpoken()
{
    for (auto it = g_heard.rbegin(); it != g_heard.rend(); ++it)
        if (it->event == EVENT_OBJECT_LIVEREGIONCHANGED || it->event == EVENT_SYSTEM_ALERT)
            return &*it;
    return nullptr;
}

int fail(const char *what)
{
    std::fprintf(stderr, "screen_reader_client: %s\n", what);
    if (const Heard *spoken = lastSpoken())
        std::fprintf(stderr, "last heard: \"%s\"\n", narrow(spoken->name).c_str());
    return 1;
}

std::wstring spoken(std::string_view caption)
{
    std::wstring text = wide(caption);
    for (wchar_t &c : text)
        if (c == L'\r')
            c = L'\n';
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: screen_reader_client PROGRAM.exe\n");
        return 2;
    }
    // A path of the build machine, on Wine's drive for its root.
    std::wstring program = wide(argv[1]);
    if (program.starts_with(L"/")) {
        for (wchar_t &c : program)
            if (c == L'/')
                c = L'\\';
        program = L"Z:" + program;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, heard, 0, 0,
                        WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (!hook)
        return fail("no WinEvent hook");

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started))
        return fail("the program did not start");
    g_program = started.dwProcessId;
    const auto outcome = [&]() -> int {
        HWND introduction = nullptr;
        if (!waitFor([&] { return (introduction = shownWindow(L"")) != nullptr; }))
            return fail("no introduction");
        clickOn(introduction); // its middle is the introduction's text, which dismisses it

        HWND questionnaire = nullptr;
        if (!waitFor([&] { return (questionnaire = shownWindow(L"Tervanel by ")) != nullptr; }))
            return fail("the questionnaire did not come");
        const HWND first = controlWithText(questionnaire, wide(questions()[0].text));
        const HWND responso = controlWithText(questionnaire, L"Responso");
        const HWND fine = controlWithText(questionnaire, L"Fine");
        if (!first || !responso || !fine)
            return fail("question 1, Responso or Fine not found");

        clickOn(first);
        if (!waitFor([&] {
                for (const Heard &h : g_heard)
                    if (h.event == EVENT_OBJECT_STATECHANGE && h.window == first)
                        return true;
                return false;
            }))
            return fail("no state change of question 1");
        const std::wstring answered = L"spuntata " + wide(questions()[0].text);
        if (!waitFor([&] { return lastSpoken() && lastSpoken()->name == answered; }))
            return fail("the answer was not told");

        clickOn(responso);
        const std::wstring verdict =
            spoken("Patologia venosa...") + L"\n" + spoken(scoreCaption(Score::Venous, 1)) + L"\n"
            + spoken(scoreCaption(Score::Locomotor, 0)) + L"\n"
            + spoken(scoreCaption(Score::Arterial, 0)) + L"\n" + spoken(report(Report::Venous));
        if (!waitFor([&] { return lastSpoken() && lastSpoken()->name == verdict; }))
            return fail("the verdict was not told");
        std::printf("heard: \"%s\"\n", narrow(lastSpoken()->name).c_str());
        GUITHREADINFO input{};
        input.cbSize = sizeof input;
        if (!GetGUIThreadInfo(started.dwThreadId, &input) || input.hwndFocus != responso)
            return fail("the focus left Responso");

        clickOn(fine);
        if (WaitForSingleObject(started.hProcess, 20000) != WAIT_OBJECT_0)
            return fail("Fine did not end the program");
        DWORD status = 1;
        GetExitCodeProcess(started.hProcess, &status);
        if (status != 0)
            return fail("the program ended with a status other than 0");
        return 0;
    }();
    if (outcome != 0)
        TerminateProcess(started.hProcess, 1);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    UnhookWinEvent(hook);
    if (outcome == 0)
        std::printf("screen_reader_client: the answer and the verdict were heard out of process\n");
    return outcome;
}
