#include "platform/qt/window.hpp"

#include "platform/qt/accessibility.hpp"
#include "platform/qt/colors.hpp"
#include "platform/qt/convert.hpp"
#include "platform/qt/look.hpp"
#include "platform/qt/window_frame.hpp"
#include "services/gestures.hpp"

#include <QAccessible>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QScreen>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace tervanel::qt {

namespace {

using services::ControlKind;
namespace gestures = services::gestures;

// Where a control keeps its row and kind, and a window its frame, for screen readers.
constexpr const char *kRowProperty = "tervanelRow";
constexpr const char *kKindProperty = "tervanelKind";
constexpr const char *kFrameProperty = "tervanelFrame";

gestures::Key keyOf(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Return:
        return gestures::Key::Enter;
    case Qt::Key_Enter:
        return gestures::Key::KeypadEnter;
    case Qt::Key_Space:
        return gestures::Key::Space;
    case Qt::Key_Tab:
        return gestures::Key::Tab;
    case Qt::Key_Backtab:
        return gestures::Key::BackTab;
    default:
        return gestures::Key::Other;
    }
}

gestures::KeyPress pressOf(const QKeyEvent &key)
{
    const Qt::KeyboardModifiers others =
        key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier | Qt::GroupSwitchModifier);
    return {keyOf(key), !key.text().isEmpty(), key.isAutoRepeat(), others != Qt::NoModifier};
}

Qt::WindowFlags flagsOf(services::WindowFrame frame)
{
    switch (frame) {
    case services::WindowFrame::Main:
        return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
               | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
               | Qt::MSWindowsFixedSizeDialogHint;
    case services::WindowFrame::Dialog:
        break;
    }
    return Qt::Window | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint;
}

// The top-level widget: the frame's close box and, with key preview, the keys.
class TopLevel final : public QWidget {
public:
    TopLevel(const services::WindowDescription &description, services::WindowEvents &events)
        : QWidget(nullptr, flagsOf(description.frame))
        , m_events(&events)
        , m_closable(description.frame == services::WindowFrame::Main)
        , m_keyPreview(description.keyPreview)
    {
        setProperty(kProgramWindowProperty, true);
        setProperty(kFrameProperty, static_cast<int>(description.frame));
    }

    // What the user did on a control, or asked of it through a screen reader, as the
    // program's gestures deliver it; nothing once the window is unloaded.
    void deliver(std::size_t row, gestures::Gesture gesture, ControlKind kind)
    {
        if (m_events)
            gestures::deliver(*m_events, row, gesture, kind, QAccessible::isActive());
    }
    void perform(std::size_t row, services::accessibility::Action action)
    {
        if (m_events)
            gestures::perform(*m_events, row, action);
    }

    // While the toolkit takes the window apart after this, it is no longer one of the
    // program's windows (screen readers must not be given a new view of it then).
    ~TopLevel() override { setProperty(kProgramWindowProperty, QVariant()); }

    // Key preview: every key reaches the window before the control that has the focus.
    void watchKeys()
    {
        if (!m_keyPreview)
            return;
        for (QWidget *child : findChildren<QWidget *>())
            child->installEventFilter(this);
    }

    // After an unload the window delivers no further events.
    void stopEvents()
    {
        m_events = nullptr;
        // Only the controls' own connections to the handlers (their context is the
        // control itself): a bare disconnect() would also cut the toolkit's watch on
        // their destruction, and the accessibility cache would keep the interfaces of
        // deleted controls for whatever object comes next at the same address.
        for (QWidget *child : findChildren<QWidget *>())
            QObject::disconnect(child, nullptr, child, nullptr);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && deliverKey(static_cast<QKeyEvent &>(*event)))
            return true;
        return QWidget::eventFilter(watched, event);
    }

    // Keys that the control with the focus leaves unused: on a question, Space and Enter.
    void keyPressEvent(QKeyEvent *event) override
    {
        if (!deliverKey(*event) && !deliverQuestionKey(*event))
            QWidget::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent *event) override
    {
        // A window without a close box is left only as the program says: a close from the
        // window manager is refused. A close that does not come from the window system (the
        // application quitting, at a logout say) goes through.
        if (!m_closable && event->spontaneous())
            event->ignore();
    }

private:
    bool deliverKey(const QKeyEvent &key)
    {
        if (gestures::effectOf(pressOf(key), m_keyPreview, std::nullopt)
            != gestures::KeyEffect::Preview)
            return false;
        if (!m_events)
            return true;
        const QString text = key.text();
        const char32_t character = text.at(0).isHighSurrogate() && text.size() > 1
                                       ? QChar::surrogateToUcs4(text.at(0), text.at(1))
                                       : text.at(0).unicode();
        m_events->keyPress(character);
        return true;
    }

    // Space toggles the focused question's answer, Enter presses the first button.
    bool deliverQuestionKey(const QKeyEvent &key)
    {
        const auto *question = qobject_cast<const Label *>(focusWidget());
        if (!question || !question->presentsAsCheckBox())
            return false;
        switch (gestures::effectOf(pressOf(key), m_keyPreview, ControlKind::QuestionLabel)) {
        case gestures::KeyEffect::ToggleAnswer:
            if (m_events)
                gestures::toggle(*m_events, question->property(kRowProperty).toULongLong(),
                                 question->isBold());
            return true;
        case gestures::KeyEffect::PressDefault:
            if (m_defaultButton)
                m_defaultButton->click(); // as a dialog's default button is pressed
            return true;
        default:
            return false;
        }
    }

    services::WindowEvents *m_events;
    bool m_closable;
    bool m_keyPreview;

public:
    QPointer<QPushButton> m_defaultButton; // what Enter on a question presses
};

// A push button that Enter and keypad Enter press while it has the focus, as Space does.
// Qt gives Enter to push buttons only in dialogs, through the default button; here no
// button is the window's default, so the focused one takes it.
class PushButton final : public QPushButton {
public:
    explicit PushButton(QWidget *parent)
        : QPushButton(parent)
    {
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        // Space stays the toolkit's: pressed down, clicked on release.
        const gestures::KeyPress press = pressOf(*event);
        const bool enter =
            press.key == gestures::Key::Enter || press.key == gestures::Key::KeypadEnter;
        if (enter && !press.otherModifiers) {
            if (gestures::effectOf(press, false, ControlKind::PushButton)
                == gestures::KeyEffect::PressFocused)
                click();
            event->accept();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

} // namespace

Window::Window(const services::WindowDescription &description, services::WindowEvents &events)
    : m_events(events)
{
    auto *window = new TopLevel(description, events);
    m_window = window;
    window->setObjectName(toQString(description.id));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    if (!description.caption.empty())
        window->setWindowTitle(toQString(description.caption));
    if (!description.spokenName.empty())
        window->setAccessibleName(toQString(description.spokenName));
    // With more contrast a window without a ground of its own is white too.
    if (const std::optional<services::VbColor> back =
            services::palette::ground(description.back, colorScheme())) {
        QPalette p = window->palette();
        p.setColor(QPalette::Window, toQColor(*back));
        window->setPalette(p);
        window->setAutoFillBackground(true);
    }
    window->setFont(dialogFont(description.font.points, description.font.bold));
    window->setFixedSize(services::pixels(description.width), services::pixels(description.height));

    build(description);
    window->watchKeys();

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    switch (description.placement) {
    case services::Placement::FrameAtScreenTopLeft:
        window->move(screen.topLeft());
        break;
    case services::Placement::CentredOnScreen: {
        // The client area, which has no title bar above it.
        QRect centred = window->rect();
        centred.moveCenter(screen.center());
        window->setGeometry(centred);
        break;
    }
    }
    if (description.frame == services::WindowFrame::Dialog)
        useBorderWithoutTitle(*window);
}

Window::~Window()
{
    delete m_window.data();
}

void Window::build(const services::WindowDescription &description)
{
    const std::span<const services::ControlRow> rows = description.controls;
    m_controls.assign(rows.size(), nullptr);
    auto *window = static_cast<TopLevel *>(m_window.data());

    for (std::size_t i = 0; i < rows.size(); ++i) {
        const services::ControlRow &row = rows[i];
        QWidget *parent = row.parent ? m_controls.at(*row.parent) : m_window.data();
        QWidget *control = nullptr;
        const auto mark = [&row, i](QWidget &widget) {
            widget.setProperty(kRowProperty, static_cast<qulonglong>(i));
            widget.setProperty(kKindProperty, static_cast<int>(row.kind));
        };

        switch (row.kind) {
        case ControlKind::Label:
        case ControlKind::QuestionLabel: {
            auto *label = new Label(parent, row.kind == ControlKind::QuestionLabel);
            mark(*label); // before anything tells screen readers of it
            if (row.align == services::Align::Centre)
                label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
            if (row.back)
                label->setBackColor(*row.back);
            if (row.fore)
                label->setForeColor(*row.fore);
            label->setCaption(toQString(row.text));
            const ControlKind kind = row.kind;
            QObject::connect(label, &Label::clicked, label, [window, i, kind] {
                window->deliver(i, gestures::Gesture::Click, kind);
            });
            QObject::connect(label, &Label::doubleClicked, label, [window, i, kind] {
                window->deliver(i, gestures::Gesture::DoubleClick, kind);
            });
            QObject::connect(label, &Label::rightClicked, label, [window, i, kind] {
                window->deliver(i, gestures::Gesture::RightClick, kind);
            });
            control = label;
            break;
        }
        case ControlKind::PushButton: {
            auto *button = new PushButton(parent);
            mark(*button);
            button->setText(toQString(row.text));
            // No button is the window's default (Enter) or cancel (Esc) button.
            button->setAutoDefault(false);
            button->setDefault(false);
            button->setFocusPolicy(Qt::StrongFocus);
            QObject::connect(button, &QPushButton::clicked, button,
                             [this, i] { m_events.click(i); });
            control = button;
            break;
        }
        case ControlKind::PictureBox: {
            auto *box = new Picture(parent, PictureFit::NaturalSize);
            mark(*box);
            box->setFrameStyle(QFrame::WinPanel | QFrame::Sunken); // two pixels on each side
            box->setFocusPolicy(Qt::StrongFocus);
            if (row.back) {
                QPalette p = box->palette();
                p.setColor(QPalette::Window, shownColor(*row.back));
                box->setPalette(p);
                box->setAutoFillBackground(true);
            }
            control = box;
            break;
        }
        case ControlKind::Image:
            control = new Picture(parent, PictureFit::Stretch);
            mark(*control);
            break;
        case ControlKind::Frame: {
            auto *frame = new Picture(parent, PictureFit::NaturalSize);
            mark(*frame);
            frame->setFrameStyle(QFrame::Box | QFrame::Sunken); // an etched line
            control = frame;
            break;
        }
        }
        if (auto *picture = qobject_cast<Picture *>(control)) {
            const ControlKind kind = row.kind;
            QObject::connect(picture, &Picture::clicked, picture, [window, i, kind] {
                window->deliver(i, gestures::Gesture::Click, kind);
            });
        }

        control->setObjectName(toQString(row.id));
        if (row.font)
            control->setFont(dialogFont(row.font->points, row.font->bold));
        control->setGeometry(toQRect(row.geometry));
        m_controls[i] = control;
    }

    const std::vector<std::size_t> order = gestures::tabOrder(rows);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(m_controls[order[i - 1]], m_controls[order[i]]);
    if (const std::optional<std::size_t> button = gestures::defaultButton(rows))
        window->m_defaultButton = static_cast<QPushButton *>(m_controls[*button]);
}

QWidget &Window::widget() const
{
    return *m_window;
}

QWidget &Window::widget(std::size_t control) const
{
    return *m_controls.at(control);
}

Label &Window::label(std::size_t control) const
{
    return static_cast<Label &>(widget(control));
}

Picture &Window::picture(std::size_t control) const
{
    return static_cast<Picture &>(widget(control));
}

QPushButton &Window::button(std::size_t control) const
{
    return static_cast<QPushButton &>(widget(control));
}

void Window::show()
{
    QWidget &window = widget();
    window.show();
    window.raise();
    window.activateWindow();
    windowShown(window);
}

void Window::hide()
{
    widget().hide();
}

void Window::unload()
{
    auto &window = static_cast<TopLevel &>(widget());
    window.hide();
    window.stopEvents();
    window.deleteLater(); // once the running handler is done
    m_window.clear();
    m_controls.clear();
}

void Window::setText(std::size_t control, std::string_view text)
{
    if (auto *pushButton = qobject_cast<QPushButton *>(&widget(control)))
        pushButton->setText(toQString(text));
    else
        label(control).setCaption(toQString(text));
}

void Window::setVisible(std::size_t control, bool visible)
{
    widget(control).setVisible(visible);
}

bool Window::bold(std::size_t control) const
{
    return label(control).isBold();
}

void Window::setBold(std::size_t control, bool bold)
{
    label(control).setBold(bold);
}

void Window::setForeColor(std::size_t control, services::VbColor color)
{
    label(control).setForeColor(color);
}

void Window::setBackColor(std::size_t control, services::VbColor color)
{
    label(control).setBackColor(color);
}

void Window::setPicture(std::size_t control, services::PictureId picture)
{
    this->picture(control).setPicture(picture);
}

bool Window::hasPicture(std::size_t control) const
{
    return !picture(control).picture().isNull();
}

bool Window::isVisible() const
{
    return m_window && m_window->isVisible();
}

void Window::announce(std::string_view words)
{
    tervanel::qt::announce(widget(), toQString(words));
}

void Window::setFocus(std::size_t control)
{
    widget(control).setFocus();
}

void Window::setToolTip(std::size_t control, std::string_view text)
{
    widget(control).setToolTip(toQString(text));
}

void Window::setDescription(std::size_t control, std::string_view text)
{
    widget(control).setAccessibleName(toQString(text));
}

std::optional<services::ControlKind> controlKindOf(const QWidget &control)
{
    const QVariant kind = control.property(kKindProperty);
    if (!kind.isValid())
        return std::nullopt;
    return static_cast<services::ControlKind>(kind.toInt());
}

services::WindowFrame frameOf(const QWidget &window)
{
    return static_cast<services::WindowFrame>(window.property(kFrameProperty).toInt());
}

void performAction(QWidget &control, services::accessibility::Action action)
{
    auto *window = dynamic_cast<TopLevel *>(control.window());
    const auto kind = controlKindOf(control);
    if (window && kind)
        window->perform(control.property(kRowProperty).toULongLong(), action);
}

Window &qtWindow(services::Window &window)
{
    return dynamic_cast<Window &>(window);
}

} // namespace tervanel::qt
