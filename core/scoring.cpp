#include "core/scoring.hpp"

#include <algorithm>

namespace tervanel {

std::int16_t Scores::of(Score which) const
{
    switch (which) {
    case Score::Venous:
        return venous;
    case Score::Locomotor:
        return locomotor;
    case Score::Arterial:
        return arterial;
    }
    return 0;
}

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

VerdictSteps::VerdictSteps(const Scores &scores)
{
    for (VerdictStep step : kVerdictOrder)
        if (holds(step, scores))
            m_steps[m_count++] = step;
}

bool VerdictSteps::contains(VerdictStep step) const
{
    return std::find(begin(), end(), step) != end();
}

} // namespace tervanel
