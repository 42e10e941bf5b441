#include "platform/qt/services.hpp"

#include "platform/qt/convert.hpp"
#include "platform/qt/window.hpp"

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace tervanel::qt {

namespace {

// The window a box belongs to: the active one, else the program's window on screen.
// On Wayland no window may be active yet when a handler runs, and a box without a
// transient parent goes wherever the compositor likes.
QWidget *boxOwner()
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible() && !qobject_cast<QMessageBox *>(window))
            return window;
    return nullptr;
}

// Waits for a window's first expose event, which Qt answers by painting it, or for the
// window to go, then calls back from the loop once that has been handled. It belongs to
// the context, and goes with it.
class ExposeWatch final : public QObject {
public:
    ExposeWatch(QWindow &window, QObject &context, std::function<void()> then)
        : QObject(&context)
        , m_then(std::move(then))
    {
        window.installEventFilter(this);
        connect(&window, &QObject::destroyed, this, [this] { done(); });
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose) {
            watched->removeEventFilter(this);
            done();
        }
        return false;
    }

private:
    void done()
    {
        if (m_then)
            QTimer::singleShot(0, parent(), std::exchange(m_then, {}));
        deleteLater();
    }

    std::function<void()> m_then;
};

} // namespace

void Services::whenIdle(std::function<void()> task)
{
    if (m_idle.add(std::move(task)))
        QTimer::singleShot(0, &m_context, [this] { runIdle(); });
}

void Services::runIdle()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        QWindow *window = widget->windowHandle();
        if (widget->isVisible() && window && !window->isExposed()) {
            // Its first paint is still to come.
            new ExposeWatch(*window, m_context, [this] { runIdle(); });
            return;
        }
    }
    m_idle.run();
}

std::unique_ptr<services::Window>
Services::createWindow(const services::WindowDescription &description,
                       services::WindowEvents &events)
{
    return std::make_unique<Window>(description, events);
}

void Services::messageBox(const services::MessageBoxRequest &request)
{
    QMessageBox box(request.style == MessageStyle::Information ? QMessageBox::Information
                    : request.style == MessageStyle::Critical  ? QMessageBox::Critical
                                                               : QMessageBox::NoIcon,
                    toQString(request.title), displayText(toQString(request.prompt)),
                    QMessageBox::Ok, boxOwner());
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

void Services::beep()
{
    QApplication::beep();
}

void Services::quit(int status)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(status);
}

} // namespace tervanel::qt

namespace tervanel::qt {

bool Services::screenReaderRunning() const
{
    return QAccessible::isActive();
}

} // namespace tervanel::qt
