#pragma once

#include "services/accessibility.hpp"

#include <string>
#include <string_view>
#include <vector>

// What a screen reader must find on the program's windows, one table for every platform:
// the Qt test reads it through Qt's accessibility interfaces, the Win32 test through
// IAccessible, and the AT-SPI check, from its JSON form, through the accessibility bus.
namespace tervanel::harness {

// When a row holds: the program as it starts (the introduction on screen); past the
// introduction, nothing answered; after question 1 answered and "Responso" pressed.
enum class Moment { Introduction, Questionnaire, AfterVenousPress };

struct ScreenReaderRow {
    Moment when;
    std::string_view window;  // the window's name: "frmSplash", "Form1"
    std::string_view control; // the control's name; empty: the window itself
    services::accessibility::Role role;
    std::string name; // UTF-8, line breaks as '\n'
    bool namePrefix;  // the name begins with `name` (else it is `name`)
    bool checkable;   // a check box, checked or not
    bool checked;
    // The control's actions, in the order screen readers list them (a platform with a
    // single action per control offers the first, and tells how to do the others).
    std::vector<services::accessibility::Action> actions;
};

[[nodiscard]] std::vector<ScreenReaderRow> screenReaderTable();

// The table as JSON, for the checks that are not written in C++: an array of objects
// with the fields above; roles, moments and actions by their names in lower case
// ("checkbox", "after-venous-press", "answer-yes"), an action's Italian words beside it.
[[nodiscard]] std::string screenReaderTableJson();

} // namespace tervanel::harness
