#include "platform/qt/services.hpp"

#include "platform/qt/convert.hpp"
#include "platform/qt/window.hpp"

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QWidget>

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

} // namespace

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
