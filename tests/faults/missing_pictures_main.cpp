// The program as shipped, but started with its built-in pictures taken away: it must
// report the damage in a box and end with a failure status, never crash.

#include "app/application.hpp"
#include "ui/questionnaire/form1.hpp"
#include "ui/services/look.hpp"
#include "ui/services/runtime.hpp"

#include <QApplication>
#include <QtCore/qglobal.h>

#include <memory>

int main(int argc, char *argv[])
{
    tervanel::ui::useOnlyBuiltInFonts();
    QApplication application(argc, argv);
    std::unique_ptr<tervanel::ui::Form1> form1;
    tervanel::ui::runtime::handle([&] {
        tervanel::app::configure(application); // registers the built-in fonts first
        Q_CLEANUP_RESOURCE(tervanel);
        form1 = std::make_unique<tervanel::ui::Form1>();
    });
    if (tervanel::ui::runtime::hasEnded())
        return tervanel::ui::runtime::endStatus();
    return QApplication::exec();
}
