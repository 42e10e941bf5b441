// The assessment core in process: scoring an answer sheet and finding the verdict
// steps that hold, per answer pattern, and both over every one of the 8,192 sheets.

#include "bench/patterns.hpp"

#include <benchmark/benchmark.h>

#include <exception>
#include <iostream>
#include <string>

namespace {

using namespace tervanel;
using tervanel::bench::Pattern;

void scoreSheet(benchmark::State &state, const Pattern &pattern)
{
    AnswerSheet sheet = AnswerSheet::fromMask(pattern.mask);
    for (auto _ : state) {
        benchmark::DoNotOptimize(sheet); // the sheet is not known to the optimizer
        Scores scores = score(sheet);
        benchmark::DoNotOptimize(scores);
    }
}

void verdictSteps(benchmark::State &state, const Pattern &pattern)
{
    Scores scores = score(AnswerSheet::fromMask(pattern.mask));
    for (auto _ : state) {
        benchmark::DoNotOptimize(scores);
        for (VerdictStep step : kVerdictOrder) {
            bool held = holds(step, scores);
            benchmark::DoNotOptimize(held);
        }
    }
}

// Every sheet in turn, scored and judged: one iteration is 8,192 sheets.
void everySheet(benchmark::State &state)
{
    std::size_t stepsTaken = 0;
    for (auto _ : state)
        for (std::uint32_t mask = 0; mask < bench::kAllSheets; ++mask) {
            AnswerSheet sheet = AnswerSheet::fromMask(mask);
            benchmark::DoNotOptimize(sheet);
            const Scores scores = score(sheet);
            for (VerdictStep step : kVerdictOrder)
                stepsTaken += holds(step, scores) ? 1U : 0U;
        }
    benchmark::DoNotOptimize(stepsTaken);
    state.SetItemsProcessed(state.iterations() * bench::kAllSheets);
}

} // namespace

int main(int argc, char *argv[])
{
    try {
        bench::checkPatterns();
    } catch (const std::exception &failure) {
        std::cerr << failure.what() << '\n';
        return 1;
    }
    for (const Pattern &p : bench::kPatterns) {
        benchmark::RegisterBenchmark(("score/" + std::string(p.name)).c_str(), scoreSheet, p);
        benchmark::RegisterBenchmark(("verdictSteps/" + std::string(p.name)).c_str(), verdictSteps,
                                     p);
    }
    benchmark::RegisterBenchmark("scoreAndVerdict/all8192sheets", everySheet)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
