#pragma once

#include "services/accessibility.hpp"
#include "services/control_table.hpp"
#include "services/window_services.hpp"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

// What the user's gestures mean, decided once for every platform: which events of the
// window's handlers a click, a double-click, a right click, a key or a screen reader's
// action delivers. A platform tells what happened; these deliver it.
namespace tervanel::services::gestures {

enum class Event { Click, DoubleClick };

enum class Gesture {
    Click,       // left button pressed and released inside the control
    DoubleClick, // the second press of a double-click (the first was a Click)
    RightClick,  // right button pressed and released inside the control
};

// The events a gesture on a control delivers, in order. A double-click reaches a label
// as its double-click and presses a push button again; a right click on a question,
// while a screen reader runs, takes the answer back as a double-click does (screen
// readers' mouse review offers a left and a right click, not a double one).
[[nodiscard]] std::span<const Event> eventsOf(Gesture gesture, ControlKind kind,
                                              bool screenReaderRunning);
// The events a screen reader's action delivers: the same a mouse would.
[[nodiscard]] std::span<const Event> eventsOf(accessibility::Action action);

// Delivers the gesture's events to the window's handlers. An action does nothing while
// a message box is open, as no input reaches the windows then.
void deliver(WindowEvents &events, std::size_t control, Gesture gesture, ControlKind kind,
             bool screenReaderRunning);
void perform(WindowEvents &events, std::size_t control, accessibility::Action action);

// The keys the windows tell apart.
enum class Key {
    Enter,       // Return
    KeypadEnter, // the keypad's Enter
    Space,
    Tab,
    BackTab, // Shift+Tab
    Other,
};

enum class KeyEffect {
    Preview,      // goes to the window's keyPress(), and no further
    PressFocused, // presses the focused push button
    FocusNext,
    FocusPrevious,
    None,         // the platform's own handling, if any
    ToggleAnswer, // answers the focused question, or takes its answer back (toggle())
    PressDefault, // presses the window's first push button in tab order (defaultButton())
};

// What a key does. With key preview every key that produces a character goes to the
// window first and nowhere else. Otherwise Enter and keypad Enter press the focused
// push button as Space does (no button is the window's default or cancel button; an
// auto-repeated Enter presses nothing), and Tab and Shift+Tab move the focus in tab
// order. On a focused question Space answers it or takes the answer back, as a check
// box toggles, and Enter presses the first push button, as a dialog's default button
// is pressed from its other controls; neither repeats while the key is held. Modifiers
// other than Shift make Enter and Space ordinary keys.
struct KeyPress {
    Key key;
    bool producesCharacter;
    bool autoRepeat = false;
    bool otherModifiers = false; // Ctrl, Alt or Meta held
};
[[nodiscard]] KeyEffect effectOf(const KeyPress &press, bool keyPreview,
                                 std::optional<ControlKind> focused);

// The controls that take the keyboard focus, in tab order: the questions, push buttons
// and picture boxes with a tab index, by their index. A click never gives a question the
// focus: only the keyboard (and a screen reader) does.
[[nodiscard]] std::vector<std::size_t> tabOrder(std::span<const ControlRow> rows);

// The push button that Enter presses from a focused question: the first push button in
// tab order. None in a window without one.
[[nodiscard]] std::optional<std::size_t> defaultButton(std::span<const ControlRow> rows);

// Space on a focused question: the events that answer it (a click) or, when it is
// answered already, take the answer back (a click and a double-click), as a screen
// reader's actions do.
[[nodiscard]] std::span<const Event> toggleEvents(bool answered);
void toggle(WindowEvents &events, std::size_t control, bool answered);

// The control that Tab (or Shift+Tab) moves the focus to from `current` (a position in
// `order`, or none), round and round; controls that cannot take the focus now (hidden,
// or on a hidden parent) are passed over. None when no control can take it.
[[nodiscard]] std::optional<std::size_t>
nextInTabOrder(std::span<const bool> available, std::optional<std::size_t> current, bool backwards);

} // namespace tervanel::services::gestures
