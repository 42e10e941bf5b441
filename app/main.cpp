#include "app/application.hpp"
#include "ui/questionnaire/form1.hpp"
#include "ui/services/look.hpp"
#include "ui/services/runtime.hpp"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    tervanel::ui::useOnlyBuiltInFonts();
    QApplication application(argc, argv);
    std::unique_ptr<tervanel::ui::Form1> form1;
    tervanel::ui::runtime::handle([&] {
        tervanel::app::configure(application);
        form1 = std::make_unique<tervanel::ui::Form1>(); // its load shows the introduction
    });
    if (tervanel::ui::runtime::hasEnded())
        return tervanel::ui::runtime::endStatus();
    return QApplication::exec();
}
