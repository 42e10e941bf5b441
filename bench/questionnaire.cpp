#include "bench/questionnaire.hpp"

#include "tests/support/harness.hpp"

#include "ui/introduction/frm_splash.hpp"
#include "ui/services/runtime.hpp"

#include <QCoreApplication>
#include <QPushButton>

#include <stdexcept>
#include <string>

namespace tervanel::bench {

namespace {

QPushButton &button(QWidget &widget)
{
    return static_cast<QPushButton &>(widget);
}

} // namespace

void prepareOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    harness::quietOffscreenWarnings();
}

Questionnaire::Questionnaire()
{
    ui::runtime::resetEnded();
    ui::runtime::setMessageBoxResponder(
        [this](const ui::runtime::MessageBoxRequest &) { ++m_boxes; });
    ui::runtime::setBeepObserver([this] { ++m_beeps; });
    ui::runtime::setEndObserver([](int) {});
    m_form = std::make_unique<ui::Form1>();
    ui::FrmSplash *splash = m_form->splash();
    if (!splash)
        throw std::runtime_error("the questionnaire did not bring up its introduction");
    button(splash->controls().widget(ui::SplashControl::Command1)).click();
    settle();
    if (m_form->splash() || !m_form->isVisible())
        throw std::runtime_error("the introduction did not give way to the questionnaire");
}

Questionnaire::~Questionnaire()
{
    m_form.reset();
    settle();
    ui::runtime::setMessageBoxResponder({});
    ui::runtime::setBeepObserver({});
    ui::runtime::setEndObserver({});
}

void Questionnaire::setAnswers(std::uint32_t mask) const
{
    for (std::size_t i = 0; i < ui::kQuestionLabels.size(); ++i)
        m_form->controls().setBold(ui::kQuestionLabels[i], ((mask >> i) & 1U) != 0);
}

void Questionnaire::press() const
{
    button(m_form->controls().widget(ui::Form1Control::Command1)).click();
}

void Questionnaire::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

long ownPeakKiB()
{
    return harness::peakMemoryKiB();
}

long ownResidentKiB()
{
    return harness::residentMemoryKiB();
}

} // namespace tervanel::bench
