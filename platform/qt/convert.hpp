#pragma once

#include "services/units.hpp"

#include <QColor>
#include <QRect>
#include <QString>

#include <string_view>

// The forms' values as Qt takes them.
namespace tervanel::qt {

// The program's texts are UTF-8 data; Qt wants them as QString.
inline QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Turns lone CRs into the line breaks Qt draws.
inline QString displayText(const QString &caption)
{
    QString shown = caption;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

inline QColor toQColor(services::VbColor color)
{
    return {color.red(), color.green(), color.blue()};
}

inline QRect toQRect(const services::PixelRect &r)
{
    return {r.x, r.y, r.width, r.height};
}

} // namespace tervanel::qt
