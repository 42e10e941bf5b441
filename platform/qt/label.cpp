#include "platform/qt/label.hpp"

#include "platform/qt/accessibility.hpp"
#include "platform/qt/colors.hpp"
#include "platform/qt/convert.hpp"
#include "platform/qt/look.hpp"
#include "services/fonts.hpp"

#include <QPainter>
#include <QPalette>
#include <QTextLayout>

#include <algorithm>

namespace tervanel::qt {

Label::Label(QWidget *parent, bool presentsAsCheckBox)
    : QLabel(parent)
    , m_checkBox(presentsAsCheckBox)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignTop | Qt::AlignLeft);
    setAutoFillBackground(true);
    setMargin(0);
    setIndent(0);
    setTextInteractionFlags(Qt::NoTextInteraction); // sets the focus policy too: first
    // A question takes the focus from Tab (and a screen reader), never from a click: a
    // click answers it and leaves the focus, and the window's pixels, as they were.
    setFocusPolicy(presentsAsCheckBox ? Qt::TabFocus : Qt::NoFocus);
}

void Label::setCaption(const QString &caption)
{
    m_caption = caption;
    setText(displayText(caption));
    captionChanged(*this);
}

void Label::setVisible(bool visible)
{
    const bool wasHidden = isHidden();
    QLabel::setVisible(visible);
    if (wasHidden != isHidden())
        visibilityChanged(*this);
}

namespace {

// Lays the caption out in lines of the given width, each linePitch() below the last.
qreal layOut(QTextLayout &layout, int width, int pitch)
{
    qreal widest = 0;
    int y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        widest = std::max(widest, line.naturalTextWidth());
        y += pitch;
    }
    layout.endLayout();
    return widest;
}

// Text measured before the first window is painted needs its face registered first.
void registerFaceOf(const QFont &font)
{
    registerBuiltInFonts();
    if (font.bold())
        registerBoldFace();
}

QString layoutText(const QString &caption)
{
    QString text = caption;
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    return text;
}

} // namespace

int Label::linePitch(const QFont &font)
{
    return services::linePitch(font.pixelSize());
}

Label::Extent Label::measure(const QString &caption, const QFont &font, int width)
{
    registerFaceOf(font);
    const int pitch = linePitch(font);
    QTextLayout layout(layoutText(caption), font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const qreal widest = layOut(layout, width, pitch);
    return {widest, layout.lineCount() * pitch};
}

void Label::paintEvent(QPaintEvent *event)
{
    static_cast<void>(event); // the background is already filled: the label is opaque
    QTextLayout layout(layoutText(m_caption), font());
    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layOut(layout, width(), linePitch(font()));
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setClipRect(rect()); // text below the label's height is cut off
    layout.draw(&painter, QPointF(0, 0));
    if (hasFocus())
        drawFocusMark(painter);
}

void Label::drawFocusMark(QPainter &painter) const
{
    // A dotted rectangle along the label's edge, every other pixel, in the text's colour,
    // as the classic desktop marks the control that has the keyboard.
    QPen dots(palette().color(QPalette::WindowText), 1, Qt::CustomDashLine);
    dots.setDashPattern({1, 1});
    dots.setCosmetic(true);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(dots);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Label::setBold(bool bold)
{
    const bool changed = bold != isBold();
    if (changed) {
        if (bold)
            registerBoldFace();
        QFont f = font();
        f.setBold(bold);
        setFont(f);
    }
    if (m_checkBox && changed)
        answerChanged(*this);
}

void Label::setForeColor(services::VbColor color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, shownColor(color));
    setPalette(p);
}

void Label::setBackColor(services::VbColor color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, shownColor(color));
    setPalette(p);
}

} // namespace tervanel::qt
