// The entry point of every widget test: an offscreen Qt application with the
// program's look, then GoogleTest.

#include "ui/services/accessibility.hpp"
#include "ui/services/look.hpp"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform warns about every window operation it has no use for.
void quietOffscreenWarnings(QtMsgType type, const QMessageLogContext &context,
                            const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (standardHandler)
        standardHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    standardHandler = qInstallMessageHandler(quietOffscreenWarnings);
    tervanel::ui::useOnlyBuiltInFonts();
    QApplication application(argc, argv);
    tervanel::ui::installLook();
    tervanel::ui::installAccessibility();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
