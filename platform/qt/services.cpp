#include "platform/qt/services.hpp"

#include "platform/qt/convert.hpp"
#include "platform/qt/window.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace tervanel::qt {

std::unique_ptr<services::Window> Services::createWindow(const services::WindowSpec &spec,
                                                         services::WindowEvents &events)
{
    return std::make_unique<Window>(spec, events);
}

void Services::messageBox(const services::MessageBoxRequest &request)
{
    QMessageBox box(request.style == MessageStyle::Information ? QMessageBox::Information
                    : request.style == MessageStyle::Critical  ? QMessageBox::Critical
                                                               : QMessageBox::NoIcon,
                    toQString(request.title), displayText(toQString(request.prompt)),
                    QMessageBox::Ok, QApplication::activeWindow());
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
