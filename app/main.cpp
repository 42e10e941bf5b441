#include "app/application.hpp"
#include "forms/questionnaire/form1.hpp"
#include "platform/qt/look.hpp"
#include "platform/qt/services.hpp"
#include "services/runtime.hpp"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    namespace runtime = tervanel::services::runtime;
    tervanel::qt::useOnlyBuiltInFonts();
    QApplication application(argc, argv);
    tervanel::qt::Services services;
    runtime::install(services);
    std::unique_ptr<tervanel::forms::Form1> form1;
    runtime::handle([&] {
        tervanel::app::configure(application);
        form1 = std::make_unique<tervanel::forms::Form1>(); // its load shows the introduction
    });
    if (runtime::hasEnded())
        return runtime::endStatus();
    return QApplication::exec();
}
