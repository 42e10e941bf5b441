#include "platform/qt/control.hpp"

#include <QMouseEvent>
#include <QWidget>

#include <utility>

namespace tervanel::qt {

ClickTracker::ClickTracker(QWidget &widget, std::function<void()> onClick,
                           std::function<void()> onDoubleClick, std::function<void()> onRightClick)
    : m_widget(widget)
    , m_onClick(std::move(onClick))
    , m_onDoubleClick(std::move(onDoubleClick))
    , m_onRightClick(std::move(onRightClick))
{
    widget.installEventFilter(this);
}

bool ClickTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &m_widget)
        return false;
    // The widget takes its mouse events here and passes none on to its parent: a click
    // on a control without a handler must not become a click on the frame beneath it.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressed = static_cast<QMouseEvent *>(event)->button();
        return true;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool click =
            m_pressed == mouse->button() && m_widget.rect().contains(mouse->position().toPoint());
        m_pressed = Qt::NoButton;
        if (click && mouse->button() == Qt::LeftButton && m_onClick)
            m_onClick();
        else if (click && mouse->button() == Qt::RightButton && m_onRightClick)
            m_onRightClick();
        return true;
    }
    case QEvent::MouseButtonDblClick:
        m_pressed = Qt::NoButton; // the release after a double-click is no click
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && m_onDoubleClick)
            m_onDoubleClick();
        return true;
    default:
        return false;
    }
}

} // namespace tervanel::qt
