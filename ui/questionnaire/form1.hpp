#pragma once

#include "core/questions.hpp"
#include "ui/questionnaire/form1_layout.hpp"
#include "ui/services/controls.hpp"

#include <QPointer>
#include <QWidget>

namespace tervanel::ui {

class FrmSplash;

// The questionnaire window. Creating it builds it from its layout and runs its load,
// which leaves it hidden behind the introduction window.
class Form1 final : public QWidget {
    Q_OBJECT

public:
    Form1();
    ~Form1() override;

    [[nodiscard]] const Controls<Form1Control> &controls() const { return m_controls; }

    // The answers as the window holds them: the bold state of the thirteen questions.
    [[nodiscard]] AnswerSheet answers() const;

    // The introduction window while it is loaded, else null.
    [[nodiscard]] FrmSplash *splash() const;

private:
    void load();
    void onQuestionClicked(Form1Control question);
    void onQuestionDoubleClicked(Form1Control question);
    void onResponsoClicked();
    void onFineClicked();
    void onDorvikClicked();
    void onEldranoClicked();

    // Bold, red on white: the look a heading takes when a verdict step uses it.
    void highlight(Form1Control heading);

    Controls<Form1Control> m_controls;
    QPointer<FrmSplash> m_splash;
};

} // namespace tervanel::ui
