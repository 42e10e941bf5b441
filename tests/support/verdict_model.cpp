#include "tests/support/verdict_model.hpp"
#include "platform/qt/convert.hpp"

#include "core/reports.hpp"

namespace tervanel::test {

PressOutcome expectedOutcome(const Scores &scores)
{
    using enum forms::Form1Control;
    const bool noAnswer = holds(VerdictStep::NoAnswer, scores);
    const bool venous = holds(VerdictStep::Venous, scores);
    const bool arterial = holds(VerdictStep::Arterial, scores);
    const bool uncertain = holds(VerdictStep::Uncertain, scores);
    // The uncertain step takes back everything the locomotor step showed.
    const bool locomotor = holds(VerdictStep::Locomotor, scores) && !uncertain;

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
                                        : holds(VerdictStep::Locomotor, scores)
                                            ? qt::toQString(heading(VerdictStep::Locomotor))
                                            : QString();
    if (noAnswer) {
        out.visible[Responso] = false;
        out.visible[responso_mix] = false;
    }
    return out;
}

} // namespace tervanel::test
