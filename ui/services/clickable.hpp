#pragma once

#include <QMouseEvent>
#include <QWidget>

namespace tervanel::ui {

// Turns a widget's mouse events into the click and double-click events the windows
// handle, in the platform's order: a double-click arrives as a click (first press and
// release) followed by a double-click (second press). A click needs the left button
// pressed and released inside the widget.
class ClickTracker final {
public:
    // Each returns true when the event completes a click or a double-click.
    bool press(const QMouseEvent &event)
    {
        m_pressed = event.button() == Qt::LeftButton;
        return false;
    }
    bool release(const QMouseEvent &event, const QWidget &widget)
    {
        const bool click = m_pressed && event.button() == Qt::LeftButton
                           && widget.rect().contains(event.position().toPoint());
        m_pressed = false;
        return click;
    }
    bool doubleClick(const QMouseEvent &event)
    {
        m_pressed = false; // the release after a double-click is not a click
        return event.button() == Qt::LeftButton;
    }

private:
    bool m_pressed = false;
};

} // namespace tervanel::ui
