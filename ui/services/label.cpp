#include "ui/services/label.hpp"

#include "ui/services/runtime.hpp"

#include <QPalette>

namespace tervanel::ui {

Label::Label(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignTop | Qt::AlignLeft);
    setAutoFillBackground(true);
    setMargin(0);
    setIndent(0);
    setFocusPolicy(Qt::NoFocus);
    setTextInteractionFlags(Qt::NoTextInteraction);
}

void Label::setCaption(const QString &caption)
{
    m_caption = caption;
    setText(runtime::displayText(caption));
}

void Label::setBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

void Label::setForeColor(VbColor color)
{
    m_fore = color;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color.toQColor());
    setPalette(p);
}

void Label::setBackColor(VbColor color)
{
    m_back = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, color.toQColor());
    setPalette(p);
}

void Label::mousePressEvent(QMouseEvent *event)
{
    m_clicks.press(*event);
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_clicks.release(*event, *this))
        Q_EMIT clicked();
}

void Label::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_clicks.doubleClick(*event))
        Q_EMIT doubleClicked();
}

} // namespace tervanel::ui
