#include "forms/introduction/frm_splash.hpp"

#include "core/identity.hpp"
#include "services/runtime.hpp"

namespace tervanel::forms {

namespace {

// The introduction: the sentence, two empty lines, the invitation indented by 13
// blanks, one empty line, the request, two empty lines, the address indented by 31.
std::string introductionText()
{
    return "Capita spesso di avere dei dolori alle gambe e di non capire a cosa siano "
           "dovuti e di non sapere da quale specialista andare.\r\r\r"
           + std::string(13, ' ') + "Fate questo test e ne saprete di più !!!!\r\r"
           + "Per ulteriori chiarimenti mandate una e-mail a:\r\r\r" + std::string(31, ' ')
           + std::string(identity::kInfoEmail);
}

std::unique_ptr<services::Window> createWindow(services::WindowEvents &events)
{
    const services::WindowDescription description{
        .id = "frmSplash",
        .caption = {},
        .spokenName = kSplashDescription,
        .frame = services::WindowFrame::Dialog,
        .placement = services::Placement::CentredOnScreen,
        .width = kSplashWidth,
        .height = kSplashHeight,
        .back = {},
        .font = kSplashFont,
        .keyPreview = true,
        .controls = kSplashRows,
    };
    return services::runtime::services().createWindow(description, events);
}

} // namespace

FrmSplash::FrmSplash(services::Window &questionnaire)
    : m_questionnaire(questionnaire)
    , m_window(createWindow(*this))
    , m_controls(*m_window, kSplashRows, kSplashWidth)
{
    using enum SplashControl;
    m_controls.setPicture(Image1, services::PictureId::Portrait);
    m_controls.setDescription(Image1, kPortraitDescription);
    m_controls.setDescription(Frame1, kSplashDescription);

    services::runtime::handle([this] { load(); });
}

FrmSplash::~FrmSplash() = default;

void FrmSplash::load()
{
    using enum SplashControl;
    text1 = introductionText();
    text2 = "Realizzato da: Dr. Eldrano VESCANDI";
    m_controls.setText(Label1, text1);
    m_controls.setText(Label2, text2);
    m_controls.setText(Command1, "   OK   ");
}

void FrmSplash::click(std::size_t control) noexcept
{
    switch (static_cast<SplashControl>(control)) {
    case SplashControl::Frame1:
    case SplashControl::Image1:
    case SplashControl::Label1:
    case SplashControl::Label2:
    case SplashControl::Command1:
        services::runtime::handle([this] { dismiss(); });
        break;
    case SplashControl::Label3:
        break; // " by Dorvik", like the window's own surface, has no handler
    }
}

void FrmSplash::doubleClick(std::size_t control) noexcept
{
    static_cast<void>(control); // no double-click handler
}

void FrmSplash::keyPress(char32_t character) noexcept
{
    static_cast<void>(character);
    services::runtime::handle([this] { onKeyPress(); });
}

void FrmSplash::dismiss()
{
    if (m_unloaded)
        return;
    // Unload: the window leaves the screen now and is destroyed once this handler is
    // done; until then it takes no further events.
    m_unloaded = true;
    m_window->unload();
    m_questionnaire.show();
}

void FrmSplash::onKeyPress()
{
    dismiss(); // whatever the character
}

} // namespace tervanel::forms
