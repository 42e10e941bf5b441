#include "app/application.hpp"

#include "core/identity.hpp"
#include "platform/qt/accessibility.hpp"
#include "platform/qt/convert.hpp"
#include "platform/qt/look.hpp"

#include <QApplication>

namespace tervanel::app {

void configure(QApplication &application)
{
    QApplication::setApplicationName(qt::toQString(identity::kProgramName));
    QApplication::setApplicationVersion(qt::toQString(identity::kVersion));
    QApplication::setOrganizationDomain(qt::toQString(identity::kWebAddress));
    QApplication::setDesktopFileName(QStringLiteral("tervanel"));
    static_cast<void>(application);
    qt::installLook();
    qt::installAccessibility();
}

} // namespace tervanel::app
