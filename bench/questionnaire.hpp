#pragma once

// The real questionnaire window on Qt's offscreen platform, past its introduction,
// with a stand-in user who closes every message box at once: what the press
// benchmark and the growth check drive.

#include "ui/questionnaire/form1.hpp"

#include <cstdint>
#include <memory>

namespace tervanel::bench {

// Selects the offscreen platform unless one is set, and silences its warnings about
// window operations it has no use for. Call before creating the QApplication.
void prepareOffscreen();

class Questionnaire final {
public:
    // Needs a QApplication with the program's look installed.
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

    [[nodiscard]] ui::Form1 &form() const { return *m_form; }
    // Message boxes answered and beeps heard since the window was made.
    [[nodiscard]] long boxes() const { return m_boxes; }
    [[nodiscard]] long beeps() const { return m_beeps; }

private:
    std::unique_ptr<ui::Form1> m_form;
    long m_boxes = 0;
    long m_beeps = 0;
};

// VmHWM and VmRSS of this process, in KiB; -1 if they cannot be read.
[[nodiscard]] long ownPeakKiB();
[[nodiscard]] long ownResidentKiB();

} // namespace tervanel::bench
