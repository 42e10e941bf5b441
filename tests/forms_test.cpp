// The two windows on window services that record what they are asked, with no toolkit
// at all: this test is compiled without Qt on its include path and linked without Qt,
// as a second platform's build takes the forms. It checks what the forms themselves
// decide: which event runs which handler, and what load and dismissal ask of the platform.

#include "core/reports.hpp"
#include "forms/introduction/frm_splash.hpp"
#include "forms/questionnaire/form1.hpp"
#include "harness/recording_services.hpp"
#include "services/runtime.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tervanel::test {
namespace {

using forms::Form1Control;
using forms::SplashControl;
namespace runtime = services::runtime;

class FormsTest : public ::testing::Test {
public: // the rows of the tables below act on it
    void SetUp() override
    {
        start();
        recorder->runIdle(); // the introduction is on screen, and the loop idle
    }
    void start()
    {
        form.reset();
        recorder.reset(); // it puts back what it found: none
        recorder = std::make_unique<harness::RecordingServices>();
        form = std::make_unique<forms::Form1>();
    }
    void TearDown() override
    {
        form.reset();
        recorder.reset();
    }

    [[nodiscard]] harness::RecordingWindow &window(const char *id) const
    {
        return recorder->window(id);
    }
    template <class Name> void click(const char *id, Name control)
    {
        window(id).events().click(services::rowOf(control));
    }
    template <class Name> void doubleClick(const char *id, Name control)
    {
        window(id).events().doubleClick(services::rowOf(control));
    }
    [[nodiscard]] const harness::RecordingWindow::Control &control(Form1Control c) const
    {
        return window("Form1").control(services::rowOf(c));
    }
    [[nodiscard]] std::vector<std::string> &log() const { return recorder->log; }

    std::unique_ptr<harness::RecordingServices> recorder;
    std::unique_ptr<forms::Form1> form;
};

// The load leaves the introduction alone on screen. The questionnaire's own window is
// made afterwards, once the loop is idle, or at once when something needs it first, and
// it then shows exactly what the load left: no one can tell when it was made.
TEST_F(FormsTest, TheQuestionnaireIsMadeOnceTheIntroductionIsUp)
{
    struct Row {
        const char *before; // what happens before the loop is first idle
        std::function<void(FormsTest &)> act;
        std::vector<std::string> log; // from the start to after the idle moment
    };
    const Row rows[] = {
        {"nothing", [](FormsTest &) {}, {"frmSplash.create", "frmSplash.show", "Form1.create"}},
        {"dismissed",
         [](FormsTest &t) { t.click("frmSplash", SplashControl::Command1); },
         {"frmSplash.create", "frmSplash.show", "frmSplash.unload", "Form1.create", "Form1.show"}},
        {"gone", [](FormsTest &t) { t.form.reset(); }, {"frmSplash.create", "frmSplash.show"}},
        {"failing",
         [](FormsTest &t) {
             t.recorder->beforeOperation = [](std::string_view operation, std::string_view id) {
                 if (operation == "hide" && id == "Label_b")
                     throw std::runtime_error("refused");
             };
         },
         {"frmSplash.create", "frmSplash.show", "Form1.create", "box: Tervanel", "quit 1"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.before);
        start();
        row.act(*this);
        recorder->runIdle();
        recorder->runIdle(); // a second idle moment makes nothing more
        EXPECT_EQ(log(), row.log);
        if (!form || runtime::hasEnded())
            continue;
        for (Form1Control result : forms::kResultControls)
            EXPECT_FALSE(control(result).visible);
        EXPECT_EQ(control(forms::questionLabel(1)).text, questions().front().text);
    }
    start();
    EXPECT_TRUE(window("frmSplash").control(services::rowOf(SplashControl::Image1)).picture);
}

// Which controls of the introduction dismiss it, and that it is dismissed once: one
// unload, the questionnaire shown once, then no more of its events.
TEST_F(FormsTest, IntroductionIsDismissedOnceByItsRoutes)
{
    struct Row {
        const char *route;
        std::function<void(FormsTest &)> act;
        bool dismisses;
    };
    const Row rows[] = {
        {"OK", [](FormsTest &t) { t.click("frmSplash", SplashControl::Command1); }, true},
        {"frame", [](FormsTest &t) { t.click("frmSplash", SplashControl::Frame1); }, true},
        {"picture", [](FormsTest &t) { t.click("frmSplash", SplashControl::Image1); }, true},
        {"introduction", [](FormsTest &t) { t.click("frmSplash", SplashControl::Label1); }, true},
        {"credit line", [](FormsTest &t) { t.click("frmSplash", SplashControl::Label2); }, true},
        {"a character", [](FormsTest &t) { t.window("frmSplash").events().keyPress(U'x'); }, true},
        {"by Dorvik", [](FormsTest &t) { t.click("frmSplash", SplashControl::Label3); }, false},
        {"double-click", [](FormsTest &t) { t.doubleClick("frmSplash", SplashControl::Label1); },
         false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.route);
        TearDown();
        SetUp();
        log().clear();
        row.act(*this);
        row.act(*this); // a second event, as when two arrive together
        const std::vector<std::string> dismissed{"frmSplash.unload", "Form1.show"};
        EXPECT_EQ(log(), row.dismisses ? dismissed : std::vector<std::string>{});
        EXPECT_EQ(form->splash() == nullptr, row.dismisses);
    }
}

// Each control of the questionnaire runs its own handler, and only its own.
TEST_F(FormsTest, QuestionnaireEventsReachTheirHandlers)
{
    click("frmSplash", SplashControl::Command1);
    log().clear();

    click("Form1", Form1Control::Label7);
    EXPECT_TRUE(control(Form1Control::Label7).bold);
    doubleClick("Form1", Form1Control::Label7);
    EXPECT_FALSE(control(Form1Control::Label7).bold);
    click("Form1", Form1Control::Label4);
    EXPECT_TRUE(form->answers().answer(4));

    // Headings and scores have no handler of their own, and no double-click answers.
    click("Form1", Form1Control::Label14);
    doubleClick("Form1", Form1Control::Label_dorvik);
    click("Form1", Form1Control::Picture1);
    EXPECT_FALSE(control(Form1Control::Label14).bold);
    EXPECT_TRUE(log().empty());

    struct Row {
        Form1Control control;
        std::vector<std::string> log;
    };
    const Row rows[] = {
        {Form1Control::Label_dorvik, {"box: Webmaster..."}},
        {Form1Control::Label_eldrano, {"box: Dr. Eldrano Vescandi..."}},
        {Form1Control::Command1, {}}, // arterial and locomotor: no beep, no box
        {Form1Control::Command2, {"quit 0"}},
    };
    for (const Row &row : rows) {
        log().clear();
        click("Form1", row.control);
        EXPECT_EQ(log(), row.log) << std::string(
            forms::kForm1Controls.at(services::rowOf(row.control)).id);
    }
    EXPECT_TRUE(runtime::hasEnded());
    EXPECT_EQ(runtime::endStatus(), 0);
    EXPECT_TRUE(control(Form1Control::Responso_locomotore).visible);
}

// What a screen reader is told after each handler, in reading order: the headings and
// scores row by row, then the explanations; an answer with its state. The uncertain
// verdict is told before its box opens. Nothing is told for a window not on screen.
TEST_F(FormsTest, ScreenReadersAreToldWhatEachHandlerChanged)
{
    const auto lines = [](std::initializer_list<std::string_view> parts) {
        std::string words;
        for (std::string_view part : parts) {
            if (!words.empty())
                words += '\n';
            words += part;
        }
        std::replace(words.begin(), words.end(), '\r', '\n');
        return words;
    };
    EXPECT_TRUE(recorder->announcements.empty()) << "the load is not told";
    click("frmSplash", SplashControl::Command1);
    EXPECT_TRUE(recorder->announcements.empty()) << "nor the dismissal";

    struct Row {
        std::uint32_t answers;
        std::string words;
    };
    const Row rows[] = {
        {0, lines({"Devi cliccare sulle domande!"})},
        {0b1, lines({"Patologia venosa...", scoreCaption(Score::Venous, 1),
                     scoreCaption(Score::Locomotor, 0), scoreCaption(Score::Arterial, 0),
                     report(Report::Venous)})},
        {0b10, lines({scoreCaption(Score::Venous, 0), "Patologia apparato locomotore...",
                      scoreCaption(Score::Locomotor, 1), scoreCaption(Score::Arterial, 1),
                      report(Report::Arterial), report(Report::Locomotor)})},
        {0b11, lines({scoreCaption(Score::Venous, 1), scoreCaption(Score::Locomotor, 1),
                      "Patologia incerta...", scoreCaption(Score::Arterial, 1)})},
    };
    for (const Row &row : rows) {
        for (const Question &q : questions()) {
            if (AnswerSheet::fromMask(row.answers).answer(q.number))
                click("Form1", forms::questionLabel(q.number));
            else
                doubleClick("Form1", forms::questionLabel(q.number));
        }
        std::size_t toldBeforeBox = 0;
        recorder->onBox = [&](const services::MessageBoxRequest &) {
            toldBeforeBox = recorder->announcements.size();
        };
        recorder->announcements.clear();
        click("Form1", Form1Control::Command1);
        ASSERT_EQ(recorder->announcements.size(), 1U) << row.answers;
        EXPECT_EQ(recorder->announcements[0].first, "Form1");
        EXPECT_EQ(recorder->announcements[0].second, row.words) << row.answers;
        if (!recorder->boxes.empty()) {
            EXPECT_EQ(toldBeforeBox, 1U) << "told before the box";
        }
        recorder->boxes.clear();
    }

    recorder->announcements.clear();
    click("Form1", Form1Control::Label3);
    doubleClick("Form1", Form1Control::Label3);
    const std::string third(questions()[2].text);
    const std::vector<std::pair<std::string, std::string>> answered{
        {"Form1", "spuntata " + third}, {"Form1", "non spuntata " + third}};
    EXPECT_EQ(recorder->announcements, answered);
}

// A kind of control that lacks the operation is a failure the guard reports.
TEST_F(FormsTest, WrongKindOfControlIsReportedAndEnds)
{
    runtime::handle([&] { form->controls().setBold(Form1Control::Command1, true); });
    const std::vector<std::string> expected{"frmSplash.create", "frmSplash.show", "Form1.create",
                                            "box: Tervanel", "quit 1"};
    EXPECT_EQ(log(), expected);
    EXPECT_EQ(runtime::endStatus(), 1);
}

} // namespace
} // namespace tervanel::test
