#include "app/application.hpp"
#include "app/command_line.hpp"
#include "app/platform_choice.hpp"
#include "forms/questionnaire/form1.hpp"
#include "platform/qt/look.hpp"
#include "platform/qt/services.hpp"
#include "services/runtime.hpp"

#include <QApplication>

#include <cstdio>
#include <memory>
#include <optional>

int main(int argc, char *argv[])
{
    using tervanel::app::CommandLine;
    namespace runtime = tervanel::services::runtime;
    const CommandLine line =
        tervanel::app::parseCommandLine({argv, static_cast<std::size_t>(argc)});
    switch (line.action) {
    case CommandLine::Action::Help:
        std::fputs(tervanel::app::helpText().c_str(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::fputs(tervanel::app::versionText().c_str(), stdout);
        return 0;
    case CommandLine::Action::Refuse:
        std::fputs(tervanel::app::refusalText(line).c_str(), stderr);
        return 2;
    case CommandLine::Action::Run:
        break;
    }
    std::optional<tervanel::app::DisplayHold> display =
        tervanel::app::prepareDisplay(line.platformGiven, line.display);
    if (!display) {
        std::fputs(tervanel::app::noDisplayMessage(), stderr);
        return 1;
    }

    tervanel::qt::useOnlyBuiltInFonts();
    const std::unique_ptr<QApplication> application = tervanel::app::createApplication(argc, argv);
    display.reset(); // the application has its own connection now
    tervanel::qt::Services services;
    runtime::install(services);
    std::unique_ptr<tervanel::forms::Form1> form1;
    runtime::handle([&] {
        tervanel::app::configure(*application);
        form1 = std::make_unique<tervanel::forms::Form1>(); // its load shows the introduction
    });
    if (runtime::hasEnded())
        return runtime::endStatus();
    return QApplication::exec();
}
