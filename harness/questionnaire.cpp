#include "harness/questionnaire.hpp"

#include "core/scoring.hpp"
#include "forms/introduction/frm_splash.hpp"
#include "harness/answers.hpp"
#include "harness/harness.hpp"
#include "platform/qt/services.hpp"
#include "platform/qt/window.hpp"
#include "services/runtime.hpp"

#include <QCoreApplication>
#include <QPushButton>

#include <chrono>
#include <stdexcept>
#include <string>

namespace tervanel::harness {

namespace runtime = services::runtime;

namespace {

QPushButton &button(services::Window &window, std::size_t control)
{
    return qt::qtWindow(harness::platformOf(window)).button(control);
}

qt::Services &qtServices()
{
    static qt::Services services;
    return services;
}

} // namespace

void prepareOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    quietOffscreenWarnings();
}

Questionnaire::Questionnaire()
    : m_recorder(&qtServices())
{
    m_recorder.keepRecords = false;
    m_form = std::make_unique<forms::Form1>();
    forms::FrmSplash *splash = m_form->splash();
    if (!splash)
        throw std::runtime_error("the questionnaire did not bring up its introduction");
    button(splash->window(), services::rowOf(forms::SplashControl::Command1)).click();
    settle();
    if (m_form->splash()
        || !qt::qtWindow(harness::platformOf(m_form->window())).widget().isVisible())
        throw std::runtime_error("the introduction did not give way to the questionnaire");
}

Questionnaire::~Questionnaire()
{
    m_form.reset();
    settle();
}

void Questionnaire::setAnswers(std::uint32_t mask) const
{
    for (int n = 1; n <= kQuestionCount; ++n)
        m_form->controls().setBold(forms::questionLabel(n), ((mask >> (n - 1)) & 1U) != 0);
}

void Questionnaire::press() const
{
    button(m_form->window(), services::rowOf(forms::Form1Control::Command1)).click();
}

void Questionnaire::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

PressRun pressRepeatedly(Questionnaire &window, long presses, long settledAfter)
{
    PressRun run;
    const long boxesBefore = window.boxes();
    const long beepsBefore = window.beeps();
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < presses; ++i) {
        const std::uint32_t mask = sheetForPress(i);
        const Scores scores = score(AnswerSheet::fromMask(mask));
        run.uncertainSheets += holds(VerdictStep::Uncertain, scores) ? 1 : 0;
        run.unansweredSheets += holds(VerdictStep::NoAnswer, scores) ? 1 : 0;
        window.setAnswers(mask);
        window.press();
        Questionnaire::settle();
        if (i + 1 == settledAfter) {
            run.peakSettledKiB = peakMemoryKiB();
            run.residentSettledKiB = residentMemoryKiB();
        }
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakEndKiB = peakMemoryKiB();
    run.residentEndKiB = residentMemoryKiB();
    run.boxes = window.boxes() - boxesBefore;
    run.beeps = window.beeps() - beepsBefore;
    return run;
}

} // namespace tervanel::harness
