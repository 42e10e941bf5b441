#include "services/gestures.hpp"

#include "services/runtime.hpp"

#include <algorithm>
#include <array>

namespace tervanel::services::gestures {

namespace {

constexpr std::array kClick{Event::Click};
constexpr std::array kDoubleClick{Event::DoubleClick};
constexpr std::array kClickThenDoubleClick{Event::Click, Event::DoubleClick};

bool isLabel(ControlKind kind)
{
    return kind == ControlKind::Label || kind == ControlKind::QuestionLabel;
}

void deliver(WindowEvents &events, std::size_t control, std::span<const Event> delivered)
{
    for (const Event event : delivered) {
        if (runtime::hasEnded())
            return;
        if (event == Event::Click)
            events.click(control);
        else
            events.doubleClick(control);
    }
}

} // namespace

std::span<const Event> eventsOf(Gesture gesture, ControlKind kind, bool screenReaderRunning)
{
    switch (gesture) {
    case Gesture::Click:
        return kClick;
    case Gesture::DoubleClick:
        if (isLabel(kind))
            return kDoubleClick;
        if (kind == ControlKind::PushButton)
            return kClick;
        return {};
    case Gesture::RightClick:
        if (kind == ControlKind::QuestionLabel && screenReaderRunning)
            return eventsOf(accessibility::Action::TakeBack);
        return {};
    }
    return {};
}

std::span<const Event> eventsOf(accessibility::Action action)
{
    switch (action) {
    case accessibility::Action::AnswerYes:
    case accessibility::Action::Press:
        return kClick;
    case accessibility::Action::TakeBack:
        break;
    }
    return kClickThenDoubleClick;
}

void deliver(WindowEvents &events, std::size_t control, Gesture gesture, ControlKind kind,
             bool screenReaderRunning)
{
    deliver(events, control, eventsOf(gesture, kind, screenReaderRunning));
}

void perform(WindowEvents &events, std::size_t control, accessibility::Action action)
{
    if (runtime::messageBoxOpen())
        return;
    deliver(events, control, eventsOf(action));
}

KeyEffect effectOf(const KeyPress &press, bool keyPreview, std::optional<ControlKind> focused)
{
    if (keyPreview && press.producesCharacter)
        return KeyEffect::Preview;
    const bool onButton = focused == ControlKind::PushButton;
    const bool onQuestion = focused == ControlKind::QuestionLabel;
    switch (press.key) {
    case Key::Enter:
    case Key::KeypadEnter:
        if (press.otherModifiers || press.autoRepeat)
            return KeyEffect::None;
        return onButton ? KeyEffect::PressFocused
                        : (onQuestion ? KeyEffect::PressDefault : KeyEffect::None);
    case Key::Space:
        if (press.otherModifiers)
            return KeyEffect::None;
        if (onQuestion)
            return press.autoRepeat ? KeyEffect::None : KeyEffect::ToggleAnswer;
        return onButton ? KeyEffect::PressFocused : KeyEffect::None;
    case Key::Tab:
        return press.otherModifiers ? KeyEffect::None : KeyEffect::FocusNext;
    case Key::BackTab:
        return press.otherModifiers ? KeyEffect::None : KeyEffect::FocusPrevious;
    case Key::Other:
        break;
    }
    return KeyEffect::None;
}

std::vector<std::size_t> tabOrder(std::span<const ControlRow> rows)
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].tabIndex && accessibility::present(rows[i].kind, {}).focusable)
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [rows](std::size_t a, std::size_t b) {
        return *rows[a].tabIndex < *rows[b].tabIndex;
    });
    return order;
}

std::optional<std::size_t> defaultButton(std::span<const ControlRow> rows)
{
    for (const std::size_t row : tabOrder(rows))
        if (rows[row].kind == ControlKind::PushButton)
            return row;
    return std::nullopt;
}

std::span<const Event> toggleEvents(bool answered)
{
    return eventsOf(answered ? accessibility::Action::TakeBack : accessibility::Action::AnswerYes);
}

void toggle(WindowEvents &events, std::size_t control, bool answered)
{
    deliver(events, control, toggleEvents(answered));
}

std::optional<std::size_t> nextInTabOrder(std::span<const bool> available,
                                          std::optional<std::size_t> current, bool backwards)
{
    const std::size_t n = available.size();
    if (std::find(available.begin(), available.end(), true) == available.end())
        return std::nullopt;
    // From nowhere, Tab starts at the first control and Shift+Tab at the last.
    std::size_t position = current && *current < n ? *current : (backwards ? 0 : n - 1);
    for (std::size_t step = 0; step < n; ++step) {
        position = backwards ? (position + n - 1) % n : (position + 1) % n;
        if (available[position])
            return position;
    }
    return std::nullopt;
}

} // namespace tervanel::services::gestures
