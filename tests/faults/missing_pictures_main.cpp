// The program as shipped, but started with its built-in pictures taken away: it must
// report the damage in a box and end with a failure status, never crash.

#include "app/application.hpp"
#include "forms/questionnaire/form1.hpp"
#include "platform/qt/look.hpp"
#include "platform/qt/services.hpp"
#include "services/runtime.hpp"

#include <QApplication>
#include <QtCore/qglobal.h>

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
        tervanel::app::configure(application); // registers the built-in fonts first
        Q_CLEANUP_RESOURCE(tervanel);
        form1 = std::make_unique<tervanel::forms::Form1>();
    });
    if (runtime::hasEnded())
        return runtime::endStatus();
    return QApplication::exec();
}
