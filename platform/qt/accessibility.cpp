#include "platform/qt/accessibility.hpp"

#include "platform/qt/label.hpp"
#include "platform/qt/picture.hpp"

#include <QAccessible>
#include <QAccessibleWidget>

namespace tervanel::qt {

namespace {

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

    [[nodiscard]] QStringList actionNames() const override
    {
        return {kAnswerYesAction, kTakeBackAction};
    }

    [[nodiscard]] QString localizedActionName(const QString &action) const override
    {
        if (action == kAnswerYesAction)
            return QStringLiteral("Rispondi sì");
        if (action == kTakeBackAction)
            return QStringLiteral("Togli la risposta");
        return {};
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

// Pictures are graphics; the introduction's frame groups its controls.
class PictureAccessible final : public QAccessibleWidget {
public:
    explicit PictureAccessible(Picture *picture)
        : QAccessibleWidget(picture, picture->role() == Picture::Role::Frame ? QAccessible::Grouping
                                                                             : QAccessible::Graphic)
    {
    }
};

QAccessibleInterface *accessibleFactory(const QString &, QObject *object)
{
    if (auto *label = qobject_cast<Label *>(object); label && label->presentsAsCheckBox())
        return new QuestionAccessible(label);
    if (auto *picture = qobject_cast<Picture *>(object))
        return new PictureAccessible(picture);
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

} // namespace tervanel::qt
