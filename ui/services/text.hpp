#pragma once

#include <QString>

#include <string_view>

namespace tervanel::ui {

// The program's texts are UTF-8 data; Qt wants them as QString.
inline QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace tervanel::ui
