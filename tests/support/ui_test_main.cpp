// The entry point of every widget test: an offscreen Qt application with the
// program's look, then GoogleTest.

#include "tests/support/harness.hpp"
#include "ui/services/accessibility.hpp"
#include "ui/services/look.hpp"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    tervanel::harness::quietOffscreenWarnings();
    tervanel::ui::useOnlyBuiltInFonts();
    QApplication application(argc, argv);
    tervanel::ui::installLook();
    tervanel::ui::installAccessibility();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
