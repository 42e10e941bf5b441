#include "harness/program_screen.hpp"

#include <thread>
#include <utility>

namespace tervanel::harness {

bool contains(const QImage &image, Rgb colour)
{
    const QRgb wanted = qRgb(colour.red, colour.green, colour.blue);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == wanted)
                return true;
    return false;
}

bool allOf(const QImage &image, Rgb colour)
{
    const QRgb wanted = qRgb(colour.red, colour.green, colour.blue);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != wanted)
                return false;
    return true;
}

void ProgramScreen::click(Point p) const
{
    const Point at = onScreen(p);
    m_session.click(at.x, at.y);
}

void ProgramScreen::doubleClick(Point p) const
{
    const Point at = onScreen(p);
    m_session.doubleClick(at.x, at.y);
}

Rgb ProgramScreen::pixel(Point p) const
{
    const Point at = onScreen(p);
    return m_session.pixel(at.x, at.y);
}

QImage ProgramScreen::grab(Rect r) const
{
    const Point at = onScreen({r.x, r.y});
    return m_session.grab(at.x, at.y, r.width, r.height);
}

std::optional<TopLevel> ProgramScreen::waitForIntroduction() const
{
    std::optional<TopLevel> splash;
    const bool up = waitFor(
        [&] {
            const auto windows = m_session.mappedTopLevels();
            if (windows.size() != 1 || windows[0].width != m_look.splashWidth
                || windows[0].height != m_look.splashHeight)
                return false;
            splash = windows[0];
            // Drawn (the strip below the frame shows the dialog background) and focused.
            const Point strip = onScreen(*splash, {200, 284});
            return m_session.pixel(strip.x, strip.y) == m_look.dialog
                   && m_session.focusedTopLevel() == splash->id;
        },
        std::chrono::seconds(60)); // a cold Wine takes its time
    return up ? splash : std::nullopt;
}

std::optional<TopLevel> ProgramScreen::dismissIntroduction(const char *keysym) const
{
    m_session.key(keysym);
    std::optional<TopLevel> form;
    const Point first = screen::question(1);
    const bool up = waitFor([&] {
        const auto windows = m_session.mappedTopLevels();
        if (windows.size() != 1 || windows[0].width != m_look.formWidth)
            return false;
        form = windows[0];
        return pixel({first.x + 400, first.y}) == screen::kLightCyan;
    });
    return up ? form : std::nullopt;
}

bool ProgramScreen::answer(int question) const
{
    const Rect row = screen::questionRow(question);
    const QImage before = settled(row);
    click(screen::question(question));
    return waitFor([&] { return grab(row) != before; });
}

bool ProgramScreen::takeBack(int question) const
{
    const Rect row = screen::questionRow(question);
    const QImage before = settled(row);
    doubleClick(screen::question(question));
    return waitFor([&] { return grab(row) != before; });
}

QImage ProgramScreen::settled(Rect r) const
{
    const Point at = onScreen({r.x, r.y});
    return settledOnScreen({at.x, at.y, r.width, r.height});
}

QImage ProgramScreen::settledOnScreen(Rect r) const
{
    const auto look = [&] { return m_session.grab(r.x, r.y, r.width, r.height); };
    QImage last = look();
    waitFor([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        QImage now = look();
        return std::exchange(last, now) == now;
    });
    return last;
}

bool ProgramScreen::highlighted(Rect r) const
{
    const QImage image = grab(r);
    return contains(image, screen::kRed)
           && image.pixel(r.width - 2, r.height / 2) == qRgb(255, 255, 255);
}

std::optional<TopLevel> ProgramScreen::windowTitled(const std::string &title) const
{
    for (const TopLevel &w : m_session.mappedTopLevels())
        if (w.title == title)
            return w;
    return std::nullopt;
}

bool ProgramScreen::boxUp(const std::string &title) const
{
    return waitFor([&] {
        const auto box = windowTitled(title);
        return box && m_session.focusedTopLevel() == box->id;
    });
}

bool ProgramScreen::boxGone(const std::string &title) const
{
    // Under Wine the box's owner is enabled again, and given the keyboard, a moment after
    // the box has left the screen; a click in that moment is dropped. (A program on Qt
    // without a window manager takes no keyboard back: there the box gone is enough.)
    return waitFor([&] {
        return !windowTitled(title)
               && (!m_session.underWine() || m_session.focusedTopLevel() != 0
                   || m_session.mappedTopLevels().empty());
    });
}

} // namespace tervanel::harness
