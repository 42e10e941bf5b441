#pragma once

#include "platform/qt/control.hpp"
#include "services/pictures.hpp"

#include <QFrame>
#include <QImage>
#include <QString>

namespace tervanel::qt {

// How a picture sits in its control: at its natural size in the top-left corner of
// the area inside the border, or stretched over the whole control.
enum class PictureFit { NaturalSize, Stretch };

// A picture built into the program, as the build decoded it (tools/pixels.cpp); null
// when it is missing or damaged.
[[nodiscard]] QImage builtInPixels(const QString &resource);

// A picture box or image control, and a frame: each can be clicked.
class Picture final : public QFrame {
    Q_OBJECT

public:
    Picture(QWidget *parent, PictureFit fit);

    // Loads a built-in picture; fails when it is missing or damaged.
    void setPicture(services::PictureId picture);
    [[nodiscard]] const QImage &picture() const { return m_picture; }

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    PictureFit m_fit;
    QImage m_picture;
    ClickTracker m_clicks{*this, [this] { Q_EMIT clicked(); }}; // no double-click handler
};

} // namespace tervanel::qt
