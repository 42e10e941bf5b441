#include "core/scoring.hpp"

namespace tervanel {

Scores score(const AnswerSheet &sheet)
{
    Scores scores;
    for (const Question &q : questions()) {
        if (!sheet.answer(q.number))
            continue;
        if (q.countsToward.contains(Score::Venous))
            ++scores.venous;
        if (q.countsToward.contains(Score::Locomotor))
            ++scores.locomotor;
        if (q.countsToward.contains(Score::Arterial))
            ++scores.arterial;
    }
    return scores;
}

bool holds(VerdictStep step, const Scores &s)
{
    switch (step) {
    case VerdictStep::NoAnswer:
        return s.venous == 0 && s.locomotor == 0 && s.arterial == 0;
    case VerdictStep::Venous:
        return s.venous > s.arterial;
    case VerdictStep::Arterial:
        return s.arterial > s.venous;
    case VerdictStep::Locomotor:
        return s.locomotor >= 1;
    case VerdictStep::Uncertain:
        return s.venous >= 1 && s.arterial >= 1 && s.venous == s.arterial;
    }
    return false;
}

} // namespace tervanel
