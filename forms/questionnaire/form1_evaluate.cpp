// The click of "Responso": read the answers off the window, score them, show the
// scores, then make the five verdict tests in order and carry out, in full, every
// step whose test holds. Each step shows, hides, fills and highlights labels; the
// highlight is never taken back, and nothing is reset between presses but what the
// preparation names. Some combinations leave odd traces (an empty highlighted
// heading, a heading that a later step hides again); they are part of the program.

#include "core/reports.hpp"
#include "core/scoring.hpp"
#include "forms/questionnaire/form1.hpp"
#include "services/runtime.hpp"

namespace tervanel::forms {

void Form1::onResponsoClicked()
{
    using enum Form1Control;
    const services::Controls<Form1Control> &c = m_controls;

    // Preparation.
    Scores scores; // V, L and A start at 0
    c.setText(Responso, "");
    c.setText(Responso_locomotore, "");
    c.setText(responso_mix, "");
    c.show(Label_a);
    c.show(Label_b);
    c.show(Label_c);
    const std::string_view venousReport = report(Report::Venous);
    const std::string_view arterialReport = report(Report::Arterial);
    const std::string_view locomotorReport = report(Report::Locomotor);
    scores = score(answers());
    c.setText(Label_a, scoreCaption(Score::Venous, scores.venous));
    c.setText(Label_b, scoreCaption(Score::Locomotor, scores.locomotor));
    c.setText(Label_c, scoreCaption(Score::Arterial, scores.arterial));
    if (!c.hasPicture(Picture1))
        c.setPicture(Picture1, services::PictureId::Banner); // on first use
    c.show(Picture1);

    if (holds(VerdictStep::NoAnswer, scores)) {
        c.show(Responso_locomotore);
        highlight(Responso_locomotore);
        c.setText(Responso_locomotore, heading(VerdictStep::NoAnswer));
        for (Form1Control hidden : {Label_a, Label_b, Label_c, Diagnosi_venosa, Diagnosi_arteriosa,
                                    Diagnosi_locomotore, responso_mix, Picture1, Responso})
            c.hide(hidden);
        services::runtime::beep();
    }

    if (holds(VerdictStep::Venous, scores)) {
        c.show(Responso);
        c.hide(responso_mix);
        c.hide(Responso_locomotore);
        c.setText(Responso, heading(VerdictStep::Venous));
        highlight(Responso);
        c.hide(Diagnosi_arteriosa);
        c.show(Diagnosi_venosa);
        c.setText(Diagnosi_venosa, venousReport);
        c.hide(Diagnosi_locomotore);
        c.hide(responso_mix);
    }

    if (holds(VerdictStep::Arterial, scores)) {
        c.setText(Diagnosi_arteriosa, arterialReport);
        c.show(Diagnosi_arteriosa);
        c.hide(Diagnosi_venosa);
        c.hide(Diagnosi_locomotore);
        c.hide(Responso);
        c.show(responso_mix);
        c.setText(responso_mix, heading(VerdictStep::Arterial));
        highlight(responso_mix);
        // Responso_locomotore is left as it is.
    }

    if (holds(VerdictStep::Locomotor, scores)) {
        c.show(Responso);
        c.show(Responso_locomotore);
        highlight(Responso); // keeps its caption: the venous heading, or empty
        highlight(Responso_locomotore);
        c.setText(Responso_locomotore, heading(VerdictStep::Locomotor));
        c.hide(responso_mix);
        c.show(Diagnosi_locomotore);
        c.setText(Diagnosi_locomotore, locomotorReport);
    }

    if (holds(VerdictStep::Uncertain, scores)) {
        c.hide(Responso);
        c.hide(Responso_locomotore);
        c.show(responso_mix);
        c.setText(responso_mix, heading(VerdictStep::Uncertain));
        highlight(responso_mix);
        c.hide(Diagnosi_venosa);
        c.hide(Diagnosi_arteriosa);
        c.hide(Diagnosi_locomotore);
        const Message message = uncertainMessage();
        services::runtime::messageBox(message.prompt, message.style,
                                      message.title); // the last action
    }
}

} // namespace tervanel::forms
