#pragma once

#include "core/questions.hpp"
#include "forms/questionnaire/form1_layout.hpp"
#include "services/controls.hpp"
#include "services/window_services.hpp"

#include <memory>
#include <string>

namespace tervanel::forms {

class FrmSplash;

// The questionnaire window. Creating it builds it from its layout through the installed
// window services and runs its load, which leaves it hidden behind the introduction.
class Form1 final : private services::WindowEvents {
public:
    Form1();
    ~Form1();
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    [[nodiscard]] const services::Controls<Form1Control> &controls() const { return m_controls; }
    [[nodiscard]] services::Window &window() const { return *m_window; }

    // The answers as the window holds them: the bold state of the thirteen questions.
    [[nodiscard]] AnswerSheet answers() const;

    // The introduction window while it is loaded, else null.
    [[nodiscard]] FrmSplash *splash() const;

private:
    void click(std::size_t control) noexcept override;
    void doubleClick(std::size_t control) noexcept override;
    void keyPress(char32_t character) noexcept override;

    void load();
    void onQuestionClicked(Form1Control question);
    void onQuestionDoubleClicked(Form1Control question);
    void onResponsoClicked();
    void onFineClicked();
    void onDorvikClicked();
    void onEldranoClicked();

    // Bold, red on white: the look a heading takes when a verdict step uses it.
    void highlight(Form1Control heading);

    std::unique_ptr<services::Window> m_window;
    services::Controls<Form1Control> m_controls;
    std::unique_ptr<FrmSplash> m_splash;
};

} // namespace tervanel::forms
