// Start-up of whole programs on a private X server: how long from starting a program
// until its first top-level window is mapped, and until it has drawn into it, and how
// much memory it has taken at each of the two moments.
// Programs are measured side by side, alternating, in one run, so that the machine's
// mood of the moment weighs on all of them alike.
//
//     tervanel_startup [--runs N] [--warmup N] [--baseline LABEL] [--target RATIO]
//                      [--memory-target RATIO]
//                      [--stages PROGRAM] [--stage-runs N]
//                      [--markdown FILE] [--samples FILE] [--wine RUNNER FOLDER]
//                      LABEL=PROGRAM:WIDTHxHEIGHT...
//
// The figures are summarized per program, and the medians of every program divided by
// those of the baseline (the last program unless named), checked against the target
// for the two figures the target is about: first window, and peak memory by then.
// With --stages, a program that takes the start-up apart into steps (bench/stages.cpp)
// is run too, on the same server, and the median of each step is reported.
// WIDTHxHEIGHT is the size the first window must have: a run whose first window is
// another size is a failure, not a figure. With --wine, programs whose names end in ".exe"
// are Windows programs, run under Wine by RUNNER (harness/wine-run) with its FOLDER;
// the Wine server is kept running from the first run to the last, as a warm Wine is.

#include "bench/stats.hpp"
#include "bench/xwatch.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using tervanel::bench::Candidate;
using tervanel::bench::Summary;
using tervanel::bench::XWatch;

struct Options {
    int runs = 31;
    int warmup = 2;
    std::string baseline;
    double target = 1.15;
    double memoryTarget = 0; // the time target unless given
    std::string stagesProgram;
    int stageRuns = 15;
    std::string markdownPath;
    std::string samplesPath;
    std::optional<tervanel::harness::Wine> wine;
    std::vector<Candidate> candidates;
};

Candidate parseCandidate(const std::string &arg)
{
    const auto equals = arg.find('=');
    const auto colon = arg.rfind(':');
    const auto times = arg.rfind('x');
    if (equals == std::string::npos || colon == std::string::npos || times == std::string::npos
        || !(equals < colon && colon < times))
        throw std::invalid_argument("expected LABEL=PROGRAM:WIDTHxHEIGHT, got " + arg);
    Candidate c;
    c.label = arg.substr(0, equals);
    c.program = arg.substr(equals + 1, colon - equals - 1);
    c.width = std::stoi(arg.substr(colon + 1, times - colon - 1));
    c.height = std::stoi(arg.substr(times + 1));
    return c;
}

Options parse(int argc, char *argv[])
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                throw std::invalid_argument(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--runs")
            o.runs = std::stoi(value());
        else if (arg == "--warmup")
            o.warmup = std::stoi(value());
        else if (arg == "--baseline")
            o.baseline = value();
        else if (arg == "--target")
            o.target = std::stod(value());
        else if (arg == "--memory-target")
            o.memoryTarget = std::stod(value());
        else if (arg == "--stages")
            o.stagesProgram = value();
        else if (arg == "--stage-runs")
            o.stageRuns = std::stoi(value());
        else if (arg == "--markdown")
            o.markdownPath = value();
        else if (arg == "--samples")
            o.samplesPath = value();
        else if (arg == "--wine") {
            std::string runner = value();
            o.wine = tervanel::harness::Wine{std::move(runner), value()};
        } else
            o.candidates.push_back(parseCandidate(arg));
    }
    if (o.candidates.empty() || o.runs < 1 || o.warmup < 0 || o.stageRuns < 1)
        throw std::invalid_argument(
            "usage: tervanel_startup [--runs N] [--warmup N] "
            "[--baseline LABEL] [--target RATIO] [--memory-target RATIO] [--stages PROGRAM] "
            "[--stage-runs N] [--markdown FILE] [--samples FILE] [--wine RUNNER FOLDER] "
            "LABEL=PROGRAM:WIDTHxHEIGHT...");
    if (o.baseline.empty())
        o.baseline = o.candidates.back().label;
    return o;
}

std::string fixed(double value, int decimals)
{
    std::ostringstream out;
    out << std::fixed << std::setprecision(decimals) << value;
    return out.str();
}

void row(std::ostream &out, const std::string &what, const Summary &s, int decimals)
{
    out << "| " << what << " | " << fixed(s.median, decimals) << " | " << fixed(s.min, decimals)
        << " | " << fixed(s.q1, decimals) << " | " << fixed(s.q3, decimals) << " | "
        << fixed(s.max, decimals) << " | " << fixed(s.q3 - s.q1, decimals) << " |\n";
}

// Runs the step program again and again and tabulates each step's median time, its
// spread, and the peak memory after it.
std::string stagesTable(XWatch &watch, const std::string &program, int runs)
{
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> millis, mebibytes;
    for (int run = 0; run < runs; ++run) {
        std::istringstream lines(watch.runTimed(program));
        std::string line;
        while (std::getline(lines, line)) {
            std::istringstream fields(line);
            std::string step, ms, kib;
            if (!std::getline(fields, step, '\t') || !std::getline(fields, ms, '\t')
                || !std::getline(fields, kib))
                throw std::runtime_error("unexpected line from " + program + ": " + line);
            if (!millis.contains(step))
                order.push_back(step);
            millis[step].push_back(std::stod(ms));
            mebibytes[step].push_back(std::stod(kib) / 1024.0);
        }
    }
    std::ostringstream md;
    md << "| step (" << runs << " runs) | median (ms) | Q1 to Q3 (ms) | peak memory after (MiB) "
       << "| growth (MiB) |\n|---|---:|---:|---:|---:|\n";
    double before = 0;
    for (const std::string &step : order) {
        const Summary t = tervanel::bench::summarize(millis[step]);
        const Summary m = tervanel::bench::summarize(mebibytes[step]);
        md << "| " << step << " | " << fixed(t.median, 2) << " | " << fixed(t.q1, 2) << " to "
           << fixed(t.q3, 2) << " | " << fixed(m.median, 1) << " | "
           << (before > 0 ? fixed(m.median - before, 2) : std::string("")) << " |\n";
        before = m.median;
    }
    return md.str();
}

} // namespace

int main(int argc, char *argv[])
{
    try {
        const Options o = parse(argc, argv);
        const auto base = std::find_if(o.candidates.begin(), o.candidates.end(),
                                       [&](const Candidate &c) { return c.label == o.baseline; });
        if (base == o.candidates.end())
            throw std::invalid_argument("no program is labelled " + o.baseline);

        XWatch watch(1024, 768, o.wine);
        const std::size_t n = o.candidates.size();
        // Per program, per figure: the samples of every kept run.
        enum Figure : std::size_t { Mapped, MappedPeak, Drawn, DrawnPeak, kFigures };
        std::vector<std::array<std::vector<double>, kFigures>> figures(n);
        std::ofstream samples;
        if (!o.samplesPath.empty()) {
            samples.open(o.samplesPath);
            samples << "run,program,first_window_ms,vmhwm_kib,first_drawn_ms,drawn_vmhwm_kib\n";
        }

        // Rounds in alternating order (A B, B A, ...), so that neither program always
        // follows the other; the warm-up rounds fill the page cache and are not kept.
        for (int round = 0; round < o.warmup + o.runs; ++round) {
            for (std::size_t k = 0; k < n; ++k) {
                const std::size_t i = round % 2 == 0 ? k : n - 1 - k;
                const auto sample = watch.measure(o.candidates[i]);
                if (round < o.warmup)
                    continue;
                figures[i][Mapped].push_back(sample.firstWindowMs);
                figures[i][MappedPeak].push_back(static_cast<double>(sample.peakKiB) / 1024.0);
                figures[i][Drawn].push_back(sample.firstDrawnMs);
                figures[i][DrawnPeak].push_back(static_cast<double>(sample.drawnPeakKiB) / 1024.0);
                if (samples)
                    samples << round - o.warmup + 1 << ',' << o.candidates[i].label << ','
                            << fixed(sample.firstWindowMs, 3) << ',' << sample.peakKiB << ','
                            << fixed(sample.firstDrawnMs, 3) << ',' << sample.drawnPeakKiB << '\n';
            }
            std::cerr << "\rround " << round + 1 << " of " << o.warmup + o.runs << std::flush;
        }
        std::cerr << '\n';

        const auto b = static_cast<std::size_t>(base - o.candidates.begin());
        const double memoryTarget = o.memoryTarget > 0 ? o.memoryTarget : o.target;
        std::vector<std::array<Summary, kFigures>> summary(n);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t f = 0; f < kFigures; ++f)
                summary[i][f] = tervanel::bench::summarize(figures[i][f]);

        const char *names[kFigures] = {
            "time to first window", "peak memory (VmHWM) at first window", "time to first drawing",
            "peak memory (VmHWM) at first drawing"};
        const char *units[kFigures] = {"ms", "MiB", "ms", "MiB"};
        std::ostringstream md;
        md << "| " << o.runs << " runs each | median | min | Q1 | Q3 | max | IQR |\n"
           << "|---|---:|---:|---:|---:|---:|---:|\n";
        for (std::size_t f = 0; f < kFigures; ++f)
            for (std::size_t i = 0; i < n; ++i)
                row(md,
                    std::string(names[f]) + ", " + o.candidates[i].label + " (" + units[f] + ")",
                    summary[i][f], 1);

        md << "\n| ratio of the medians | time to first window | peak memory at first window "
              "| time to first drawing | peak memory at first drawing |\n"
           << "|---|---:|---:|---:|---:|\n";
        std::vector<std::string> meeting, missing;
        for (std::size_t i = 0; i < n; ++i) {
            if (i == b)
                continue;
            md << "| " << o.candidates[i].label << " / " << o.baseline;
            for (std::size_t f = 0; f < kFigures; ++f) {
                const double ratio = summary[i][f].median / summary[b][f].median;
                md << " | " << fixed(ratio, 3);
                if (f == Mapped || f == MappedPeak) {
                    const double target = f == Mapped ? o.target : memoryTarget;
                    md << (ratio <= target ? " (within " : " (**above** ") << fixed(target, 2)
                       << ")";
                }
            }
            md << " |\n";
            const bool met =
                summary[i][Mapped].median <= o.target * summary[b][Mapped].median
                && summary[i][MappedPeak].median <= memoryTarget * summary[b][MappedPeak].median;
            (met ? meeting : missing).push_back(o.candidates[i].label);
        }
        const auto list = [](const std::vector<std::string> &labels) {
            std::string joined;
            for (const std::string &l : labels)
                joined += (joined.empty() ? "" : ", ") + l;
            return joined;
        };
        md << "\nTarget: first window within " << fixed(o.target, 2) << " times the " << o.baseline
           << "'s, peak memory at first window within " << fixed(memoryTarget, 2) << " times.";
        if (!meeting.empty())
            md << " **Met** by " << list(meeting) << ".";
        if (!missing.empty())
            md << " **Not met** by " << list(missing) << ".";
        md << "\n";

        if (!o.stagesProgram.empty()) {
            std::cerr << "steps of the start-up\n";
            md << "\n" << stagesTable(watch, o.stagesProgram, o.stageRuns);
        }

        std::cout << md.str();
        if (!o.markdownPath.empty()) {
            std::ofstream out(o.markdownPath);
            out << md.str();
            if (!out)
                throw std::runtime_error("cannot write " + o.markdownPath);
        }
        return 0;
    } catch (const std::exception &failure) {
        std::cerr << "tervanel_startup: " << failure.what() << '\n';
        return 1;
    }
}
