#include "tests/support/verdict_model.hpp"
#include "platform/qt/convert.hpp"

#include "core/reports.hpp"

namespace tervanel::test {

PressOutcome expectedOutcome(const Scores &scores)
{
    using enum forms::Form1Control;
    const VerdictSteps steps(scores);
    const bool noAnswer = steps.contains(VerdictStep::NoAnswer);
    const bool venous = steps.contains(VerdictStep::Venous);
    const bool arterial = steps.contains(VerdictStep::Arterial);
    const bool uncertain = steps.contains(VerdictStep::Uncertain);
    // The uncertain step takes back everything the locomotor step showed.
    const bool locomotor = steps.contains(VerdictStep::Locomotor) && !uncertain;

    PressOutcome out;
    out.beeps = noAnswer ? 1 : 0;
    out.boxes = uncertain ? 1 : 0;
    for (forms::Form1Control shown : {Label_a, Label_b, Label_c, Picture1})
        out.visible[shown] = !noAnswer;
    out.captions[Label_a] = qt::toQString(scoreCaption(Score::Venous, scores.venous));
    out.captions[Label_b] = qt::toQString(scoreCaption(Score::Locomotor, scores.locomotor));
    out.captions[Label_c] = qt::toQString(scoreCaption(Score::Arterial, scores.arterial));

    out.visible[Diagnosi_venosa] = venous;
    out.visible[Diagnosi_arteriosa] = arterial;
    out.visible[Diagnosi_locomotore] = locomotor;

    // The three heading rows.
    out.visible[Responso] = venous || locomotor;
    out.captions[Responso] = venous ? qt::toQString(heading(VerdictStep::Venous)) : QString();
    out.visible[responso_mix] = (arterial && !locomotor) || uncertain;
    out.captions[responso_mix] =
        uncertain  ? qt::toQString(heading(VerdictStep::Uncertain))
        : arterial ? qt::toQString(heading(VerdictStep::Arterial)) // kept while hidden
                   : QString();
    if (noAnswer || locomotor || venous || uncertain)
        out.visible[Responso_locomotore] = noAnswer || locomotor;
    out.captions[Responso_locomotore] = noAnswer ? qt::toQString(heading(VerdictStep::NoAnswer))
                                        : steps.contains(VerdictStep::Locomotor)
                                            ? qt::toQString(heading(VerdictStep::Locomotor))
                                            : QString();
    if (noAnswer) {
        out.visible[Responso] = false;
        out.visible[responso_mix] = false;
    }
    return out;
}

} // namespace tervanel::test
