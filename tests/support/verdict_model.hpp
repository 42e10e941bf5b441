#pragma once

// What a press of "Responso" must leave on the questionnaire, derived from the steps
// that hold: the visibility and captions it decides whatever came before it. (Only
// an arterial press without locomotor answers leaves one thing to history: whether
// the locomotor row stays visible.)

#include "core/scoring.hpp"
#include "forms/questionnaire/form1_layout.hpp"

#include <QString>

#include <map>

namespace tervanel::test {

struct PressOutcome {
    std::map<forms::Form1Control, bool> visible;
    std::map<forms::Form1Control, QString> captions;
    int beeps = 0;
    int boxes = 0;
};

[[nodiscard]] PressOutcome expectedOutcome(const Scores &scores);

// The verdict controls whose visibility a press may change.
inline constexpr forms::Form1Control kVerdictControls[] = {
    forms::Form1Control::Label_a,
    forms::Form1Control::Label_b,
    forms::Form1Control::Label_c,
    forms::Form1Control::Picture1,
    forms::Form1Control::Responso,
    forms::Form1Control::Responso_locomotore,
    forms::Form1Control::responso_mix,
    forms::Form1Control::Diagnosi_venosa,
    forms::Form1Control::Diagnosi_arteriosa,
    forms::Form1Control::Diagnosi_locomotore,
};

} // namespace tervanel::test
