// What a screen reader finds on the Win32 windows, through IAccessible in the program's
// own process (under Wine the program's objects do not cross to another process;
// screen_reader_client hears the events out of process): the table every platform is
// checked against, the questions' actions, and the words told after each handler.

#include "core/questions.hpp"
#include "core/reports.hpp"
#include "core/scoring.hpp"
#include "forms/introduction/frm_splash.hpp"
#include "harness/screen_reader_table.hpp"
#include "platform/win32/convert.hpp"
#include "services/accessibility.hpp"
#include "services/runtime.hpp"
#include "tests/windows/win32_test_support.hpp"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <span>
#include <string>
#include <vector>

namespace tervanel::win32 {
namespace {

using forms::Form1Control;
using harness::Moment;
using namespace test;
namespace a11y = services::accessibility;

// An object as a screen reader gets it from the window.
class Accessible final {
public:
    explicit Accessible(HWND window)
    {
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void **>(&m_object));
    }
    ~Accessible()
    {
        if (m_object)
            m_object->Release();
    }
    Accessible(const Accessible &) = delete;
    Accessible &operator=(const Accessible &) = delete;

    [[nodiscard]] bool exists() const { return m_object != nullptr; }
    [[nodiscard]] std::wstring name() const { return text(&IAccessible::get_accName); }
    [[nodiscard]] std::wstring description() const
    {
        return text(&IAccessible::get_accDescription);
    }
    [[nodiscard]] std::wstring defaultAction() const
    {
        return text(&IAccessible::get_accDefaultAction);
    }
    [[nodiscard]] long role() const { return value(&IAccessible::get_accRole); }
    [[nodiscard]] long state() const { return value(&IAccessible::get_accState); }
    void doDefaultAction() const { m_object->accDoDefaultAction(self()); }

private:
    static VARIANT self()
    {
        VARIANT v{};
        v.vt = VT_I4;
        v.lVal = CHILDID_SELF;
        return v;
    }
    std::wstring text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *)) const
    {
        BSTR text = nullptr;
        (m_object->*get)(self(), &text);
        std::wstring result = text ? std::wstring(text, SysStringLen(text)) : L"";
        SysFreeString(text);
        return result;
    }
    long value(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT *)) const
    {
        VARIANT out{};
        (m_object->*get)(self(), &out);
        return out.vt == VT_I4 ? out.lVal : -1;
    }

    IAccessible *m_object = nullptr;
};

std::size_t rowNamed(std::span<const services::ControlRow> rows, std::string_view id)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].id == id)
            return i;
    ADD_FAILURE() << "no control " << id;
    return 0;
}

class Win32AccessibilityTest : public QuestionnaireTest {
protected:
    // The native window a row of the table is about.
    HWND windowOf(const harness::ScreenReaderRow &row) const
    {
        const bool splash = row.window == "frmSplash";
        services::Window &window = splash ? m_form1->splash()->window() : m_form1->window();
        if (row.control.empty())
            return nativeOf(window).hwnd();
        const auto rows = splash ? std::span<const services::ControlRow>(forms::kSplashRows)
                                 : std::span<const services::ControlRow>(forms::kForm1Rows);
        return nativeOf(window).control(rowNamed(rows, row.control)).hwnd();
    }

    // Every row of the table for that moment, as a screen reader reads it.
    void expectTable(Moment when) const
    {
        int rows = 0;
        for (const harness::ScreenReaderRow &row : harness::screenReaderTable()) {
            if (row.when != when)
                continue;
            SCOPED_TRACE(std::string(row.window) + "." + std::string(row.control));
            ++rows;
            const Accessible object(windowOf(row));
            ASSERT_TRUE(object.exists());
            EXPECT_EQ(object.role(), msaaRole(row.role));
            const std::wstring name = toWide(row.name);
            if (row.namePrefix) {
                EXPECT_TRUE(object.name().starts_with(name)) << toUtf8(object.name());
            } else {
                EXPECT_EQ(object.name(), name);
            }
            EXPECT_EQ((object.state() & STATE_SYSTEM_CHECKED) != 0, row.checked);
            if (row.actions.empty()) {
                EXPECT_EQ(object.defaultAction(), L"");
                continue;
            }
            // MSAA's one action: the first; a push button's press by the system's name.
            const std::string_view first = a11y::wordsOf(row.actions.front()).name;
            if (!first.empty()) {
                EXPECT_EQ(object.defaultAction(), toWide(first));
            }
            // The others told in the description.
            for (std::size_t i = 1; i < row.actions.size(); ++i)
                EXPECT_NE(object.description().find(toWide(a11y::wordsOf(row.actions[i]).name)),
                          std::wstring::npos);
        }
        EXPECT_GT(rows, 0);
    }

    static std::string toUtf8(const std::wstring &text)
    {
        std::string out;
        for (const wchar_t c : text)
            out += c < 128 ? static_cast<char>(c) : '?';
        return out;
    }
};

TEST_F(Win32AccessibilityTest, ScreenReadersFindWhatTheTableSays)
{
    expectTable(Moment::Introduction);
    dismissSplash();
    expectTable(Moment::Questionnaire);
    press(control(Form1Control::Label1), WM_LBUTTONDOWN, WM_LBUTTONUP);
    press(control(Form1Control::Command1), WM_LBUTTONDOWN, WM_LBUTTONUP);
    theServices().processPending();
    expectTable(Moment::AfterVenousPress);
}

// What the accessibility events name, in order.
struct WinEvent {
    DWORD event;
    HWND window;
    std::wstring text; // the window's text when the event came
    bool boxOnScreen;  // whether a message box of this thread was on screen then
};
std::vector<WinEvent> g_events;

BOOL CALLBACK findShownBox(HWND window, LPARAM found)
{
    wchar_t kind[16] = {};
    if (IsWindowVisible(window) && GetClassNameW(window, kind, 16)
        && std::wstring(kind) == L"#32770")
        *reinterpret_cast<bool *>(found) = true;
    return TRUE;
}

void CALLBACK recordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                          DWORD)
{
    if (object != OBJID_CLIENT || child != CHILDID_SELF)
        return;
    wchar_t text[2048] = {};
    GetWindowTextW(window, text, 2048);
    bool box = false;
    EnumThreadWindows(GetCurrentThreadId(), findShownBox, reinterpret_cast<LPARAM>(&box));
    g_events.push_back({event, window, text, box});
    // A box that waited for the words is closed once they are told.
    if (event == EVENT_OBJECT_LIVEREGIONCHANGED && box)
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND w, LPARAM) -> BOOL {
                wchar_t kind[16] = {};
                if (GetClassNameW(w, kind, 16) && std::wstring(kind) == L"#32770")
                    PostMessageW(w, WM_COMMAND, IDOK, 0);
                return TRUE;
            },
            0);
}

// Listens to this process's events of one kind while it lives.
class EventListener final {
public:
    explicit EventListener(DWORD event)
        : m_hook(SetWinEventHook(event, event, nullptr, recordEvent, GetCurrentProcessId(), 0,
                                 WINEVENT_OUTOFCONTEXT))
    {
        g_events.clear();
    }
    ~EventListener() { UnhookWinEvent(m_hook); }
    EventListener(const EventListener &) = delete;
    EventListener &operator=(const EventListener &) = delete;

private:
    HWINEVENTHOOK m_hook;
};

// While a screen reader runs, as it tells the system.
class ScreenReaderFlag final {
public:
    explicit ScreenReaderFlag(bool running)
    {
        SystemParametersInfoW(SPI_SETSCREENREADER, running ? TRUE : FALSE, nullptr, 0);
    }
    ~ScreenReaderFlag() { SystemParametersInfoW(SPI_SETSCREENREADER, FALSE, nullptr, 0); }
    ScreenReaderFlag(const ScreenReaderFlag &) = delete;
    ScreenReaderFlag &operator=(const ScreenReaderFlag &) = delete;
};

TEST_F(Win32AccessibilityTest, AQuestionIsAnsweredByItsDefaultActionAndTakenBackByARightClick)
{
    dismissSplash();
    const EventListener listener(EVENT_OBJECT_STATECHANGE);
    const HWND first = control(Form1Control::Label1);
    const Accessible question(first);
    const auto answered = [this] { return m_form1->controls().bold(Form1Control::Label1); };
    struct Step {
        const char *what;
        std::function<void()> act;
        bool answered;
    };
    const Step steps[] = {
        {"default action", [&] { question.doDefaultAction(); }, true},
        {"default action again", [&] { question.doDefaultAction(); }, true},
        {"right click, no screen reader", [&] { press(first, WM_RBUTTONDOWN, WM_RBUTTONUP); },
         true},
        {"right click with a screen reader",
         [&] {
             const ScreenReaderFlag running(true);
             ASSERT_TRUE(theServices().screenReaderRunning());
             press(first, WM_RBUTTONDOWN, WM_RBUTTONUP);
         },
         false},
    };
    for (const Step &step : steps) {
        step.act();
        theServices().processPending(); // a screen reader's action comes from the event loop
        EXPECT_EQ(answered(), step.answered) << step.what;
        EXPECT_EQ((question.state() & STATE_SYSTEM_CHECKED) != 0, step.answered) << step.what;
        EXPECT_EQ(question.defaultAction(), L"Rispondi s\u00ec") << step.what;
    }
    // One event for each change of the answer: yes, then (the click of the take-back
    // leaves it yes) no.
    ASSERT_EQ(g_events.size(), 2U);
    EXPECT_EQ(g_events[0].window, first);
    EXPECT_EQ(g_events[1].window, first);
}

TEST_F(Win32AccessibilityTest, AQuestionIsFocusableAndTellsItsFocusFromTheKeyboardOnly)
{
    dismissSplash();
    const HWND first = control(Form1Control::Label1);
    const Accessible question(first);
    EXPECT_NE(question.state() & STATE_SYSTEM_FOCUSABLE, 0) << "before it has the focus";
    EXPECT_EQ(question.state() & STATE_SYSTEM_FOCUSED, 0);

    const EventListener listener(EVENT_OBJECT_FOCUS);
    press(first, WM_LBUTTONDOWN, WM_LBUTTONUP);
    theServices().processPending();
    EXPECT_TRUE(g_events.empty()) << "a click moves no focus";

    key(VK_TAB); // to Fine
    key(VK_TAB); // round to the first question
    theServices().processPending();
    ASSERT_FALSE(g_events.empty());
    EXPECT_EQ(g_events.back().window, first);
    EXPECT_EQ(question.state() & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
    EXPECT_NE(question.state() & STATE_SYSTEM_CHECKED, 0) << "answered by the click";
}

TEST_F(Win32AccessibilityTest, ActionsWaitForTheEventLoopAndDoNothingWhileABoxIsOpen)
{
    dismissSplash();
    const Accessible responso(control(Form1Control::Command1));
    const Accessible fifth(control(Form1Control::Label5));
    responso.doDefaultAction();
    EXPECT_EQ(m_recorder->beeps, 0) << "not while the screen reader's request is answered";
    theServices().processPending();
    EXPECT_EQ(m_recorder->beeps, 1) << "the reminder's beep: Responso was pressed";

    int tried = 0;
    m_recorder->onBox = [&](const services::MessageBoxRequest &) {
        fifth.doDefaultAction();
        responso.doDefaultAction();
        theServices().processPending();
        EXPECT_FALSE(m_form1->controls().bold(Form1Control::Label5));
        EXPECT_EQ(m_recorder->beeps, 1);
        ++tried;
    };
    press(control(Form1Control::Label_dorvik), WM_LBUTTONDOWN, WM_LBUTTONUP); // the author's box
    EXPECT_EQ(tried, 1);
}

std::string lines(std::initializer_list<std::string_view> parts)
{
    std::string words;
    for (const std::string_view part : parts) {
        if (!words.empty())
            words += '\n';
        words += a11y::spokenCaption(part);
    }
    return words;
}

TEST_F(Win32AccessibilityTest, AfterEachHandlerTheLiveRegionTellsWhatChangedFromTheEventLoop)
{
    dismissSplash();
    const HWND live = nativeOf(m_form1->window()).liveRegion();
    RECT area;
    GetWindowRect(live, &area);
    EXPECT_TRUE(IsRectEmpty(&area)) << "nothing drawn";
    EXPECT_TRUE(IsWindowVisible(live)) << "not hidden from screen readers";

    const EventListener listener(EVENT_OBJECT_LIVEREGIONCHANGED);
    struct Press {
        std::uint32_t answers; // bit n - 1 for question n
        std::string words;
    };
    const Press presses[] = {
        {0, lines({"Devi cliccare sulle domande!"})},
        {0b1, lines({"Patologia venosa...", scoreCaption(Score::Venous, 1),
                     scoreCaption(Score::Locomotor, 0), scoreCaption(Score::Arterial, 0),
                     report(Report::Venous)})},
        {0b100, lines({scoreCaption(Score::Venous, 0), scoreCaption(Score::Locomotor, 0),
                       "Patologia arteriosa...", scoreCaption(Score::Arterial, 1),
                       report(Report::Arterial)})},
    };
    for (const Press &p : presses) {
        services::runtime::handle([&] {
            for (const Question &q : questions())
                m_form1->controls().setBold(forms::questionLabel(q.number),
                                            AnswerSheet::fromMask(p.answers).answer(q.number));
        });
        theServices().processPending();
        g_events.clear();
        press(control(Form1Control::Command1), WM_LBUTTONDOWN, WM_LBUTTONUP);
        EXPECT_TRUE(g_events.empty()) << "told once the handler is over, not during it";
        theServices().processPending();
        ASSERT_EQ(g_events.size(), 1U) << p.answers;
        EXPECT_EQ(g_events[0].window, live);
        EXPECT_EQ(g_events[0].text, toWide(p.words)) << p.answers;
        EXPECT_EQ(GetFocus(), control(Form1Control::Command1)) << "the focus stays";
    }

    // An answer by a click is confirmed with the question's state.
    g_events.clear();
    press(control(Form1Control::Label3), WM_LBUTTONDOWN, WM_LBUTTONUP);
    theServices().processPending();
    ASSERT_EQ(g_events.size(), 1U);
    EXPECT_EQ(g_events[0].text, toWide("spuntata " + std::string(questions()[2].text)));
}

TEST_F(Win32AccessibilityTest, WordsBeforeAMessageBoxAreToldOnceTheBoxIsOnScreen)
{
    dismissSplash();
    m_recorder->showBoxes = true; // the real box, closed once the words are told
    const EventListener listener(EVENT_OBJECT_LIVEREGIONCHANGED);
    press(control(Form1Control::Label1), WM_LBUTTONDOWN, WM_LBUTTONUP);
    press(control(Form1Control::Label2), WM_LBUTTONDOWN, WM_LBUTTONUP);
    theServices().processPending();
    g_events.clear();
    // Should the words never come while the box is up, the box is closed after a while.
    const UINT_PTR timer = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND w, LPARAM) -> BOOL {
                wchar_t kind[16] = {};
                if (GetClassNameW(w, kind, 16) && std::wstring(kind) == L"#32770")
                    PostMessageW(w, WM_COMMAND, IDOK, 0);
                return TRUE;
            },
            0);
    });
    press(control(Form1Control::Command1), WM_LBUTTONDOWN, WM_LBUTTONUP); // uncertain: a box
    KillTimer(nullptr, timer);
    ASSERT_EQ(m_recorder->boxes.size(), 1U);
    ASSERT_EQ(g_events.size(), 1U);
    EXPECT_TRUE(g_events[0].boxOnScreen);
    EXPECT_EQ(g_events[0].text,
              toWide(lines({scoreCaption(Score::Venous, 1), scoreCaption(Score::Locomotor, 1),
                            "Patologia incerta...", scoreCaption(Score::Arterial, 1)})));
}

} // namespace
} // namespace tervanel::win32
