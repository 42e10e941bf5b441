#include "ui/questionnaire/form1.hpp"
#include "ui/services/text.hpp"

#include "app/identity.hpp"
#include "ui/introduction/frm_splash.hpp"
#include "ui/services/look.hpp"
#include "ui/services/runtime.hpp"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include <string>

namespace tervanel::ui {

Form1::Form1()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    using enum Form1Control;

    setWindowTitle(QStringLiteral("Tervanel by ") + toQString(identity::kWebAddress));
    QPalette p = palette();
    p.setColor(QPalette::Window, kForm1Background.toQColor());
    setPalette(p);
    setAutoFillBackground(true);
    setFont(dialogFont(kForm1Font.points, kForm1Font.bold));
    setFixedSize(pixels(kForm1Width), pixels(kForm1Height));
    // The frame, not the client area, goes to the screen's top-left corner.
    move(QGuiApplication::primaryScreen()->geometry().topLeft());

    m_controls.build(*this, kForm1Controls);
    for (const Question &q : questions())
        m_controls.label(kQuestionLabels.at(static_cast<std::size_t>(q.number - 1)))
            .setCaption(toQString(q.text));
    // The banner is decoded when an evaluation first shows it: start-up need not pay for it.
    Picture &banner = m_controls.picture(Picture1);
    banner.setToolTip(toQString(identity::kWebAddress));
    banner.setAccessibleName(toQString(kBannerDescription));
    m_controls.widget(Command1).setFocus();

    for (Form1Control question : kQuestionLabels) {
        const Label &label = m_controls.label(question);
        connect(&label, &Label::clicked, this,
                [this, question] { runtime::handle([&] { onQuestionClicked(question); }); });
        connect(&label, &Label::doubleClicked, this,
                [this, question] { runtime::handle([&] { onQuestionDoubleClicked(question); }); });
    }
    connect(&m_controls.button(Command1), &QPushButton::clicked, this,
            [this] { runtime::handle([this] { onResponsoClicked(); }); });
    connect(&m_controls.button(Command2), &QPushButton::clicked, this,
            [this] { runtime::handle([this] { onFineClicked(); }); });
    connect(&m_controls.label(Label_dorvik), &Label::clicked, this,
            [this] { runtime::handle([this] { onDorvikClicked(); }); });
    connect(&m_controls.label(Label_eldrano), &Label::clicked, this,
            [this] { runtime::handle([this] { onEldranoClicked(); }); });

    runtime::handle([this] { load(); });
}

Form1::~Form1()
{
    delete m_splash; // the introduction has no owner; it ends with the program
}

FrmSplash *Form1::splash() const
{
    return m_splash;
}

AnswerSheet Form1::answers() const
{
    AnswerSheet sheet;
    for (const Question &q : questions())
        sheet.set(q.number,
                  m_controls.bold(kQuestionLabels.at(static_cast<std::size_t>(q.number - 1))));
    return sheet;
}

void Form1::load()
{
    hide();
    if (!m_splash)
        m_splash = new FrmSplash(*this);
    runtime::showWindow(*m_splash);
    for (Form1Control control : kResultControls)
        m_controls.hide(control);
}

void Form1::onQuestionClicked(Form1Control question)
{
    m_controls.setBold(question, true);
}

void Form1::onQuestionDoubleClicked(Form1Control question)
{
    m_controls.setBold(question, false);
}

void Form1::onFineClicked()
{
    runtime::end(0);
}

void Form1::onDorvikClicked()
{
    runtime::messageBox("Email:  " + std::string(identity::kAuthorEmail), MessageStyle::OkOnly,
                        "Webmaster...");
}

void Form1::onEldranoClicked()
{
    runtime::messageBox("Email:  " + std::string(identity::kPhysicianEmail), MessageStyle::OkOnly,
                        "Dr. Eldrano Vescandi...");
}

void Form1::highlight(Form1Control heading)
{
    m_controls.setBold(heading, true);
    m_controls.setForeColor(heading, colors::red);
    m_controls.setBackColor(heading, colors::white);
}

} // namespace tervanel::ui
