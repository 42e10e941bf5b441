#include "app/application.hpp"

#include "app/identity.hpp"
#include "ui/services/accessibility.hpp"
#include "ui/services/look.hpp"

#include <QApplication>

namespace tervanel::app {

void configure(QApplication &application)
{
    const auto qt = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    };
    QApplication::setApplicationName(qt(identity::kProgramName));
    QApplication::setApplicationVersion(qt(identity::kVersion));
    QApplication::setOrganizationDomain(qt(identity::kWebAddress));
    QApplication::setDesktopFileName(QStringLiteral("tervanel"));
    static_cast<void>(application);
    ui::installLook();
    ui::installAccessibility();
}

} // namespace tervanel::app
