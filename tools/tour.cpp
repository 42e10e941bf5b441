// A headless tour of the program: starts it on a private Xvfb screen, walks through
// one whole use with real X input, and saves a screenshot of every state.
//
//     tervanel_tour PROGRAM OUTPUT_FOLDER [--wine RUNNER FOLDER]
//
// With --wine, PROGRAM is Tervanel.exe, run under Wine by RUNNER (harness/wine-run) with
// the Wine folder FOLDER; the screenshots then show the frames that Wine draws.

#include "harness/program_screen.hpp"
#include "harness/x11_session.hpp"

#include <QDir>

#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

using namespace tervanel::harness;
using namespace tervanel::harness::screen;

void require(bool condition, const char *what)
{
    if (!condition)
        throw std::runtime_error(what);
}

class Tour final {
public:
    Tour(const std::string &program, const QString &folder, std::optional<Wine> wine)
        : m_folder(folder)
        , m_session(1024, 768, wine)
        , m_view(m_session, wine ? kWineLook : kLinuxLook)
    {
        require(QDir().mkpath(folder), "cannot make the screenshot folder");
        m_session.startProgram(program);
    }

    void run()
    {
        const auto splash = m_view.waitForIntroduction();
        require(splash.has_value(), "the introduction did not come up");
        shot("01-introduction", Rect{splash->x, splash->y, splash->width, splash->height});

        require(m_view.dismissIntroduction("space").has_value(),
                "the questionnaire did not come up");
        const Look &look = m_view.look();
        m_questionnaire = {0, 0, look.formWidth, look.formHeight}; // frame and all
        shot("02-questionnaire");

        press([&] { return m_view.highlighted(kHeadingLocomotor); });
        shot("03-no-answer");

        answer({1, 5, 7});
        press([&] { return m_view.highlighted(kHeadingVenous); });
        shot("04-venous");

        answer({2});
        press([&] { return m_view.highlighted(kHeadingLocomotor); });
        shot("05-venous-and-locomotor");

        takeBack({1, 2, 5, 7});
        answer({3, 6});
        press([&] { return m_view.highlighted(kHeadingMixed); });
        shot("06-arterial");

        answer({12});
        press([&] { return m_view.blank(kHeadingMixed) && m_view.highlighted(kHeadingLocomotor); });
        shot("07-arterial-and-locomotor");

        takeBack({6, 12});
        answer({1});
        m_view.click(kResponso);
        require(m_view.boxUp("Diagnosi Incerta"), "the uncertain box did not come up");
        shot("08-uncertain");
        m_session.key("Return");
        require(m_view.boxGone("Diagnosi Incerta"), "Enter did not close the uncertain box");

        m_view.click(kEldrano);
        require(m_view.boxUp("Dr. Eldrano Vescandi..."), "the credit box did not come up");
        shot("09-credit");
        m_session.key("Return");
        require(m_view.boxGone("Dr. Eldrano Vescandi..."), "Enter did not close the credit box");

        m_view.click(kFine);
        const auto status = m_session.waitForExit();
        require(status.has_value(), "Fine did not end the program");
        require(*status == 0, "the program ended with a failure status");
        std::printf("The program ended with status 0 after Fine.\n");
    }

private:
    // A picture of a rectangle of the screen; the questionnaire's window by default.
    void shot(const char *name, std::optional<Rect> where = std::nullopt)
    {
        const QString path =
            QDir(m_folder).absoluteFilePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        require(m_view.settledOnScreen(where.value_or(m_questionnaire)).save(path),
                "cannot save a screenshot");
        std::printf("%s\n", qPrintable(QDir::current().relativeFilePath(path)));
    }

    template <class Shown> void press(Shown shown)
    {
        m_view.click(kResponso);
        require(waitFor(shown), "the verdict did not show");
    }

    void answer(std::initializer_list<int> questions)
    {
        for (int n : questions)
            require(m_view.answer(n), "a question did not turn bold");
    }

    void takeBack(std::initializer_list<int> questions)
    {
        for (int n : questions)
            require(m_view.takeBack(n), "a question did not turn back");
    }

    QString m_folder;
    X11Session m_session;
    ProgramScreen m_view;
    Rect m_questionnaire = kQuestionnaire;
};

} // namespace

int main(int argc, char *argv[])
{
    const bool underWine = argc == 6 && std::strcmp(argv[3], "--wine") == 0;
    if (argc != 3 && !underWine) {
        std::fprintf(stderr, "usage: %s PROGRAM OUTPUT_FOLDER [--wine RUNNER FOLDER]\n", argv[0]);
        return 2;
    }
    std::optional<tervanel::harness::Wine> wine;
    if (underWine)
        wine = tervanel::harness::Wine{argv[4], argv[5]};
    try {
        std::printf("No display here: touring Tervanel on a virtual screen. Screenshots:\n");
        Tour(argv[1], QString::fromLocal8Bit(argv[2]), std::move(wine)).run();
        std::printf(
            "On a desktop (with DISPLAY or WAYLAND_DISPLAY set), make run opens the program "
            "in a window.\n");
        return 0;
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "The tour stopped: %s\n", failure.what());
        return 1;
    }
}
