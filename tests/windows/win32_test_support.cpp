#include "tests/windows/win32_test_support.hpp"

#include "forms/introduction/frm_splash.hpp"
#include "services/runtime.hpp"

namespace tervanel::win32::test {

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

Window &nativeOf(services::Window &window)
{
    return dynamic_cast<Window &>(harness::platformOf(window));
}

void press(HWND control, UINT down, UINT up, POINT at)
{
    const WPARAM held = down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON;
    SendMessageW(control, down, held, MAKELPARAM(at.x, at.y));
    if (up)
        SendMessageW(control, up, 0, MAKELPARAM(at.x, at.y));
}

void key(UINT virtualKey, bool shift)
{
    // A posted key leaves the keyboard's state alone: Shift is held there meanwhile.
    BYTE state[256] = {};
    GetKeyboardState(state);
    const BYTE shiftBefore = state[VK_SHIFT];
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    const HWND focus = GetFocus();
    const UINT scan = MapVirtualKeyW(virtualKey, 0); // MAPVK_VK_TO_VSC
    PostMessageW(focus, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16));
    PostMessageW(focus, WM_KEYUP, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16) | (3LL << 30));
    theServices().processPending();
    state[VK_SHIFT] = shiftBefore;
    SetKeyboardState(state);
}

void QuestionnaireTest::SetUp()
{
    m_recorder = std::make_unique<harness::RecordingServices>(&theServices());
    m_form1 = std::make_unique<forms::Form1>();
    theServices().processPending();
}

void QuestionnaireTest::TearDown()
{
    m_form1.reset();
    theServices().processPending();
    m_recorder.reset();
}

void QuestionnaireTest::dismissSplash()
{
    ASSERT_NE(m_form1->splash(), nullptr);
    press(controlOf(m_form1->splash()->window(), forms::SplashControl::Label1).hwnd(),
          WM_LBUTTONDOWN, WM_LBUTTONUP);
    theServices().processPending();
}

} // namespace tervanel::win32::test
