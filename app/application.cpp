#include "app/application.hpp"

#include "app/platform_choice.hpp"
#include "core/identity.hpp"
#include "platform/qt/accessibility.hpp"
#include "platform/qt/convert.hpp"
#include "platform/qt/look.hpp"
#include "platform/qt/picture.hpp"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tervanel::app {

namespace {

std::vector<std::string> &heldBackMessages()
{
    static std::vector<std::string> messages;
    return messages;
}

void startUpMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        // Qt cannot start its platform: say so in one line and end, without a core dump.
        std::fputs(platformFailureMessage(), stderr);
        std::_Exit(1);
    }
    heldBackMessages().push_back(qFormatLogMessage(type, context, message).toStdString());
}

} // namespace

std::unique_ptr<QApplication> createApplication(int &argc, char **argv)
{
    const QtMessageHandler previous = qInstallMessageHandler(startUpMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const std::string &message : heldBackMessages())
        std::fprintf(stderr, "%s\n", message.c_str());
    heldBackMessages().clear();
    return application;
}

void configure(QApplication &application)
{
    QApplication::setApplicationName(qt::toQString(identity::kProgramName));
    QApplication::setApplicationVersion(qt::toQString(identity::kVersion));
    QApplication::setOrganizationDomain(qt::toQString(identity::kWebAddress));
    QApplication::setDesktopFileName(QStringLiteral("tervanel"));
    static_cast<void>(application);
    qt::installLook();
    qt::installAccessibility();
    // Every window carries the program's own icon, in the sizes task bars and window
    // switchers ask for.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(
            qt::builtInPixels(QStringLiteral(":/icons/icon-%1.pixels").arg(size))));
    QApplication::setWindowIcon(icon);
}

} // namespace tervanel::app
