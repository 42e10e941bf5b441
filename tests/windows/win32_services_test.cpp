// The Win32 window services on real windows (under Wine in the build): windows and
// controls where their tables put them, every text inside its label, clicks and keys
// in the platform's order, what screen readers are told, pictures from the
// executable, message boxes, scaling, and the end of the program.

#include "core/reports.hpp"
#include "core/scoring.hpp"
#include "forms/introduction/frm_splash.hpp"
#include "forms/questionnaire/form1.hpp"
#include "harness/recording_services.hpp"
#include "platform/win32/pictures.hpp"
#include "platform/win32/resource_ids.h"
#include "platform/win32/scaling.hpp"
#include "platform/win32/services.hpp"
#include "platform/win32/text.hpp"
#include "platform/win32/window.hpp"
#include "services/runtime.hpp"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <memory>
#include <string>
#include <vector>

namespace tervanel::win32 {
namespace {

using forms::Form1Control;
using forms::SplashControl;

// A picture whose bytes are no picture, in this test program's resources.
constexpr int kDamagedPicture = 201;

Services &theServices()
{
    static Services services;
    static const bool installed = [] {
        services::runtime::install(services);
        return true;
    }();
    static_cast<void>(installed);
    return services;
}

Form &nativeOf(services::Window &window)
{
    Form *form = dynamic_cast<const Window &>(harness::platformOf(window)).form();
    EXPECT_NE(form, nullptr);
    return *form;
}

template <class Name> Control &controlOf(services::Window &window, Name name)
{
    return *nativeOf(window).controls().at(services::rowOf(name));
}

RECT clientRectIn(HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT *>(&r), 2);
    return r;
}

PixelRect asPixelRect(const RECT &r)
{
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
            static_cast<int>(r.bottom - r.top)};
}

void press(HWND control, UINT down, UINT up, POINT at = {2, 2})
{
    SendMessageW(control, down, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    if (up)
        SendMessageW(control, up, 0, MAKELPARAM(at.x, at.y));
}

// A key pressed and released on the control with the focus, through the message loop.
void key(UINT virtualKey)
{
    const HWND focus = GetFocus();
    const UINT scan = MapVirtualKeyW(virtualKey, 0); // MAPVK_VK_TO_VSC
    PostMessageW(focus, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16));
    PostMessageW(focus, WM_KEYUP, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16) | (3LL << 30));
    theServices().processPending();
}

// The program as it starts: the questionnaire loaded and hidden, the introduction shown.
class Win32ServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_recorder = std::make_unique<harness::RecordingServices>(&theServices());
        m_form1 = std::make_unique<forms::Form1>();
        theServices().processPending();
    }

    void TearDown() override
    {
        m_form1.reset();
        theServices().processPending();
        m_recorder.reset();
    }

    void dismissSplash()
    {
        ASSERT_NE(m_form1->splash(), nullptr);
        press(controlOf(m_form1->splash()->window(), SplashControl::Label1).hwnd(), WM_LBUTTONDOWN,
              WM_LBUTTONUP);
        theServices().processPending();
    }

    HWND form1() const { return nativeOf(m_form1->window()).hwnd(); }
    HWND control(Form1Control name) const { return controlOf(m_form1->window(), name).hwnd(); }
    Label &label(Form1Control name) const
    {
        return dynamic_cast<Label &>(controlOf(m_form1->window(), name));
    }

    std::unique_ptr<harness::RecordingServices> m_recorder;
    std::unique_ptr<forms::Form1> m_form1;
};

TEST_F(Win32ServicesTest, WindowsAndControlsStandWhereTheirTablesPutThem)
{
    ASSERT_NE(m_form1->splash(), nullptr);
    const HWND splash = nativeOf(m_form1->splash()->window()).hwnd();
    EXPECT_FALSE(IsWindowVisible(form1()));
    EXPECT_TRUE(IsWindowVisible(splash));

    // The introduction: no title bar, no system menu, its client area centred.
    const LONG splashStyle = GetWindowLongW(splash, GWL_STYLE);
    EXPECT_EQ(splashStyle & WS_CAPTION, WS_DLGFRAME);
    EXPECT_EQ(splashStyle & (WS_SYSMENU | WS_THICKFRAME), 0);
    RECT client;
    GetClientRect(splash, &client);
    EXPECT_EQ(client.right, 467);
    EXPECT_EQ(client.bottom, 286);
    POINT origin{0, 0};
    ClientToScreen(splash, &origin);
    EXPECT_NEAR(origin.x, (GetSystemMetrics(SM_CXSCREEN) - 467) / 2, 1);
    EXPECT_NEAR(origin.y, (GetSystemMetrics(SM_CYSCREEN) - 286) / 2, 1);

    dismissSplash();
    EXPECT_TRUE(IsWindowVisible(form1()));
    EXPECT_EQ(m_form1->splash(), nullptr);

    // The questionnaire: fixed single frame with title bar, minimise and close; the frame
    // in the screen's corner, a client area of 701 x 513.
    const LONG style = GetWindowLongW(form1(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    RECT frame;
    GetWindowRect(form1(), &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    GetClientRect(form1(), &client);
    EXPECT_EQ(client.right, 701);
    EXPECT_EQ(client.bottom, 513);
    wchar_t title[64] = {};
    GetWindowTextW(form1(), title, 64);
    EXPECT_STREQ(title, L"Tervanel by www.dorvik.example");

    for (std::size_t i = 0; i < forms::kForm1Rows.size(); ++i) {
        const Control &c = *nativeOf(m_form1->window()).controls().at(i);
        EXPECT_EQ(asPixelRect(clientRectIn(c.hwnd())), forms::kForm1Rows[i].geometry)
            << forms::kForm1Rows[i].id;
    }
    // The banner's box: a two-pixel border round exactly 400 x 100.
    GetClientRect(control(Form1Control::Picture1), &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 100);
}

// Whether a label's caption fits it as the label lays it out, in its font and weight.
::testing::AssertionResult fits(Label &label)
{
    RECT client;
    GetClientRect(label.hwnd(), &client);
    const std::vector<TextLine> lines = label.lines();
    const int height = static_cast<int>(lines.size()) * label.linePitch();
    for (const TextLine &line : lines)
        if (line.width > client.right)
            return ::testing::AssertionFailure()
                   << "a line of " << line.width << " px in " << client.right << " px";
    if (height > client.bottom)
        return ::testing::AssertionFailure()
               << lines.size() << " lines, " << height << " px in " << client.bottom << " px";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult fits(Label &label, std::string_view caption, bool bold)
{
    label.setBold(bold);
    label.setCaption(toWide(caption));
    return fits(label) << " for \"" << caption << "\"" << (bold ? " in bold" : "");
}

TEST_F(Win32ServicesTest, EveryTextFitsItsLabelAsOnLinux)
{
    using enum Form1Control;
    for (const Form1Control question : forms::kQuestionLabels) {
        Label &l = label(question);
        for (const bool bold : {false, true}) {
            l.setBold(bold);
            EXPECT_TRUE(fits(l)) << "question " << static_cast<int>(question) << " bold " << bold;
            EXPECT_EQ(l.lines().size(), 1U) << "one line";
        }
        l.setBold(false);
    }
    struct Row {
        Form1Control control;
        std::string text;
        bool alsoBold;
    };
    std::vector<Row> rows{
        {Label_a, scoreCaption(Score::Venous, 6), false},
        {Label_b, scoreCaption(Score::Locomotor, 3), false},
        {Label_c, scoreCaption(Score::Arterial, 7), false},
        {Diagnosi_venosa, std::string(report(Report::Venous)), false},
        {Diagnosi_arteriosa, std::string(report(Report::Arterial)), false},
        {Diagnosi_locomotore, std::string(report(Report::Locomotor)), false},
        {Label14, "Clicca sulle DOMANDE per rispondere affermativamente", true},
        {Label15, "Per correggere doppio click!", true},
        {Label_eldrano, "   Realizzato dal Dr. Eldrano Vescandi ", true},
        {Label_dorvik, "by Dorvik", false},
    };
    for (const Form1Control heading : {Responso, Responso_locomotore, responso_mix})
        for (const VerdictStep step : kVerdictOrder)
            rows.push_back({heading, std::string(tervanel::heading(step)), true});
    for (const Row &row : rows) {
        EXPECT_TRUE(fits(label(row.control), row.text, row.alsoBold));
    }

    // The introduction's texts, as its load set them.
    const forms::FrmSplash &splash = *m_form1->splash();
    auto &intro = dynamic_cast<Label &>(controlOf(splash.window(), SplashControl::Label1));
    auto &credit = dynamic_cast<Label &>(controlOf(splash.window(), SplashControl::Label2));
    EXPECT_TRUE(fits(intro, splash.text1, false));
    EXPECT_TRUE(fits(credit, splash.text2, false));
    EXPECT_EQ(credit.lines().size(), 1U);
    // Three lines of the first sentence, two empty, one, one empty, one, two empty, the
    // address: eleven.
    EXPECT_EQ(intro.lines().size(), 11U);
    EXPECT_EQ(intro.linePitch(), 13);
}

// Records the events a window delivers, in order.
class Recorder final : public services::WindowEvents {
public:
    void click(std::size_t control) noexcept override
    {
        events.push_back("click " + name(control));
    }
    void doubleClick(std::size_t control) noexcept override
    {
        events.push_back("double-click " + name(control));
    }
    void keyPress(char32_t character) noexcept override
    {
        events.push_back("key " + std::to_string(static_cast<unsigned>(character)));
    }
    std::vector<std::string> events;

private:
    static std::string name(std::size_t control)
    {
        return control == 0 ? "label" : control == 1 ? "picture" : "button";
    }
};

std::unique_ptr<services::Window> recordingWindow(Recorder &recorder, bool keyPreview)
{
    static const std::array<services::ControlRow, 3> rows{{
        {"label",
         services::ControlKind::Label,
         "text",
         {0, 0, 100, 20},
         {},
         {},
         {},
         services::Align::Left,
         0,
         {}},
        {"picture",
         services::ControlKind::Image,
         {},
         {0, 30, 100, 50},
         {},
         {},
         {},
         services::Align::Left,
         {},
         {}},
        {"button",
         services::ControlKind::PushButton,
         "OK",
         {0, 90, 80, 22},
         {},
         {},
         {},
         services::Align::Left,
         1,
         {}},
    }};
    const services::WindowDescription description{"Recorder",
                                                  "",
                                                  "",
                                                  services::WindowFrame::Dialog,
                                                  services::Placement::CentredOnScreen,
                                                  1800,
                                                  1800,
                                                  std::nullopt,
                                                  {8.25, false},
                                                  keyPreview,
                                                  rows};
    return theServices().createWindow(description, recorder);
}

TEST(Win32Events, ClicksAndDoubleClicksArriveInThePlatformsOrder)
{
    struct Case {
        const char *what;
        std::size_t control;
        std::vector<std::pair<UINT, POINT>> mouse;
        std::vector<std::string> events;
    };
    const POINT in{5, 5};
    const POINT out{300, 5};
    const std::vector<Case> cases{
        {"click", 0, {{WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, in}}, {"click label"}},
        {"double-click",
         0,
         {{WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, in}, {WM_LBUTTONDBLCLK, in}, {WM_LBUTTONUP, in}},
         {"click label", "double-click label"}},
        {"released outside", 0, {{WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, out}}, {}},
        {"release alone", 0, {{WM_LBUTTONUP, in}}, {}},
        {"picture click", 1, {{WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, in}}, {"click picture"}},
        {"picture double-click",
         1,
         {{WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, in}, {WM_LBUTTONDBLCLK, in}, {WM_LBUTTONUP, in}},
         {"click picture"}},
        {"button", 2, {{WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, in}}, {"click button"}},
    };
    for (const Case &c : cases) {
        Recorder recorder;
        const auto window = recordingWindow(recorder, false);
        window->show();
        const HWND target = nativeOf(*window).controls().at(c.control)->hwnd();
        for (const auto &[message, at] : c.mouse)
            SendMessageW(target, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                         MAKELPARAM(at.x, at.y));
        theServices().processPending();
        EXPECT_EQ(recorder.events, c.events) << c.what;
    }
}

TEST(Win32Events, KeyPreviewTakesEveryCharacterOnceAndNoOtherKey)
{
    struct Case {
        UINT key;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases{
        {'A', {"key 97"}},       {'7', {"key 55"}},       {VK_SPACE, {"key 32"}},
        {VK_RETURN, {"key 13"}}, {VK_ESCAPE, {"key 27"}}, {VK_BACK, {"key 8"}},
        {VK_TAB, {"key 9"}},     {VK_LEFT, {}},           {VK_F5, {}},
        {VK_SHIFT, {}},
    };
    for (const Case &c : cases) {
        Recorder recorder;
        const auto window = recordingWindow(recorder, true);
        window->show();
        window->setFocus(2); // the button has the focus and sees none of it
        theServices().processPending();
        ASSERT_EQ(GetFocus(), nativeOf(*window).controls().at(2)->hwnd());
        key(c.key);
        EXPECT_EQ(recorder.events, c.events) << "virtual key " << c.key;
    }
}

TEST_F(Win32ServicesTest, TabEnterAndSpaceOnTheQuestionnaire)
{
    using enum Form1Control;
    dismissSplash();
    EXPECT_EQ(GetFocus(), control(Command1)) << "the focus starts on Responso";
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), control(Command2)) << "the hidden banner is passed over";
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), control(Command1));

    key(VK_RETURN); // Responso with no answer: the reminder and one beep
    EXPECT_EQ(m_recorder->beeps, 1);
    key(VK_SPACE);
    EXPECT_EQ(m_recorder->beeps, 2);

    m_form1->controls().show(Picture1);
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), control(Picture1));
    key(VK_RETURN); // no button has the focus: nothing
    EXPECT_EQ(m_recorder->beeps, 2);
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), control(Command2));
    key(VK_RETURN); // Fine
    EXPECT_EQ(m_recorder->endStatus, std::optional(0));
}

struct Accessible {
    IAccessible *object = nullptr;
    explicit Accessible(HWND window)
    {
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void **>(&object));
    }
    ~Accessible()
    {
        if (object)
            object->Release();
    }
    std::wstring name() const
    {
        BSTR text = nullptr;
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        object->get_accName(self, &text);
        std::wstring result = text ? std::wstring(text, SysStringLen(text)) : L"";
        SysFreeString(text);
        return result;
    }
    long role() const { return value(&IAccessible::get_accRole); }
    long state() const { return value(&IAccessible::get_accState); }
    void doDefaultAction() const
    {
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        object->accDoDefaultAction(self);
    }

private:
    long value(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT *)) const
    {
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        VARIANT out{};
        (object->*get)(self, &out);
        return out.vt == VT_I4 ? out.lVal : -1;
    }
};

// The controls whose state changed, as the accessibility events name them.
std::vector<HWND> g_stateChanges;

void CALLBACK recordStateChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                                DWORD)
{
    if (object == OBJID_CLIENT && child == CHILDID_SELF)
        g_stateChanges.push_back(window);
}

TEST_F(Win32ServicesTest, ScreenReadersGetNamesRolesAndTheAnsweredState)
{
    using enum Form1Control;
    dismissSplash();
    g_stateChanges.clear();
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr,
                        recordStateChange, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    const Accessible question(control(Label1));
    ASSERT_NE(question.object, nullptr);
    EXPECT_EQ(question.name(), L"Il fastidio si attenua nella stagione fredda?");
    EXPECT_EQ(question.role(), ROLE_SYSTEM_CHECKBUTTON);
    EXPECT_EQ(question.state() & STATE_SYSTEM_CHECKED, 0);
    question.doDefaultAction(); // answers yes, as a click does
    EXPECT_TRUE(m_form1->controls().bold(Label1));
    EXPECT_NE(question.state() & STATE_SYSTEM_CHECKED, 0);
    question.doDefaultAction(); // takes it back, as a double-click does
    EXPECT_FALSE(m_form1->controls().bold(Label1));
    EXPECT_EQ(question.state() & STATE_SYSTEM_CHECKED, 0);
    // Each change of the answer is announced: yes, then (the click of the double-click
    // leaves it yes) no.
    theServices().processPending();
    UnhookWinEvent(hook);
    EXPECT_EQ(g_stateChanges, (std::vector<HWND>{control(Label1), control(Label1)}));

    struct Case {
        Form1Control control;
        std::wstring name;
        long role;
    };
    const std::vector<Case> cases{
        {Label_dorvik, L"by Dorvik", ROLE_SYSTEM_STATICTEXT},
        {Picture1, toWide(forms::kBannerDescription), ROLE_SYSTEM_GRAPHIC},
        {Command1, L"Responso", ROLE_SYSTEM_PUSHBUTTON},
        {Command2, L"Fine", ROLE_SYSTEM_PUSHBUTTON},
    };
    for (const Case &c : cases) {
        const Accessible accessible(control(c.control));
        ASSERT_NE(accessible.object, nullptr);
        EXPECT_EQ(accessible.name(), c.name);
        EXPECT_EQ(accessible.role(), c.role);
    }
    // A caption's line breaks are read as blanks.
    m_form1->controls().setText(Diagnosi_venosa, "uno\r\rdue");
    EXPECT_EQ(Accessible(control(Diagnosi_venosa)).name(), L"uno  due");
}

TEST(Win32Pictures, DecodedFromTheExecutableOrReportedAsMissingOrDamaged)
{
    struct Case {
        int resource;
        const char *name;
        bool decodes;
        int width, height;
    };
    // This test program carries the real pictures and a damaged one.
    const std::vector<Case> cases{
        {TERVANEL_PORTRAIT_JPG, "portrait.jpg", true, 275, 475},
        {TERVANEL_BANNER_GIF, "banner.gif", true, 400, 100},
        {kDamagedPicture, "damaged.gif", false, 0, 0},
        {999, "missing.gif", false, 0, 0},
    };
    for (const Case &c : cases) {
        if (c.decodes) {
            const DecodedPicture picture(c.resource, c.name);
            EXPECT_EQ(picture.width(), c.width);
            EXPECT_EQ(picture.height(), c.height);
        } else {
            try {
                const DecodedPicture picture(c.resource, c.name);
                ADD_FAILURE() << c.name << " decoded";
            } catch (const std::runtime_error &failure) {
                EXPECT_NE(std::string(failure.what()).find(c.name), std::string::npos);
            }
        }
    }
}

// The message box on screen, read and closed from a hook in its own thread.
struct ShownBox {
    std::wstring title, text;
    bool icon = false;
    bool ownerDisabled = false;
};
ShownBox g_shown;
HHOOK g_hook = nullptr;

BOOL CALLBACK findIcon(HWND child, LPARAM found)
{
    // The box itself is not shown yet: the control's own style says whether it will be.
    const bool shown = (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown && SendMessageW(child, STM_GETICON, 0, 0) != 0)
        *reinterpret_cast<bool *>(found) = true;
    return TRUE;
}

LRESULT CALLBACK readAndCloseBox(int code, WPARAM wParam, LPARAM lParam)
{
    const HWND box = reinterpret_cast<HWND>(wParam);
    wchar_t kind[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(box, kind, 16) && std::wstring(kind) == L"#32770") {
        wchar_t buffer[512] = {};
        GetWindowTextW(box, buffer, 512);
        g_shown.title = buffer;
        GetDlgItemTextW(box, 0xFFFF, buffer, 512); // the prompt's static control
        g_shown.text = buffer;
        EnumChildWindows(box, findIcon, reinterpret_cast<LPARAM>(&g_shown.icon));
        g_shown.ownerDisabled = !IsWindowEnabled(GetWindow(box, GW_OWNER));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST_F(Win32ServicesTest, MessageBoxesShowTitlePromptAndIconAndAreModal)
{
    dismissSplash();
    struct Case {
        MessageStyle style;
        std::string prompt;
        std::wstring shown;
        bool icon;
    };
    const std::vector<Case> cases{
        {MessageStyle::OkOnly, "Email:  webmaster@dorvik.example",
         L"Email:  webmaster@dorvik.example", false},
        {MessageStyle::Information, "uno\r\rdue è", L"uno\r\n\r\ndue \u00e8", true},
        {MessageStyle::Critical, "Errore di esecuzione:\rx", L"Errore di esecuzione:\r\nx", true},
    };
    g_hook = SetWindowsHookExW(WH_CBT, readAndCloseBox, nullptr, GetCurrentThreadId());
    for (const Case &c : cases) {
        g_shown = {};
        theServices().messageBox({c.prompt, c.style, "Titolo..."});
        EXPECT_EQ(g_shown.title, L"Titolo...");
        EXPECT_EQ(g_shown.text, c.shown);
        EXPECT_EQ(g_shown.icon, c.icon);
        EXPECT_TRUE(g_shown.ownerDisabled) << "the questionnaire takes no input meanwhile";
        EXPECT_TRUE(IsWindowEnabled(form1())) << "and takes it again afterwards";
    }
    UnhookWindowsHookEx(g_hook);
}

TEST_F(Win32ServicesTest, TheIntroductionCannotBeClosedTheQuestionnaireCloseBoxEndsTheProgram)
{
    const HWND splash = nativeOf(m_form1->splash()->window()).hwnd();
    SendMessageW(splash, WM_CLOSE, 0, 0);
    theServices().processPending();
    EXPECT_TRUE(IsWindowVisible(splash));
    ASSERT_NE(m_form1->splash(), nullptr);

    dismissSplash();
    SendMessageW(form1(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dynamic_cast<const Window &>(harness::platformOf(m_form1->window())).isLoaded());
    EXPECT_FALSE(m_recorder->endStatus.has_value()) << "no handler of the program runs";
    EXPECT_EQ(theServices().run(), 0) << "no window is left: the loop ends with 0";
}

TEST_F(Win32ServicesTest, AChangeOfScaleMovesEveryControlAndTheTextStillFits)
{
    dismissSplash();
    RECT suggested{0, 0, 1060, 800};
    SendMessageW(form1(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    for (std::size_t i = 0; i < forms::kForm1Rows.size(); ++i) {
        const Control &c = *nativeOf(m_form1->window()).controls().at(i);
        EXPECT_EQ(asPixelRect(clientRectIn(c.hwnd())),
                  scaledRect(forms::kForm1Rows[i].geometry, 144))
            << forms::kForm1Rows[i].id;
    }
    Label &question = label(Form1Control::Label10); // the longest question
    question.setBold(true);
    EXPECT_TRUE(fits(question));
    EXPECT_EQ(question.lines().size(), 1U);
    EXPECT_EQ(question.linePitch(), 19);
}

} // namespace
} // namespace tervanel::win32
