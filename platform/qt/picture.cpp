#include "platform/qt/picture.hpp"

#include <QPainter>

#include "services/failures.hpp"

namespace tervanel::qt {

Picture::Picture(QWidget *parent, PictureFit fit, Role role)
    : QFrame(parent)
    , m_fit(fit)
    , m_role(role)
{
}

void Picture::setPicture(const QString &resource)
{
    QPixmap picture;
    if (!picture.load(resource))
        throw services::OperationFailed(services::Failure::PictureMissing, resource.toStdString());
    m_picture = picture;
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
        painter.drawPixmap(rect(), m_picture);
    } else {
        painter.setClipRect(contentsRect());
        painter.drawPixmap(contentsRect().topLeft(), m_picture);
    }
}

} // namespace tervanel::qt
