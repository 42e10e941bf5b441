#pragma once

#include "services/control_table.hpp"
#include "services/window_services.hpp"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What a screen reader is told about the program, decided once for every platform: what
// each window and control is (role, name, state, actions), and what is announced after
// a handler has changed what the user sees. A platform only carries it out: it exposes
// the role, name, state and actions this gives, and announces the texts it composes.
namespace tervanel::services::accessibility {

enum class Role {
    Frame,      // the questionnaire: the program's main window
    Dialog,     // the introduction: a window that passes
    CheckBox,   // a question: checked while it is answered yes
    StaticText, // any other label
    PushButton,
    Graphic,  // the banner, the portrait
    Grouping, // the introduction's frame around its controls
};

// What a user can ask of a control through a screen reader.
enum class Action {
    AnswerYes, // a question: as a click on it
    TakeBack,  // a question: as a double-click on it
    Press,     // a push button: as a click on it
};

// The Italian words a screen reader lists for an action and reads as its help, and the
// gesture that does it too while a screen reader runs (none: the action's own click). A
// push button's press has none: it is the platform's own press action, under the name
// screen readers look for.
struct ActionWords {
    std::string_view name;
    std::string_view description;
    std::string_view gesture;
};
[[nodiscard]] ActionWords wordsOf(Action action);

// The actions a control offers, in the order screen readers list them; the first is the
// default one.
[[nodiscard]] std::span<const Action> actionsOf(ControlKind kind);

// Where a platform gives a control a single action, its default (the first), the words
// that tell a screen reader's user how to do the others: each by its name and gesture.
// Empty for a control with no other action.
[[nodiscard]] std::string otherActionsHelp(ControlKind kind);

// What a control shows now, as the platform holds it.
struct Shown {
    std::string_view caption;     // labels and push buttons; lone CRs as line breaks
    std::string_view description; // what Window::setDescription() gave; pictures, frames
    bool visible = true;
    bool bold = false;
};

// What a screen reader is given for a control.
struct Presentation {
    Role role;
    std::string name; // UTF-8; line breaks as '\n'
    bool checkable = false;
    bool checked = false;
    bool focusable = false;

    bool operator==(const Presentation &) const = default;
};

[[nodiscard]] Presentation present(ControlKind kind, const Shown &shown);

// A window is a frame when the user can minimise it, else a dialog. Its name is its
// spoken name, else its caption.
[[nodiscard]] Role roleOf(WindowFrame frame);
[[nodiscard]] std::string_view nameOf(const WindowDescription &description);

// A caption as a screen reader reads it: each CR a line break '\n'.
[[nodiscard]] std::string spokenCaption(std::string_view caption);

// The order a reader takes a window's controls in: the left half of the window top to
// bottom, each row left to right, then the right half the same way (a control's place is
// its top-left corner in the client area). The rows as the window was made from them.
[[nodiscard]] std::vector<std::size_t> readingOrder(std::span<const ControlRow> rows,
                                                    int windowWidthPixels);

// What one handler changed on one window that a user sees, and the words a screen
// reader is told for it once the handler is over: the changed labels in reading order
// (above), one line each. A question is read with its state ("spuntata" or
// "non spuntata", then its text); any other label as shown, or not at all while hidden
// or empty. A label counts as changed when its caption is set (even to the same text),
// when it appears, and, for a question, when its answer is set (even to the same one).
class Notice final {
public:
    // The rows the window was made from, and its width in pixels.
    Notice(std::span<const ControlRow> rows, int windowWidthPixels);

    void captionSet(std::size_t control, std::string_view caption);
    void visibilitySet(std::size_t control, bool visible);
    void answerSet(std::size_t control, bool yes);

    [[nodiscard]] bool pending() const { return !m_changed.empty(); }
    // The words for what changed since the last call, and forgets it; empty when there
    // is nothing to say.
    [[nodiscard]] std::string take();

private:
    struct Control {
        ControlKind kind;
        std::size_t place; // in reading order
        std::string caption;
        bool visible = true;
        bool bold = false;
    };
    void changed(std::size_t control);
    [[nodiscard]] std::string spoken(const Control &control) const;

    std::vector<Control> m_controls;
    std::vector<std::size_t> m_changed;
};

} // namespace tervanel::services::accessibility
