#include "platform/qt/picture.hpp"

#include "platform/qt/convert.hpp"
#include "services/failures.hpp"

#include <QPainter>
#include <QResource>

#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

namespace tervanel::qt {

namespace {

std::uint32_t read32(const uchar *at)
{
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8
           | static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

// A picture as the build decoded it into the resources: its file's name, with ".pixels"
// in place of the file's own extension (app/CMakeLists.txt).
QString resourceOf(services::PictureId picture)
{
    const std::string_view file = services::fileNameOf(picture);
    return QStringLiteral(":/") + toQString(file.substr(0, file.rfind('.')))
           + QStringLiteral(".pixels");
}

} // namespace

QImage builtInPixels(const QString &resource)
{
    constexpr qint64 kHeader = 16;
    constexpr std::uint32_t kLargest = 4096;
    const QResource stored(resource);
    if (!stored.isValid() || stored.compressionAlgorithm() != QResource::NoCompression
        || stored.size() < kHeader || std::memcmp(stored.data(), "TVPX", 4) != 0)
        return {};
    const uchar *data = stored.data();
    const std::uint32_t width = read32(data + 4);
    const std::uint32_t height = read32(data + 8);
    const std::uint32_t format = read32(data + 12);
    if (width == 0 || height == 0 || width > kLargest || height > kLargest
        || (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        || stored.size() != kHeader + qint64{width} * height * 4)
        return {};
    const QImage pixels(data + kHeader, static_cast<int>(width), static_cast<int>(height),
                        static_cast<qsizetype>(width) * 4, static_cast<QImage::Format>(format));
    // Built-in resources stay for the whole run, so the pixels are drawn where they are
    // stored; rows that do not start on a 32-bit boundary are copied first.
    if (reinterpret_cast<std::uintptr_t>(data + kHeader) % 4 != 0)
        return pixels.copy();
    return pixels;
}

Picture::Picture(QWidget *parent, PictureFit fit)
    : QFrame(parent)
    , m_fit(fit)
{
}

void Picture::setPicture(services::PictureId picture)
{
    QImage pixels = builtInPixels(resourceOf(picture));
    if (pixels.isNull())
        throw services::OperationFailed(services::Failure::PictureMissing,
                                        services::fileNameOf(picture));
    m_picture = std::move(pixels);
    update();
}

void Picture::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    if (m_fit == PictureFit::Stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_picture);
    } else {
        painter.setClipRect(contentsRect());
        painter.drawImage(contentsRect().topLeft(), m_picture);
    }
}

} // namespace tervanel::qt
