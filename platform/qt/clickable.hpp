#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace tervanel::qt {

// Turns a widget's mouse events into the click and double-click events the windows
// handle, in the platform's order: a double-click arrives as a click (first press and
// release) followed by a double-click (second press). A click needs the left button
// pressed and released inside the widget.
class ClickTracker final : public QObject {
public:
    ClickTracker(QWidget &widget, std::function<void()> onClick,
                 std::function<void()> onDoubleClick = {});

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_widget;
    std::function<void()> m_onClick;
    std::function<void()> m_onDoubleClick;
    bool m_pressed = false;
};

} // namespace tervanel::qt
