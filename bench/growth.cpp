// No growth: thousands of presses of "Responso" with changing answers, each followed
// by the repaint, the uncertain boxes answered as they come, must leave the peak
// memory (VmHWM) of the process within a bound of where it was after the first presses.
//
//     tervanel_growth [--presses N] [--settled-after N] [--limit-kib N] [--markdown FILE]
//
// Exits with status 1 when the bound is exceeded.

#include "harness/questionnaire.hpp"
#include "platform/qt/accessibility.hpp"
#include "platform/qt/look.hpp"

#include <QApplication>

#include <exception>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>

namespace {

using namespace tervanel;

struct Options {
    long presses = 10'000;
    long settledAfter = 100;
    long limitKiB = 1024;
    std::string markdownPath;
};

Options parse(int argc, char *argv[])
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            throw std::invalid_argument("usage: tervanel_growth [--presses N] [--settled-after N] "
                                        "[--limit-kib N] [--markdown FILE]");
        const std::string value = argv[++i];
        if (arg == "--presses")
            o.presses = std::stol(value);
        else if (arg == "--settled-after")
            o.settledAfter = std::stol(value);
        else if (arg == "--limit-kib")
            o.limitKiB = std::stol(value);
        else if (arg == "--markdown")
            o.markdownPath = value;
        else
            throw std::invalid_argument("unknown option " + arg);
    }
    if (o.settledAfter < 1 || o.presses <= o.settledAfter)
        throw std::invalid_argument(
            "--presses must exceed --settled-after, which must be positive");
    return o;
}

std::string mib(long kib)
{
    std::ostringstream out;
    out << std::fixed << std::setprecision(2) << static_cast<double>(kib) / 1024.0;
    return out.str();
}

} // namespace

int main(int argc, char *argv[])
{
    harness::prepareOffscreen();
    QApplication application(argc, argv);
    qt::installLook();
    qt::installAccessibility();
    try {
        const Options o = parse(argc, argv);
        harness::Questionnaire window;
        const harness::PressRun run = harness::pressRepeatedly(window, o.presses, o.settledAfter);
        const long peakSettled = run.peakSettledKiB, peakEnd = run.peakEndKiB;
        const long residentSettled = run.residentSettledKiB, residentEnd = run.residentEndKiB;
        const long growth = peakEnd - peakSettled;
        const bool boxesRight = run.boxes == run.uncertainSheets;
        const bool within = growth <= o.limitKiB && peakSettled > 0;
        const double seconds = run.seconds;

        std::ostringstream md;
        md << "| | after " << o.settledAfter << " presses | after " << o.presses
           << " presses | growth |\n|---|---:|---:|---:|\n"
           << "| peak memory, VmHWM (MiB) | " << mib(peakSettled) << " | " << mib(peakEnd) << " | "
           << mib(growth) << " |\n"
           << "| resident memory, VmRSS (MiB) | " << mib(residentSettled) << " | "
           << mib(residentEnd) << " | " << mib(residentEnd - residentSettled) << " |\n\n"
           << o.presses << " presses in " << std::fixed << std::setprecision(1) << seconds << " s; "
           << run.boxes << " uncertain boxes answered (" << run.uncertainSheets << " expected). "
           << "Bound: VmHWM grows by at most " << mib(o.limitKiB) << " MiB after the first "
           << o.settledAfter << " presses: **" << (within ? "met" : "exceeded") << "**.\n";
        std::cout << md.str();
        if (!o.markdownPath.empty()) {
            std::ofstream out(o.markdownPath);
            out << md.str();
        }
        if (!boxesRight) {
            std::cerr << "tervanel_growth: the presses did not ask the expected boxes\n";
            return 1;
        }
        return within ? 0 : 1;
    } catch (const std::exception &failure) {
        std::cerr << "tervanel_growth: " << failure.what() << '\n';
        return 1;
    }
}
