#pragma once

// What a press of "Responso" must leave on the questionnaire, derived from the steps
// that hold: the visibility and captions it decides whatever came before it. (Only
// an arterial press without locomotor answers leaves one thing to history: whether
// the locomotor row stays visible.)

#include "core/scoring.hpp"
#include "ui/questionnaire/form1_layout.hpp"

#include <QString>

#include <map>

namespace tervanel::test {

struct PressOutcome {
    std::map<ui::Form1Control, bool> visible;
    std::map<ui::Form1Control, QString> captions;
    int beeps = 0;
    int boxes = 0;
};

[[nodiscard]] PressOutcome expectedOutcome(const Scores &scores);

// The verdict controls whose visibility a press may change.
inline constexpr ui::Form1Control kVerdictControls[] = {
    ui::Form1Control::Label_a,
    ui::Form1Control::Label_b,
    ui::Form1Control::Label_c,
    ui::Form1Control::Picture1,
    ui::Form1Control::Responso,
    ui::Form1Control::Responso_locomotore,
    ui::Form1Control::responso_mix,
    ui::Form1Control::Diagnosi_venosa,
    ui::Form1Control::Diagnosi_arteriosa,
    ui::Form1Control::Diagnosi_locomotore,
};

} // namespace tervanel::test
