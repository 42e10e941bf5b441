#include "platform/qt/accessibility.hpp"

#include "platform/qt/convert.hpp"
#include "platform/qt/label.hpp"
#include "platform/qt/picture.hpp"
#include "platform/qt/window.hpp"
#include "services/accessibility.hpp"
#include "services/runtime.hpp"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>
#include <QPushButton>

#include <optional>
#include <string>

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

// The words the program announces for a window, spoken by screen readers once the
// handler that changed it is over: a notification that nothing draws. Orca presents
// a notification when it starts showing; a label that appears is not presented by
// itself.
class Notice final : public QObject {
public:
    explicit Notice(QWidget &window)
        : QObject(&window)
        , m_window(window)
    {
    }

    [[nodiscard]] const QString &text() const { return m_text; }
    [[nodiscard]] QWidget &window() const { return m_window; }

    // From the event loop, as the window services promise.
    void announce(const QString &words)
    {
        m_due = words;
        QMetaObject::invokeMethod(this, &Notice::deliver, Qt::QueuedConnection);
    }

private:
    void deliver()
    {
        if (m_due.isEmpty())
            return;
        m_text = m_due;
        m_due.clear();
        notify(this, QAccessible::NameChanged);
        notify(this, QAccessible::ObjectShow);
    }

    QWidget &m_window;
    QString m_text;
    QString m_due;
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

namespace a11y = services::accessibility;

QString toQString(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

// What the program decides a control is, from what the widget shows now.
a11y::Presentation presentationOf(const QWidget &widget, services::ControlKind kind)
{
    const std::string description = widget.accessibleName().toStdString();
    if (const auto *label = qobject_cast<const Label *>(&widget)) {
        const std::string caption = label->caption().toStdString();
        return a11y::present(kind, {caption, description, !label->isHidden(), label->isBold()});
    }
    if (const auto *button = qobject_cast<const QPushButton *>(&widget)) {
        const std::string caption = button->text().toStdString();
        return a11y::present(kind, {caption, description, !button->isHidden(), false});
    }
    return a11y::present(kind, {{}, description, !widget.isHidden(), false});
}

// An action's name as screen readers get it: the program's Italian words, or the
// toolkit's own press action.
QString nameOf(a11y::Action action)
{
    const std::string_view name = a11y::wordsOf(action).name;
    if (name.empty())
        return QAccessibleActionInterface::pressAction();
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QStringList actionNames(services::ControlKind kind)
{
    QStringList names;
    for (const a11y::Action action : a11y::actionsOf(kind))
        names.append(nameOf(action));
    return names;
}

std::optional<a11y::Action> actionNamed(services::ControlKind kind, const QString &name)
{
    for (const a11y::Action action : a11y::actionsOf(kind))
        if (name == nameOf(action))
            return action;
    return std::nullopt;
}

// A control of the program's windows: its role, name, state and actions are the
// program's; the toolkit adds position, visibility and focus.
class ControlAccessible final : public QAccessibleWidget {
public:
    ControlAccessible(QWidget *widget, services::ControlKind kind)
        : QAccessibleWidget(widget, qtRole(a11y::present(kind, {}).role))
        , m_kind(kind)
    {
    }

    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return toQString(presentationOf(*widget(), m_kind).name);
        return QAccessibleWidget::text(t);
    }

    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const a11y::Presentation p = presentationOf(*widget(), m_kind);
        if (p.checkable) {
            s.checkable = true;
            s.checked = p.checked;
        }
        s.focusable = p.focusable;
        if (const auto *button = qobject_cast<const QPushButton *>(widget())) {
            s.pressed = button->isDown();
            s.defaultButton = button->isDefault();
        }
        return s;
    }

    // The names themselves are Italian: the bridge hands screen readers the names,
    // not their translations.
    [[nodiscard]] QStringList actionNames() const override
    {
        QStringList names = tervanel::qt::actionNames(m_kind);
        if (m_kind == services::ControlKind::PushButton)
            names += QAccessibleWidget::actionNames();
        return names;
    }

    [[nodiscard]] QString localizedActionDescription(const QString &name) const override
    {
        const auto action = actionNamed(m_kind, name);
        if (action && !a11y::wordsOf(*action).description.empty())
            return QString::fromUtf8(a11y::wordsOf(*action).description);
        return QAccessibleWidget::localizedActionDescription(name);
    }

    void doAction(const QString &name) override
    {
        const auto action = actionNamed(m_kind, name);
        if (!action) {
            QAccessibleWidget::doAction(name);
            return;
        }
        if (auto *button = qobject_cast<QPushButton *>(widget())) {
            if (services::runtime::messageBoxOpen())
                return;
            // Animated, as the toolkit's own buttons do: the click lands from the event
            // loop, so the screen reader's request returns before any box it opens.
            button->animateClick();
            return;
        }
        performAction(*widget(), *action);
    }

    [[nodiscard]] QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    services::ControlKind m_kind;
};

// The questionnaire is the program's frame and the introduction a dialog. An untitled
// window is named by its accessible name. Its notice is its last child.
class WindowAccessible final : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget *window)
        : QAccessibleWidget(window, qtRole(a11y::roleOf(frameOf(*window))))
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
    if (!object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (isProgramWindow(widget))
        return new WindowAccessible(widget);
    if (!isProgramWindow(widget->window()))
        return nullptr;
    if (const auto kind = controlKindOf(*widget))
        return new ControlAccessible(widget, *kind);
    return nullptr;
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

QAccessible::Role qtRole(services::accessibility::Role role)
{
    switch (role) {
    case services::accessibility::Role::Frame:
        return QAccessible::Window;
    case services::accessibility::Role::Dialog:
        return QAccessible::Dialog;
    case services::accessibility::Role::CheckBox:
        return QAccessible::CheckBox;
    case services::accessibility::Role::StaticText:
        return QAccessible::StaticText;
    case services::accessibility::Role::PushButton:
        return QAccessible::Button;
    case services::accessibility::Role::Graphic:
        return QAccessible::Graphic;
    case services::accessibility::Role::Grouping:
        break;
    }
    return QAccessible::Grouping;
}

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    static_cast<void>(installed);
}

void announce(QWidget &window, const QString &words)
{
    if (!isProgramWindow(&window))
        return;
    QAccessible::queryAccessibleInterface(&window); // makes the window's notice
    for (QObject *child : window.children())
        if (auto *notice = dynamic_cast<Notice *>(child))
            notice->announce(words);
}

void captionChanged(Label &label)
{
    notify(&label, QAccessible::NameChanged);
}

void visibilityChanged(Label &label)
{
    if (label.presentsAsCheckBox())
        return;
    notify(&label, QAccessible::NameChanged); // a hidden label has no name
    sendVisibleState(label);
}

// Controls made while their window was hidden were told to screen readers as neither
// showing nor visible, and the toolkit's bridge tells of the window alone when it is
// shown: each control on screen with it says so now.
void windowShown(QWidget &window)
{
    if (!QAccessible::isActive())
        return;
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (!control->isVisible() || !controlKindOf(*control))
            continue;
        QAccessibleEvent shown(control, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
        sendVisibleState(*control);
    }
}

void answerChanged(Label &label)
{
    QAccessible::State checked;
    checked.checked = true;
    QAccessibleStateChangeEvent event(&label, checked);
    QAccessible::updateAccessibility(&event);
}

} // namespace tervanel::qt
