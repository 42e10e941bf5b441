#include "app/application.hpp"

#include "app/identity.hpp"
#include "ui/services/accessibility.hpp"
#include "ui/services/look.hpp"
#include "ui/services/text.hpp"

#include <QApplication>

namespace tervanel::app {

void configure(QApplication &application)
{
    QApplication::setApplicationName(ui::toQString(identity::kProgramName));
    QApplication::setApplicationVersion(ui::toQString(identity::kVersion));
    QApplication::setOrganizationDomain(ui::toQString(identity::kWebAddress));
    QApplication::setDesktopFileName(QStringLiteral("tervanel"));
    static_cast<void>(application);
    ui::installLook();
    ui::installAccessibility();
}

} // namespace tervanel::app
