#include "ui/services/controls.hpp"
#include "ui/services/text.hpp"

#include "ui/services/look.hpp"
#include "ui/services/runtime.hpp"

#include <QKeyEvent>
#include <QPalette>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace tervanel::ui {

namespace {

const char *kindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
        return "label";
    case ControlKind::QuestionLabel:
        return "question label";
    case ControlKind::PushButton:
        return "push button";
    case ControlKind::PictureBox:
        return "picture box";
    case ControlKind::Image:
        return "image";
    case ControlKind::Frame:
        return "frame";
    }
    return "control";
}

// A push button that Enter and keypad Enter press while it has the focus, as Space does.
// Qt gives Enter to push buttons only in dialogs, through the default button; here no
// button is the window's default, so the focused one takes it.
class PushButton final : public QPushButton {
public:
    PushButton(const QString &text, QWidget *parent)
        : QPushButton(text, parent)
    {
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (!event->isAutoRepeat())
                click();
            event->accept();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

} // namespace

void ControlSet::build(QWidget &window, std::span<const Row> rows)
{
    m_widgets.assign(rows.size(), nullptr);
    m_kinds.clear();
    std::vector<std::pair<int, QWidget *>> focusable;

    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        QWidget *parent = row.parent ? m_widgets.at(*row.parent) : &window;
        QWidget *widget = nullptr;

        switch (row.kind) {
        case ControlKind::Label:
        case ControlKind::QuestionLabel: {
            auto *label = new Label(parent, row.kind == ControlKind::QuestionLabel);
            if (row.align == Align::Centre)
                label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
            if (row.back)
                label->setBackColor(*row.back);
            if (row.fore)
                label->setForeColor(*row.fore);
            label->setCaption(toQString(row.text));
            widget = label;
            break;
        }
        case ControlKind::PushButton: {
            auto *button = new PushButton(toQString(row.text), parent);
            // No button is the window's default (Enter) or cancel (Esc) button.
            button->setAutoDefault(false);
            button->setDefault(false);
            button->setFocusPolicy(Qt::StrongFocus);
            widget = button;
            break;
        }
        case ControlKind::PictureBox: {
            auto *box = new Picture(parent, PictureFit::NaturalSize);
            box->setFrameStyle(QFrame::WinPanel | QFrame::Sunken); // two pixels on each side
            box->setFocusPolicy(Qt::StrongFocus);
            if (row.back) {
                QPalette p = box->palette();
                p.setColor(QPalette::Window, row.back->toQColor());
                box->setPalette(p);
                box->setAutoFillBackground(true);
            }
            widget = box;
            break;
        }
        case ControlKind::Image:
            widget = new Picture(parent, PictureFit::Stretch);
            break;
        case ControlKind::Frame: {
            auto *frame = new Picture(parent, PictureFit::NaturalSize, Picture::Role::Frame);
            frame->setFrameStyle(QFrame::Box | QFrame::Sunken); // an etched line
            widget = frame;
            break;
        }
        }

        widget->setObjectName(toQString(row.id));
        if (row.font)
            widget->setFont(dialogFont(row.font->points, row.font->bold));
        widget->setGeometry(row.geometry);
        if (row.tabIndex && widget->focusPolicy() != Qt::NoFocus)
            focusable.emplace_back(*row.tabIndex, widget);
        m_widgets[i] = widget;
        m_kinds.push_back(row.kind);
    }

    std::sort(focusable.begin(), focusable.end());
    for (std::size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1].second, focusable[i].second);
}

Label &ControlSet::label(std::size_t index) const
{
    if (m_kinds.at(index) != ControlKind::Label && m_kinds.at(index) != ControlKind::QuestionLabel)
        throw std::logic_error(widget(index).objectName().toStdString() + " is a "
                               + kindName(m_kinds.at(index)) + ", not a label");
    return static_cast<Label &>(widget(index));
}

QPushButton &ControlSet::button(std::size_t index) const
{
    if (m_kinds.at(index) != ControlKind::PushButton)
        throw std::logic_error(widget(index).objectName().toStdString() + " is a "
                               + kindName(m_kinds.at(index)) + ", not a push button");
    return static_cast<QPushButton &>(widget(index));
}

Picture &ControlSet::picture(std::size_t index) const
{
    const ControlKind kind = m_kinds.at(index);
    if (kind != ControlKind::PictureBox && kind != ControlKind::Image && kind != ControlKind::Frame)
        throw std::logic_error(widget(index).objectName().toStdString() + " is a " + kindName(kind)
                               + ", not a picture");
    return static_cast<Picture &>(widget(index));
}

void ControlSet::setText(std::size_t index, std::string_view text) const
{
    runtime::beforeOperation("setText", widget(index));
    if (m_kinds.at(index) == ControlKind::PushButton)
        button(index).setText(toQString(text));
    else
        label(index).setCaption(toQString(text));
}

void ControlSet::setVisible(std::size_t index, bool visible) const
{
    runtime::beforeOperation(visible ? "show" : "hide", widget(index));
    widget(index).setVisible(visible);
}

bool ControlSet::bold(std::size_t index) const
{
    return label(index).isBold();
}

void ControlSet::setBold(std::size_t index, bool bold) const
{
    runtime::beforeOperation("setBold", widget(index));
    label(index).setBold(bold);
}

void ControlSet::setForeColor(std::size_t index, VbColor color) const
{
    runtime::beforeOperation("setForeColor", widget(index));
    label(index).setForeColor(color);
}

void ControlSet::setBackColor(std::size_t index, VbColor color) const
{
    runtime::beforeOperation("setBackColor", widget(index));
    label(index).setBackColor(color);
}

} // namespace tervanel::ui
