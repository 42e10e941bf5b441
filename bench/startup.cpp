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
#include "harness/x11_session.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
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
#include <thread>
#include <vector>

namespace {

using tervanel::bench::Summary;
using tervanel::harness::X11Session;
using Clock = std::chrono::steady_clock; // CLOCK_MONOTONIC

// A program to start, and the size its first window must have.
struct Candidate {
    std::string label;
    std::string program;
    int width = 0;
    int height = 0;
};

struct StartupSample {
    double firstWindowMs; // from the spawn to the MapNotify of the first top-level window
    long peakKiB;         // VmHWM of the program as soon as that window is mapped
    double firstDrawnMs;  // from the spawn to the first drawing into that window
    long drawnPeakKiB;    // VmHWM of the program once it has drawn into it
};

// No session bus for the programs measured, whatever the caller has.
const std::vector<std::string> kQuiet{"DBUS_SESSION_BUS_ADDRESS=disabled:"};

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

// Starts the program, times its first window and its first drawing into it, then ends it.
// Programs whose names end in ".exe" run under the session's Wine. Throws
// std::runtime_error when no window comes up in time or it has another size than the
// candidate's.
StartupSample measure(X11Session &session, const Candidate &candidate, bool underWine)
{
    if (underWine && candidate.program.ends_with(".exe"))
        session.startProgram(candidate.program, kQuiet);
    else
        session.startCommand({candidate.program}, kQuiet);
    tervanel::harness::FirstWindow first{};
    try {
        first = session.watchFirstWindow(std::chrono::seconds(20));
    } catch (const std::runtime_error &failure) {
        session.endProgram();
        throw std::runtime_error(candidate.label + " (" + candidate.program + ") " + failure.what()
                                 + "; it wrote:\n" + session.programOutput());
    }
    session.endProgram();
    if (first.width != candidate.width || first.height != candidate.height)
        throw std::runtime_error(
            candidate.label + ": the first window is " + std::to_string(first.width) + " x "
            + std::to_string(first.height) + ", not " + std::to_string(candidate.width) + " x "
            + std::to_string(candidate.height));
    if (first.mappedPeakKiB < 0 || first.drawnPeakKiB < 0)
        throw std::runtime_error(candidate.label + ": cannot read its peak memory");
    const auto millis = [&](Clock::time_point t) {
        return std::chrono::duration<double, std::milli>(t - first.started).count();
    };
    return {millis(first.mapped), first.mappedPeakKiB, millis(first.drawn), first.drawnPeakKiB};
}

// Runs the step program again and again and tabulates each step's median time, its
// spread, and the peak memory after it. The program is given the CLOCK_MONOTONIC time of
// its start in nanoseconds.
std::string stagesTable(X11Session &session, const std::string &program, int runs)
{
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> millis, mebibytes;
    for (int run = 0; run < runs; ++run) {
        const auto now =
            std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch());
        std::istringstream lines(session.runToEnd({program, std::to_string(now.count())}, kQuiet));
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

// Drops what the page cache holds of a program's file, as after a reboot or an
// installation from a package. A file the linker has just written is held in the large
// pieces its writes left, and the kernel maps a whole piece into every process that
// touches a byte of it: the same program then counted up to 0.4 MiB more at its first
// window, only for having been linked a moment before. Read back from the disk, by the
// warm-up rounds, each program is held as a user's machine holds it.
void dropCached(const std::string &file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + file);
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
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

        for (const Candidate &c : o.candidates)
            dropCached(c.program);
        const double loadBefore = tervanel::bench::loadAverage();
        X11Session session(1024, 768, o.wine);
        // The Wine server runs from the first run to the last, as a warm Wine does.
        if (o.wine)
            o.wine->keepWarm();
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
                const auto sample = measure(session, o.candidates[i], o.wine.has_value());
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
        const double loadAfter = tervanel::bench::loadAverage();

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
        const int processors = static_cast<int>(std::thread::hardware_concurrency());
        const tervanel::bench::Trust trust =
            tervanel::bench::judge({loadBefore, loadAfter, processors, summary[b][Mapped]});
        md << "\nConditions: load average " << fixed(loadBefore, 2) << " as the runs started and "
           << fixed(loadAfter, 2) << " as they ended, on " << processors << " processors; the "
           << o.baseline << "'s times to first window spread by "
           << fixed(100 * trust.floorSpread, 0) << " % (IQR over median). ";
        if (trust.trusted)
            md << "A quiet run: the ratios are the program's own.\n";
        else if (trust.busy)
            md << "**Not a quiet run: these ratios cannot be trusted** (other work kept the "
                  "processors busy, and a busy machine shrinks every ratio toward 1); run "
                  "again on a quiet machine.\n";
        else
            md << "**These ratios cannot be trusted**: the machine was quiet, but the "
               << o.baseline << "'s own times spread too widely for one median to stand for "
               << "them; run again with more runs.\n";
        md << "\nTarget: first window within " << fixed(o.target, 2) << " times the " << o.baseline
           << "'s, peak memory at first window within " << fixed(memoryTarget, 2) << " times.";
        if (!trust.trusted)
            md << " Not judged on a run that cannot be trusted.";
        else {
            if (!meeting.empty())
                md << " **Met** by " << list(meeting) << ".";
            if (!missing.empty())
                md << " **Not met** by " << list(missing) << ".";
        }
        md << "\n";

        if (!o.stagesProgram.empty()) {
            std::cerr << "steps of the start-up\n";
            md << "\n" << stagesTable(session, o.stagesProgram, o.stageRuns);
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
