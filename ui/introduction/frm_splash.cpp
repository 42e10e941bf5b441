#include "ui/introduction/frm_splash.hpp"
#include "ui/services/text.hpp"

#include "app/identity.hpp"
#include "ui/services/look.hpp"
#include "ui/services/runtime.hpp"
#include "ui/services/window_frame.hpp"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace tervanel::ui {

namespace {

// The introduction: the sentence, two empty lines, the invitation indented by 13
// blanks, one empty line, the request, two empty lines, the address indented by 31.
QString introductionText()
{
    const QString cr(QLatin1Char('\r'));
    return QStringLiteral(
               "Capita spesso di avere dei dolori alle gambe e di non capire a cosa siano "
               "dovuti e di non sapere da quale specialista andare.")
           + cr + cr + cr + QString(13, QLatin1Char(' '))
           + QStringLiteral("Fate questo test e ne saprete di più !!!!") + cr + cr
           + QStringLiteral("Per ulteriori chiarimenti mandate una e-mail a:") + cr + cr + cr
           + QString(31, QLatin1Char(' ')) + toQString(identity::kInfoEmail);
}

} // namespace

FrmSplash::FrmSplash(QWidget &questionnaire)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_questionnaire(questionnaire)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFont(dialogFont());
    setFixedSize(pixels(kSplashWidth), pixels(kSplashHeight));
    m_controls.build(*this, kSplashControls);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);

    using enum SplashControl;
    m_controls.picture(Image1).setPicture(QStringLiteral(":/portrait.jpg"));
    m_controls.widget(Image1).setAccessibleName(toQString(kPortraitDescription));
    m_controls.widget(Frame1).setAccessibleName(toQString(kSplashDescription));
    setAccessibleName(toQString(kSplashDescription));
    for (SplashControl dismissing : {Frame1, Image1})
        connect(&m_controls.picture(dismissing), &Picture::clicked, this,
                [this] { runtime::handle([this] { dismiss(); }); });
    for (SplashControl dismissing : {Label1, Label2})
        connect(&m_controls.label(dismissing), &Label::clicked, this,
                [this] { runtime::handle([this] { dismiss(); }); });
    connect(&m_controls.button(Command1), &QPushButton::clicked, this,
            [this] { runtime::handle([this] { dismiss(); }); });
    // Label3, " by Dorvik", and the window's own surface have no handler.

    // Centred: the window's client area, which has no title bar above it.
    QRect centred = rect();
    centred.moveCenter(QGuiApplication::primaryScreen()->geometry().center());
    setGeometry(centred);
    useBorderWithoutTitle(*this);

    runtime::handle([this] { load(); });
}

void FrmSplash::load()
{
    using enum SplashControl;
    text1 = introductionText();
    text2 = QStringLiteral("Realizzato da: Dr. Eldrano VESCANDI");
    m_controls.label(Label1).setCaption(text1);
    m_controls.label(Label2).setCaption(text2);
    m_controls.setText(Command1, "   OK   ");
}

void FrmSplash::dismiss()
{
    if (m_unloaded)
        return;
    // Unload: the window leaves the screen now and is destroyed once this handler is
    // done; until then it takes no further events.
    m_unloaded = true;
    hide();
    deleteLater();
    runtime::showWindow(m_questionnaire);
}

void FrmSplash::onKeyPress()
{
    dismiss(); // whatever the character
}

bool FrmSplash::eventFilter(QObject *watched, QEvent *event)
{
    // Key preview: every key reaches the window before the control that has the focus.
    if (event->type() == QEvent::KeyPress) {
        if (!static_cast<const QKeyEvent &>(*event).text().isEmpty()) {
            runtime::handle([this] { onKeyPress(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmSplash::keyPressEvent(QKeyEvent *event)
{
    if (event->text().isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    runtime::handle([this] { onKeyPress(); });
}

void FrmSplash::closeEvent(QCloseEvent *event)
{
    // No close box and no system menu: the user leaves the window only by dismissing it,
    // so a close from the window manager is refused. A close that does not come from the
    // window system (the application quitting, at a logout say) goes through.
    if (event->spontaneous())
        event->ignore();
}

} // namespace tervanel::ui
