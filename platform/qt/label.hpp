#pragma once

#include "platform/qt/control.hpp"
#include "services/units.hpp"

#include <QLabel>
#include <QString>

class QPainter;

namespace tervanel::qt {

// A label of the forms layer: an opaque rectangle of fixed size whose caption starts
// at the top-left (or centred), wraps at word boundaries and is cut at the bottom.
// The caption is kept exactly as set, lone CRs included; the display turns each CR
// into a line break.
class Label final : public QLabel {
    Q_OBJECT

public:
    // A question label presents itself to screen readers as a check box, checked
    // while the label is bold.
    Label(QWidget *parent, bool presentsAsCheckBox = false);

    void setCaption(const QString &caption);
    // Tells screen readers, as well as showing or hiding the label.
    void setVisible(bool visible) override;
    [[nodiscard]] const QString &caption() const { return m_caption; }

    void setBold(bool bold);
    [[nodiscard]] bool isBold() const { return font().bold(); }

    [[nodiscard]] bool presentsAsCheckBox() const { return m_checkBox; }

    void setForeColor(services::VbColor color);
    void setBackColor(services::VbColor color);

    // How much room a caption takes when laid out as this label lays it out: wrapped
    // at word boundaries to the width, one line every linePitch() pixels.
    struct Extent {
        qreal widestLine;
        int height;
    };
    [[nodiscard]] static Extent measure(const QString &caption, const QFont &font, int width);
    // The distance between two lines of the dialog face in this font (services::linePitch).
    [[nodiscard]] static int linePitch(const QFont &font);

Q_SIGNALS:
    void clicked();
    void doubleClicked();
    void rightClicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawFocusMark(QPainter &painter) const;

    QString m_caption;

    ClickTracker m_clicks{*this, [this] { Q_EMIT clicked(); }, [this] { Q_EMIT doubleClicked(); },
                          [this] { Q_EMIT rightClicked(); }};
    bool m_checkBox;
};

} // namespace tervanel::qt
