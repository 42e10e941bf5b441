#include "services/accessibility.hpp"

#include <algorithm>
#include <array>

namespace tervanel::services::accessibility {

namespace {

constexpr std::array kQuestionActions{Action::AnswerYes, Action::TakeBack};
constexpr std::array kButtonActions{Action::Press};

} // namespace

ActionWords wordsOf(Action action)
{
    switch (action) {
    case Action::AnswerYes:
        return {"Rispondi sì", "Come un clic sulla domanda", {}};
    case Action::TakeBack:
        // The right click of gestures::eventsOf(): screen readers' mouse review offers a
        // left and a right click, not a double one.
        return {"Togli la risposta", "Come un doppio clic sulla domanda", "clic destro"};
    case Action::Press:
        break;
    }
    return {}; // the platform's own press action, by the name screen readers know
}

std::span<const Action> actionsOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::QuestionLabel:
        return kQuestionActions;
    case ControlKind::PushButton:
        return kButtonActions;
    case ControlKind::Label:
    case ControlKind::PictureBox:
    case ControlKind::Image:
    case ControlKind::Frame:
        break;
    }
    return {};
}

std::string otherActionsHelp(ControlKind kind)
{
    const std::span<const Action> actions = actionsOf(kind);
    std::string help;
    for (std::size_t i = 1; i < actions.size(); ++i) {
        const ActionWords words = wordsOf(actions[i]);
        if (!help.empty())
            help += "; ";
        help += std::string(words.name) + ": " + std::string(words.gesture);
    }
    return help;
}

std::string spokenCaption(std::string_view caption)
{
    std::string spoken(caption);
    std::replace(spoken.begin(), spoken.end(), '\r', '\n');
    return spoken;
}

Presentation present(ControlKind kind, const Shown &shown)
{
    switch (kind) {
    case ControlKind::QuestionLabel:
        // Read while hidden too: a question never hides. It takes the keyboard's focus,
        // never a click's.
        return {Role::CheckBox, spokenCaption(shown.caption), true, shown.bold, true};
    case ControlKind::Label:
        // A caption left over from the layout must never reach the screen reader while
        // the label is hidden.
        return {Role::StaticText, shown.visible ? spokenCaption(shown.caption) : std::string()};
    case ControlKind::PushButton:
        return {Role::PushButton, spokenCaption(shown.caption), false, false, true};
    case ControlKind::PictureBox:
        return {Role::Graphic, std::string(shown.description), false, false, true};
    case ControlKind::Image:
        return {Role::Graphic, std::string(shown.description)};
    case ControlKind::Frame:
        return {Role::Grouping, std::string(shown.description)};
    }
    return {Role::StaticText, {}};
}

Role roleOf(WindowFrame frame)
{
    return frame == WindowFrame::Main ? Role::Frame : Role::Dialog;
}

std::string_view nameOf(const WindowDescription &description)
{
    return description.spokenName.empty() ? description.caption : description.spokenName;
}

std::vector<std::size_t> readingOrder(std::span<const ControlRow> rows, int windowWidthPixels)
{
    struct Place {
        bool rightHalf;
        int y, x;
        auto operator<=>(const Place &) const = default;
    };
    std::vector<Place> places;
    places.reserve(rows.size());
    for (const ControlRow &row : rows) {
        int x = row.geometry.x;
        int y = row.geometry.y;
        if (row.parent) {
            const Place &parent = places.at(*row.parent); // parents come first
            x += parent.x;
            y += parent.y;
        }
        places.push_back({x >= windowWidthPixels / 2, y, x});
    }
    std::vector<std::size_t> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&places](std::size_t a, std::size_t b) { return places[a] < places[b]; });
    return order;
}

Notice::Notice(std::span<const ControlRow> rows, int windowWidthPixels)
{
    m_controls.reserve(rows.size());
    for (const ControlRow &row : rows)
        m_controls.push_back({row.kind, 0, std::string(row.text)});
    const std::vector<std::size_t> order = readingOrder(rows, windowWidthPixels);
    for (std::size_t place = 0; place < order.size(); ++place)
        m_controls[order[place]].place = place;
}

void Notice::changed(std::size_t control)
{
    if (std::find(m_changed.begin(), m_changed.end(), control) == m_changed.end())
        m_changed.push_back(control);
}

void Notice::captionSet(std::size_t control, std::string_view caption)
{
    m_controls.at(control).caption = caption;
    changed(control);
}

void Notice::visibilitySet(std::size_t control, bool visible)
{
    Control &c = m_controls.at(control);
    const bool appears = visible && !c.visible;
    c.visible = visible;
    // A question's answer, not its visibility, is what a screen reader follows.
    if (appears && c.kind != ControlKind::QuestionLabel)
        changed(control);
}

void Notice::answerSet(std::size_t control, bool yes)
{
    m_controls.at(control).bold = yes;
    changed(control);
}

std::string Notice::spoken(const Control &control) const
{
    if (control.kind == ControlKind::QuestionLabel)
        return (control.bold ? "spuntata " : "non spuntata ") + spokenCaption(control.caption);
    if (control.kind != ControlKind::Label || !control.visible || control.caption.empty())
        return {};
    return spokenCaption(control.caption);
}

std::string Notice::take()
{
    std::vector<std::size_t> changed;
    changed.swap(m_changed);
    std::stable_sort(changed.begin(), changed.end(), [this](std::size_t a, std::size_t b) {
        return m_controls[a].place < m_controls[b].place;
    });
    std::string words;
    for (std::size_t i : changed) {
        const std::string part = spoken(m_controls[i]);
        if (part.empty())
            continue;
        if (!words.empty())
            words += '\n';
        words += part;
    }
    return words;
}

} // namespace tervanel::services::accessibility
