#include "platform/qt/accessibility.hpp"

#include "platform/qt/convert.hpp"
#include "platform/qt/label.hpp"
#include "platform/qt/picture.hpp"
#include "platform/qt/window.hpp"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <tuple>
#include <vector>

#ifdef TERVANEL_HAS_QTDBUS
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#endif

namespace tervanel::qt {

namespace {

void notify(QObject *object, QAccessible::Event type)
{
    QAccessibleEvent event(object, type);
    QAccessible::updateAccessibility(&event);
}

// What a change on a window said, spoken by screen readers once the handler that
// made it is over: a notification that nothing draws. Orca presents a notification
// when it starts showing; a label that appears is not presented by itself.
class Notice final : public QObject {
public:
    explicit Notice(QWidget &window)
        : QObject(&window)
        , m_window(window)
    {
    }

    [[nodiscard]] const QString &text() const { return m_text; }
    [[nodiscard]] QWidget &window() const { return m_window; }

    void note(Label &label)
    {
        if (std::find(m_changed.begin(), m_changed.end(), &label) == m_changed.end())
            m_changed.emplace_back(&label);
        if (!m_due) {
            m_due = true;
            QMetaObject::invokeMethod(this, &Notice::announce, Qt::QueuedConnection);
        }
    }

private:
    void announce();

    QWidget &m_window;
    std::vector<QPointer<Label>> m_changed;
    QString m_text;
    bool m_due = false;
};

class NoticeAccessible final : public QAccessibleObject {
public:
    explicit NoticeAccessible(Notice *notice)
        : QAccessibleObject(notice)
    {
    }

    [[nodiscard]] QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(&notice().window());
    }
    [[nodiscard]] QAccessibleInterface *child(int) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::Notification; }

    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? notice().text() : QString();
    }

    // Never on screen: flat review reads the labels themselves.
    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = true;
        s.readOnly = true;
        return s;
    }

private:
    [[nodiscard]] Notice &notice() const { return static_cast<Notice &>(*object()); }
};

// Reading order: the left half of the window top to bottom, each row left to right,
// then the right half (the explanations' column) the same way.
bool readsBefore(const Label *a, const Label *b)
{
    const int middle = a->window()->width() / 2;
    const auto key = [middle](const Label *l) {
        const QPoint at = l->mapTo(l->window(), QPoint(0, 0));
        return std::tuple(at.x() >= middle, at.y(), at.x());
    };
    return key(a) < key(b);
}

// A question is confirmed with the words screen readers use for a check box; any
// other label is read as shown, if it is on screen and not empty.
QString spokenText(const Label &label)
{
    if (label.presentsAsCheckBox())
        return (label.isBold() ? QStringLiteral("spuntata ") : QStringLiteral("non spuntata "))
               + label.text();
    if (label.isHidden() || label.caption().isEmpty())
        return {};
    return displayText(label.caption());
}

void Notice::announce()
{
    m_due = false;
    std::vector<const Label *> changed;
    for (const QPointer<Label> &label : m_changed)
        if (label)
            changed.push_back(label.data());
    m_changed.clear();
    std::stable_sort(changed.begin(), changed.end(), readsBefore);
    QStringList parts;
    for (const Label *label : changed)
        if (const QString part = spokenText(*label); !part.isEmpty())
            parts.append(part);
    if (parts.isEmpty())
        return;
    m_text = parts.join(QLatin1Char('\n'));
    notify(this, QAccessible::NameChanged);
    notify(this, QAccessible::ObjectShow);
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
            return widget()->isHidden() ? QString() : displayText(label().caption());
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
// accessible name. Its notice is its last child.
class WindowAccessible final : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget *window)
        : QAccessibleWidget(window,
                            window->windowType() == Qt::Dialog
                                    || !window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint)
                                ? QAccessible::Dialog
                                : QAccessible::Window)
        , m_notice(new Notice(*window))
    {
    }

    [[nodiscard]] int childCount() const override { return QAccessibleWidget::childCount() + 1; }

    [[nodiscard]] QAccessibleInterface *child(int index) const override
    {
        if (index == QAccessibleWidget::childCount())
            return QAccessible::queryAccessibleInterface(m_notice);
        return QAccessibleWidget::child(index);
    }

    [[nodiscard]] int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child && child->object() == m_notice)
            return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }

private:
    Notice *m_notice;
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

// The program's own windows carry a mark (not while they are being taken apart);
// message boxes, tool tips and the toolkit's other windows keep the toolkit's
// presentation.
bool isProgramWindow(const QObject *object)
{
    return object->isWidgetType() && static_cast<const QWidget *>(object)->isWindow()
           && object->property(kProgramWindowProperty).toBool();
}

QAccessibleInterface *accessibleFactory(const QString &, QObject *object)
{
    if (auto *notice = dynamic_cast<Notice *>(object))
        return new NoticeAccessible(notice);
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

// Notes a change on a window that the user sees, for its notice.
void note(Label &label)
{
    QWidget *window = label.window();
    if (!window->isVisible() || !isProgramWindow(window))
        return;
    QAccessible::queryAccessibleInterface(window); // makes the window's notice
    for (QObject *child : window->children())
        if (auto *notice = dynamic_cast<Notice *>(child))
            notice->note(label);
}

// The toolkit's bridge tells AT-SPI only "showing" when a widget is shown or hidden,
// so screen readers that keep the states they were told (Orca does) go on taking a
// label that appears for invisible, and leave it out of flat review. This sends the
// "visible" state alongside, on the bridge's own connection to the accessibility bus
// ("a11y"), from the object path the bridge gives the label.
void sendVisibleState(QWidget &widget)
{
#ifdef TERVANEL_HAS_QTDBUS
    QDBusConnection bus(QStringLiteral("a11y"));
    if (!QAccessible::isActive() || !bus.isConnected())
        return;
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&widget);
    if (!iface)
        return;
    const QString path = QStringLiteral("/org/a11y/atspi/accessible/")
                         + QString::number(QAccessible::uniqueId(iface));
    QDBusMessage signal = QDBusMessage::createSignal(
        path, QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("StateChanged"));
    QDBusArgument application;
    application.beginStructure();
    application << bus.baseService()
                << QDBusObjectPath(QStringLiteral("/org/a11y/atspi/accessible/root"));
    application.endStructure();
    signal << QStringLiteral("visible") << (widget.isVisible() ? 1 : 0) << 0
           << QVariant::fromValue(QDBusVariant(0)) << QVariant::fromValue(application);
    bus.send(signal);
#else
    static_cast<void>(widget);
#endif
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
    note(label);
}

void visibilityChanged(Label &label)
{
    if (label.presentsAsCheckBox())
        return;
    notify(&label, QAccessible::NameChanged); // a hidden label has no name
    sendVisibleState(label);
    if (!label.isHidden())
        note(label);
}

void answerSet(Label &label, bool changed)
{
    if (changed) {
        QAccessible::State checked;
        checked.checked = true;
        QAccessibleStateChangeEvent event(&label, checked);
        QAccessible::updateAccessibility(&event);
    }
    note(label);
}

} // namespace tervanel::qt
