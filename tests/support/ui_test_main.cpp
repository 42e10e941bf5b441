// The entry point of every widget test: an offscreen Qt application with the
// program's look, then GoogleTest.

#include "tests/support/harness.hpp"
#include "ui/services/accessibility.hpp"
#include "ui/services/look.hpp"

#include <QApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A runtime folder of the test's own, as a desktop session provides one.
    std::string runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        runtimeDir = tervanel::harness::makePrivateFolder("tervanel-test-");
        qputenv("XDG_RUNTIME_DIR", runtimeDir.c_str());
    }
    tervanel::harness::quietOffscreenWarnings();
    tervanel::ui::useOnlyBuiltInFonts();
    QApplication application(argc, argv);
    tervanel::ui::installLook();
    tervanel::ui::installAccessibility();
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    if (!runtimeDir.empty())
        std::filesystem::remove_all(runtimeDir);
    return status;
}
