#pragma once

// The real questionnaire window on Qt's offscreen platform, past its introduction,
// with a stand-in user who closes every message box at once: what the press
// benchmark, the start-up stages and the growth check drive.

#include "forms/questionnaire/form1.hpp"
#include "harness/recording_services.hpp"

#include <cstdint>
#include <memory>

namespace tervanel::harness {

// Selects the offscreen platform unless one is set, and silences its warnings about
// window operations it has no use for. Call before creating the QApplication.
void prepareOffscreen();

class Questionnaire final {
public:
    // Needs a QApplication with the program's look installed; runs on the Qt window
    // services under a recorder.
    Questionnaire();
    ~Questionnaire();
    Questionnaire(const Questionnaire &) = delete;
    Questionnaire &operator=(const Questionnaire &) = delete;

    // Sets the thirteen answers as clicks would: bit n - 1 is question n.
    void setAnswers(std::uint32_t mask) const;
    // One press of "Responso", as its click signal delivers it.
    void press() const;
    // Lets the window repaint and deferred deletions happen.
    static void settle();

    [[nodiscard]] forms::Form1 &form() const { return *m_form; }
    // Message boxes answered and beeps heard since the window was made.
    [[nodiscard]] long boxes() const { return m_recorder.boxCount; }
    [[nodiscard]] long beeps() const { return m_recorder.beeps; }

private:
    RecordingServices m_recorder;
    std::unique_ptr<forms::Form1> m_form;
};

// The growth check: presses of "Responso" on the sheets of sheetForPress(), each
// followed by the repaint, with the memory read after the first settledAfter presses
// and at the end, and what the presses asked for against what the sheets call for.
struct PressRun {
    long peakSettledKiB = -1, peakEndKiB = -1;         // VmHWM
    long residentSettledKiB = -1, residentEndKiB = -1; // VmRSS
    long boxes = 0, uncertainSheets = 0;
    long beeps = 0, unansweredSheets = 0;
    double seconds = 0;
};
[[nodiscard]] PressRun pressRepeatedly(Questionnaire &window, long presses, long settledAfter);

} // namespace tervanel::harness
