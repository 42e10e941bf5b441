#include "forms/questionnaire/form1.hpp"

#include "core/identity.hpp"
#include "forms/introduction/frm_splash.hpp"
#include "services/deferred_window.hpp"
#include "services/runtime.hpp"

#include <string>

namespace tervanel::forms {

namespace {

// The window's rows as it is created: the question labels take their texts from the
// question catalogue.
const std::array<services::ControlRow, kForm1Rows.size()> &rows()
{
    static const auto rows = [] {
        auto filled = kForm1Rows;
        for (const Question &q : questions())
            filled.at(services::rowOf(questionLabel(q.number))).text = q.text;
        return filled;
    }();
    return rows;
}

std::unique_ptr<services::Window> createWindow(services::WindowEvents &events)
{
    const std::string caption = "Tervanel by " + std::string(identity::kWebAddress);
    const services::WindowDescription description{
        .id = "Form1",
        .caption = caption,
        .spokenName = {},
        .frame = services::WindowFrame::Main,
        .placement = services::Placement::FrameAtScreenTopLeft,
        .width = kForm1Width,
        .height = kForm1Height,
        .back = kForm1Background,
        .font = kForm1Font,
        .keyPreview = false,
        .controls = rows(),
    };
    // Hidden behind the introduction until dismissed: made once the introduction is on
    // screen, so that the first window does not wait for the questionnaire's controls.
    return std::make_unique<services::DeferredWindow>(services::runtime::services(), description,
                                                      events);
}

} // namespace

Form1::Form1()
    : m_window(createWindow(*this))
    , m_controls(*m_window, rows(), kForm1Width)
{
    using enum Form1Control;
    // The banner is decoded when an evaluation first shows it: start-up need not pay for it.
    m_controls.setToolTip(Picture1, identity::kWebAddress);
    m_controls.setDescription(Picture1, kBannerDescription);
    m_controls.setFocus(Command1);

    services::runtime::handle([this] { load(); });
}

Form1::~Form1() = default;

FrmSplash *Form1::splash() const
{
    return m_splash && !m_splash->isUnloaded() ? m_splash.get() : nullptr;
}

AnswerSheet Form1::answers() const
{
    AnswerSheet sheet;
    for (const Question &q : questions())
        sheet.set(q.number, m_controls.bold(questionLabel(q.number)));
    return sheet;
}

void Form1::click(std::size_t control) noexcept
{
    services::runtime::handle([this, control] {
        using enum Form1Control;
        const auto name = static_cast<Form1Control>(control);
        switch (name) {
        case Command1:
            onResponsoClicked();
            break;
        case Command2:
            onFineClicked();
            break;
        case Label_dorvik:
            onDorvikClicked();
            break;
        case Label_eldrano:
            onEldranoClicked();
            break;
        default:
            if (isQuestionLabel(name))
                onQuestionClicked(name);
            break; // the other controls have no click handler
        }
    });
}

void Form1::doubleClick(std::size_t control) noexcept
{
    const auto name = static_cast<Form1Control>(control);
    if (isQuestionLabel(name))
        services::runtime::handle([this, name] { onQuestionDoubleClicked(name); });
}

void Form1::keyPress(char32_t character) noexcept
{
    static_cast<void>(character); // the questionnaire has no key handler
}

void Form1::load()
{
    m_window->hide();
    if (!m_splash)
        m_splash = std::make_unique<FrmSplash>(*m_window);
    m_splash->window().show();
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
    services::runtime::end(0);
}

void Form1::onDorvikClicked()
{
    services::runtime::messageBox("Email:  " + std::string(identity::kAuthorEmail),
                                  MessageStyle::OkOnly, "Webmaster...");
}

void Form1::onEldranoClicked()
{
    services::runtime::messageBox("Email:  " + std::string(identity::kPhysicianEmail),
                                  MessageStyle::OkOnly, "Dr. Eldrano Vescandi...");
}

void Form1::highlight(Form1Control heading)
{
    m_controls.setBold(heading, true);
    m_controls.setForeColor(heading, kHighlightFore);
    m_controls.setBackColor(heading, kHighlightBack);
}

} // namespace tervanel::forms
