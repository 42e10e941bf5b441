// The program's start-up taken apart, on a real X server: the steps of app/main.cpp
// one after the other, each timed and followed by the process's peak memory, ending
// when the introduction has been painted. Prints one line per step: name, the time
// it took in milliseconds, and VmHWM in KiB after it.
//
//     tervanel_stages [SPAWN_NS]
//
// With SPAWN_NS, the CLOCK_MONOTONIC time at which the caller started this program, the
// first line is the time from that start to main: loading and linking the libraries.

#include "app/application.hpp"
#include "forms/introduction/frm_splash.hpp"
#include "forms/questionnaire/form1.hpp"
#include "harness/harness.hpp"
#include "platform/qt/look.hpp"
#include "platform/qt/services.hpp"
#include "platform/qt/window.hpp"
#include "services/runtime.hpp"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock; // CLOCK_MONOTONIC, the same clock as the caller's

class Steps final {
public:
    explicit Steps(Clock::time_point start)
        : m_last(start)
    {
    }

    void done(const char *step)
    {
        const Clock::time_point now = Clock::now();
        std::printf("%s\t%.3f\t%ld\n", step,
                    std::chrono::duration<double, std::milli>(now - m_last).count(),
                    tervanel::harness::peakMemoryKiB());
        m_last = Clock::now(); // the printing is not part of the next step
    }

private:
    Clock::time_point m_last;
};

// Marks the first expose of the watched window (the built-in face is registered just
// after it, before the first text is drawn), and quits the event loop once a widget of
// that window has been painted: the quit comes after the whole repaint, which paints
// every widget of the window at once. Installed after the look, so it sees each event
// before the look's own filter does.
class FirstPaint final : public QObject {
public:
    FirstPaint(const QWidget &window, Steps &steps)
        : m_window(window)
        , m_steps(steps)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && !m_exposed
            && watched == static_cast<QObject *>(m_window.windowHandle())) {
            m_exposed = true;
            m_steps.done("event loop until the introduction is first exposed");
        }
        if (event->type() == QEvent::Paint && !m_seen && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == &m_window) {
            m_seen = true;
            // exit, not quit: quit would first ask every window to close.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QWidget &m_window;
    Steps &m_steps;
    bool m_exposed = false;
    bool m_seen = false;
};

} // namespace

int main(int argc, char *argv[])
{
    const Clock::time_point entered = Clock::now();
    Steps steps(argc > 1 ? Clock::time_point(std::chrono::nanoseconds(std::stoll(argv[1])))
                         : entered);
    if (argc > 1)
        steps.done("exec to main: loading the libraries");

    tervanel::qt::useOnlyBuiltInFonts();
    steps.done("fontconfig told to read no system configuration");
    QApplication application(argc, argv);
    steps.done("QApplication: platform plugin, X connection");
    tervanel::app::configure(application);
    steps.done("configure: names, style, palette, accessibility, window icon");
    tervanel::qt::Services services;
    tervanel::services::runtime::install(services);
    auto form = std::make_unique<tervanel::forms::Form1>();
    steps.done("questionnaire loaded, introduction built and shown");
    tervanel::forms::FrmSplash *splash = form->splash();
    if (!splash) {
        std::fprintf(stderr, "tervanel_stages: no introduction\n");
        return 1;
    }
    FirstPaint firstPaint(tervanel::qt::qtWindow(splash->window()).widget(), steps);
    application.installEventFilter(&firstPaint);
    QTimer::singleShot(10'000, &application, [] {
        std::fprintf(stderr, "tervanel_stages: the introduction was not painted in 10 s\n");
        QCoreApplication::exit(2);
    });
    const int status = QApplication::exec();
    steps.done("built-in face registered, introduction painted");
    application.removeEventFilter(&firstPaint);
    return status;
}
