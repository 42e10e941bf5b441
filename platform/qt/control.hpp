#pragma once

#include <QObject>
#include <Qt>

#include <functional>

class QWidget;

// What every control of a window has on Qt besides its widget: its mouse gestures, as
// the windows' clicks.
namespace tervanel::qt {

// Turns a widget's mouse events into the click and double-click events the windows
// handle, in the platform's order: a double-click arrives as a click (first press and
// release) followed by a double-click (second press). A click needs the left button
// pressed and released inside the widget. A right click, likewise, does what the
// widget makes of it, if anything.
class ClickTracker final : public QObject {
public:
    ClickTracker(QWidget &widget, std::function<void()> onClick,
                 std::function<void()> onDoubleClick = {}, std::function<void()> onRightClick = {});

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_widget;
    std::function<void()> m_onClick;
    std::function<void()> m_onDoubleClick;
    std::function<void()> m_onRightClick;
    Qt::MouseButton m_pressed = Qt::NoButton;
};

} // namespace tervanel::qt
