#include "ui/services/accessibility.hpp"

#include "ui/services/label.hpp"
#include "ui/services/picture.hpp"
#include "ui/services/runtime.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QPushButton>

namespace tervanel::ui {

namespace {

void notify(QObject *object, QAccessible::Event type)
{
    QAccessibleEvent event(object, type);
    QAccessible::updateAccessibility(&event);
}

class QuestionAccessible final : public QAccessibleWidget {
public:
    explicit QuestionAccessible(Label *label)
        : QAccessibleWidget(label, QAccessible::CheckBox)
    {
    }

    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return label().text();
        return QAccessibleWidget::text(t);
    }

    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = label().isBold();
        s.focusable = false;
        return s;
    }

    // The names themselves are Italian: the bridge hands screen readers the names,
    // not their translations.
    [[nodiscard]] QStringList actionNames() const override
    {
        return {kAnswerYesAction, kTakeBackAction};
    }

    [[nodiscard]] QString localizedActionDescription(const QString &action) const override
    {
        if (action == kAnswerYesAction)
            return QStringLiteral("Come un clic sulla domanda");
        if (action == kTakeBackAction)
            return QStringLiteral("Come un doppio clic sulla domanda");
        return {};
    }

    void doAction(const QString &action) override
    {
        if (blockedByMessageBox(label()))
            return;
        // The same events the mouse delivers, so the same handlers run.
        if (action == kAnswerYesAction) {
            Q_EMIT label().clicked();
        } else if (action == kTakeBackAction) {
            Q_EMIT label().clicked();
            Q_EMIT label().doubleClicked();
        }
    }

    [[nodiscard]] QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    [[nodiscard]] Label &label() const { return static_cast<Label &>(*widget()); }
};

// Any other label: its caption as shown, or nothing while it is hidden, so that a
// caption left over from the layout never reaches the screen reader.
class LabelAccessible final : public QAccessibleWidget {
public:
    explicit LabelAccessible(Label *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return widget()->isHidden() ? QString() : runtime::displayText(label().caption());
        return QAccessibleWidget::text(t);
    }

private:
    [[nodiscard]] Label &label() const { return static_cast<Label &>(*widget()); }
};

// The windows' push buttons, pressed as a click of the mouse would press them.
class ButtonAccessible final : public QAccessibleWidget {
public:
    explicit ButtonAccessible(QPushButton *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button().text().remove(QLatin1Char('&'));
        return QAccessibleWidget::text(t);
    }

    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button().isDown();
        s.defaultButton = button().isDefault();
        return s;
    }

    [[nodiscard]] QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (blockedByMessageBox(button()))
            return;
        // Animated, as the toolkit's own buttons do: the click lands from the event
        // loop, so the screen reader's request returns before any box it opens.
        button().animateClick();
    }

    [[nodiscard]] QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    [[nodiscard]] QPushButton &button() const { return static_cast<QPushButton &>(*widget()); }
};

// A window the user cannot minimise is a passing one, a dialog: the introduction.
// The questionnaire is the program's frame. An untitled window is named by its
// accessible name.
class WindowAccessible final : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget *window)
        : QAccessibleWidget(window,
                            window->windowType() == Qt::Dialog
                                    || !window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint)
                                ? QAccessible::Dialog
                                : QAccessible::Window)
    {
    }
};

// Pictures are graphics; the introduction's frame groups its controls.
class PictureAccessible final : public QAccessibleWidget {
public:
    explicit PictureAccessible(Picture *picture)
        : QAccessibleWidget(picture, picture->role() == Picture::Role::Frame ? QAccessible::Grouping
                                                                             : QAccessible::Graphic)
    {
    }
};

// The program's own windows derive from QWidget directly; message boxes and the
// toolkit's other windows keep the toolkit's presentation.
bool isProgramWindow(const QObject *object)
{
    return object->isWidgetType() && static_cast<const QWidget *>(object)->isWindow()
           && object->metaObject()->superClass() == &QWidget::staticMetaObject;
}

QAccessibleInterface *accessibleFactory(const QString &, QObject *object)
{
    if (auto *label = qobject_cast<Label *>(object)) {
        if (label->presentsAsCheckBox())
            return new QuestionAccessible(label);
        return new LabelAccessible(label);
    }
    if (auto *picture = qobject_cast<Picture *>(object))
        return new PictureAccessible(picture);
    if (auto *button = qobject_cast<QPushButton *>(object);
        button && isProgramWindow(button->window()))
        return new ButtonAccessible(button);
    if (isProgramWindow(object))
        return new WindowAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    static_cast<void>(installed);
}

bool blockedByMessageBox(const QWidget &widget)
{
    const QWidget *modal = QApplication::activeModalWidget();
    return modal && modal != widget.window();
}

void captionChanged(Label &label)
{
    notify(&label, QAccessible::NameChanged);
}

void visibilityChanged(Label &label)
{
    if (!label.presentsAsCheckBox())
        notify(&label, QAccessible::NameChanged); // a hidden label has no name
}

void answerChanged(Label &label)
{
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(&label, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace tervanel::ui
