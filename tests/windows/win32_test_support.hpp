#pragma once

#include "forms/questionnaire/form1.hpp"
#include "harness/recording_services.hpp"
#include "platform/win32/services.hpp"
#include "platform/win32/window.hpp"
#include "services/control_table.hpp"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

// What the tests of the Win32 window services share: the services installed once, the
// native windows behind the program's, and the user's hand.
namespace tervanel::win32::test {

[[nodiscard]] Services &theServices();

// The Win32 window behind a window of the program, and a control on it.
[[nodiscard]] Window &nativeOf(services::Window &window);
template <class Name> [[nodiscard]] Control &controlOf(services::Window &window, Name name)
{
    return nativeOf(window).control(services::rowOf(name));
}

// A press of a mouse button on a control, as the system delivers it, at once.
void press(HWND control, UINT down, UINT up, POINT at = {2, 2});
// A key pressed and released on the control with the focus, through the message loop;
// with Shift held, if asked.
void key(UINT virtualKey, bool shift = false);

// The program as it starts: the questionnaire loaded and hidden, the introduction shown;
// message boxes and the end of the program recorded, not carried out.
class QuestionnaireTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A click on the introduction's text, which dismisses it.
    void dismissSplash();

    [[nodiscard]] HWND form1() const { return nativeOf(m_form1->window()).hwnd(); }
    [[nodiscard]] HWND control(forms::Form1Control name) const
    {
        return controlOf(m_form1->window(), name).hwnd();
    }

    std::unique_ptr<harness::RecordingServices> m_recorder;
    std::unique_ptr<forms::Form1> m_form1;
};

} // namespace tervanel::win32::test
