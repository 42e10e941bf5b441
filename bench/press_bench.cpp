// One press of "Responso" on the real questionnaire window (offscreen), per answer
// pattern: the handler alone, and the handler with the repaint that follows it.

#include "bench/patterns.hpp"
#include "harness/questionnaire.hpp"
#include "platform/qt/accessibility.hpp"
#include "platform/qt/look.hpp"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <exception>
#include <iostream>
#include <string>

namespace {

using namespace tervanel;
using tervanel::bench::Pattern;
using tervanel::harness::Questionnaire;

Questionnaire *questionnaire = nullptr;

void setUp(benchmark::State &state, const Pattern &pattern)
{
    questionnaire->setAnswers(pattern.mask);
    if (questionnaire->form().answers() != AnswerSheet::fromMask(pattern.mask))
        state.SkipWithError("the window does not hold the answers just set");
    Questionnaire::settle();
}

// What each press asked of the stand-in user, as a check that the pattern did what
// its name says: a box for the uncertain verdict, a beep for no answer.
void countReactions(benchmark::State &state, long boxesBefore, long beepsBefore)
{
    const auto presses = static_cast<double>(state.iterations());
    state.counters["boxes/press"] =
        static_cast<double>(questionnaire->boxes() - boxesBefore) / presses;
    state.counters["beeps/press"] =
        static_cast<double>(questionnaire->beeps() - beepsBefore) / presses;
}

void press(benchmark::State &state, const Pattern &pattern)
{
    setUp(state, pattern);
    const long boxes = questionnaire->boxes();
    const long beeps = questionnaire->beeps();
    for (auto _ : state)
        questionnaire->press();
    countReactions(state, boxes, beeps);
    Questionnaire::settle();
}

void pressAndRepaint(benchmark::State &state, const Pattern &pattern)
{
    setUp(state, pattern);
    const long boxes = questionnaire->boxes();
    const long beeps = questionnaire->beeps();
    for (auto _ : state) {
        questionnaire->press();
        Questionnaire::settle();
    }
    countReactions(state, boxes, beeps);
}

} // namespace

int main(int argc, char *argv[])
{
    harness::prepareOffscreen();
    QApplication application(argc, argv);
    qt::installLook();
    qt::installAccessibility(); // as the program's start-up does
    try {
        bench::checkPatterns();
        Questionnaire window;
        questionnaire = &window;
        for (const Pattern &p : bench::kPatterns) {
            benchmark::RegisterBenchmark(("press/" + std::string(p.name)).c_str(), press, p)
                ->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark(("pressAndRepaint/" + std::string(p.name)).c_str(),
                                         pressAndRepaint, p)
                ->Unit(benchmark::kMicrosecond);
        }
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv))
            return 1;
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        questionnaire = nullptr;
    } catch (const std::exception &failure) {
        std::cerr << failure.what() << '\n';
        return 1;
    }
    return 0;
}
