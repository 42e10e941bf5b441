// The entry point of every widget test: an offscreen Qt application with the
// program's look, then GoogleTest.

#include "harness/harness.hpp"
#include "platform/qt/accessibility.hpp"
#include "platform/qt/look.hpp"
#include "platform/qt/services.hpp"
#include "services/runtime.hpp"

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
    tervanel::qt::useOnlyBuiltInFonts();
    QApplication application(argc, argv);
    tervanel::qt::installLook();
    tervanel::qt::installAccessibility();
    tervanel::qt::Services services;
    tervanel::services::runtime::install(services);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    if (!runtimeDir.empty())
        std::filesystem::remove_all(runtimeDir);
    return status;
}
