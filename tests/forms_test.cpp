// The two windows on window services that record what they are asked, with no toolkit
// at all: this test is compiled without Qt on its include path and linked without Qt,
// as a second platform's build takes the forms. It checks what the forms themselves
// decide: which event runs which handler, and what load and dismissal ask of the platform.

#include "forms/introduction/frm_splash.hpp"
#include "forms/questionnaire/form1.hpp"
#include "services/runtime.hpp"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tervanel::test {
namespace {

using forms::Form1Control;
using forms::SplashControl;
namespace runtime = services::runtime;

// One window as the fake platform holds it: what each control shows, and a log of the
// window's own operations.
struct FakeWindow final : services::Window {
    FakeWindow(const services::WindowDescription &description, services::WindowEvents &handlers,
               std::vector<std::string> &platformLog)
        : id(description.id)
        , events(handlers)
        , log(platformLog)
    {
        for (const services::ControlRow &row : description.controls)
            controls.push_back({std::string(row.text), true, false, false});
    }

    void show() override { record("show"); }
    void hide() override { record("hide"); }
    void unload() override
    {
        unloaded = true;
        record("unload");
    }
    void setText(std::size_t c, std::string_view text) override { controls.at(c).text = text; }
    void setVisible(std::size_t c, bool visible) override { controls.at(c).visible = visible; }
    [[nodiscard]] bool bold(std::size_t c) const override { return controls.at(c).bold; }
    void setBold(std::size_t c, bool bold) override { controls.at(c).bold = bold; }
    void setForeColor(std::size_t, services::VbColor) override {}
    void setBackColor(std::size_t, services::VbColor) override {}
    void setPicture(std::size_t c, services::PictureId) override { controls.at(c).picture = true; }
    [[nodiscard]] bool hasPicture(std::size_t c) const override { return controls.at(c).picture; }
    void setFocus(std::size_t) override {}
    void setToolTip(std::size_t, std::string_view) override {}
    void setDescription(std::size_t, std::string_view) override {}

    void record(const char *what) { log.push_back(id + "." + what); }

    struct Control {
        std::string text;
        bool visible, bold, picture;
    };
    std::string id;
    services::WindowEvents &events;
    std::vector<std::string> &log;
    std::vector<Control> controls;
    bool unloaded = false;
};

struct FakeServices final : services::WindowServices {
    std::unique_ptr<services::Window> createWindow(const services::WindowDescription &description,
                                                   services::WindowEvents &events) override
    {
        auto window = std::make_unique<FakeWindow>(description, events, log);
        windows[std::string(description.id)] = window.get();
        window->record("create");
        return window;
    }
    void messageBox(const services::MessageBoxRequest &request) override
    {
        log.push_back("box: " + request.title);
    }
    void beep() override { log.push_back("beep"); }
    void quit(int status) override { log.push_back("quit " + std::to_string(status)); }

    std::vector<std::string> log;
    std::map<std::string, FakeWindow *> windows;
};

class FormsTest : public ::testing::Test {
public: // the rows of the tables below act on it
    void SetUp() override
    {
        runtime::resetEnded();
        runtime::install(services);
        form = std::make_unique<forms::Form1>();
    }
    void TearDown() override
    {
        form.reset();
        runtime::resetEnded();
    }

    [[nodiscard]] FakeWindow &window(const char *id) { return *services.windows.at(id); }
    template <class Name> void click(const char *id, Name control)
    {
        window(id).events.click(services::rowOf(control));
    }
    template <class Name> void doubleClick(const char *id, Name control)
    {
        window(id).events.doubleClick(services::rowOf(control));
    }
    [[nodiscard]] FakeWindow::Control &control(Form1Control c)
    {
        return window("Form1").controls.at(services::rowOf(c));
    }

    FakeServices services;
    std::unique_ptr<forms::Form1> form;
};

TEST_F(FormsTest, LoadHidesTheQuestionnaireAndShowsTheIntroductionAlone)
{
    const std::vector<std::string> expected{"Form1.create", "Form1.hide", "frmSplash.create",
                                            "frmSplash.show"};
    EXPECT_EQ(services.log, expected);
    for (Form1Control result : forms::kResultControls)
        EXPECT_FALSE(control(result).visible);
    EXPECT_EQ(control(forms::questionLabel(1)).text, questions().front().text);
    EXPECT_TRUE(window("frmSplash").controls.at(services::rowOf(SplashControl::Image1)).picture);
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
        {"a character", [](FormsTest &t) { t.window("frmSplash").events.keyPress(U'x'); }, true},
        {"by Dorvik", [](FormsTest &t) { t.click("frmSplash", SplashControl::Label3); }, false},
        {"double-click", [](FormsTest &t) { t.doubleClick("frmSplash", SplashControl::Label1); },
         false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.route);
        TearDown();
        services.log.clear();
        SetUp();
        services.log.clear();
        row.act(*this);
        row.act(*this); // a second event, as when two arrive together
        const std::vector<std::string> dismissed{"frmSplash.unload", "Form1.show"};
        EXPECT_EQ(services.log, row.dismisses ? dismissed : std::vector<std::string>{});
        EXPECT_EQ(form->splash() == nullptr, row.dismisses);
    }
}

// Each control of the questionnaire runs its own handler, and only its own.
TEST_F(FormsTest, QuestionnaireEventsReachTheirHandlers)
{
    click("frmSplash", SplashControl::Command1);
    services.log.clear();

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
    EXPECT_TRUE(services.log.empty());

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
        services.log.clear();
        click("Form1", row.control);
        EXPECT_EQ(services.log, row.log)
            << std::string(forms::kForm1Controls.at(services::rowOf(row.control)).id);
    }
    EXPECT_TRUE(runtime::hasEnded());
    EXPECT_EQ(runtime::endStatus(), 0);
    EXPECT_TRUE(control(Form1Control::Responso_locomotore).visible);
}

// A kind of control that lacks the operation is a failure the guard reports.
TEST_F(FormsTest, WrongKindOfControlIsReportedAndEnds)
{
    runtime::handle([&] { form->controls().setBold(Form1Control::Command1, true); });
    const std::vector<std::string> expected{"Form1.create",   "Form1.hide",    "frmSplash.create",
                                            "frmSplash.show", "box: Tervanel", "quit 1"};
    EXPECT_EQ(services.log, expected);
    EXPECT_EQ(runtime::endStatus(), 1);
}

} // namespace
} // namespace tervanel::test
