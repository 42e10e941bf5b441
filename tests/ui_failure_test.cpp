// Failures: a window operation that fails in the middle of a handler, and pictures
// that are missing or damaged. Each is reported in a box and ends the program with
// status 1; what the handler did before the failure stays done; nothing crashes.

#include "tests/support/ui_test.hpp"

#include <QFile>
#include <QResource>

#include <string>

// The program's built-in resources, taken away and put back around a test.
static void removeBuiltInResources()
{
    Q_CLEANUP_RESOURCE(tervanel);
}

static void restoreBuiltInResources()
{
    Q_INIT_RESOURCE(tervanel);
}

namespace tervanel::test {
namespace {

using enum forms::Form1Control;

// Makes one operation on one control fail.
class FailAt final {
public:
    FailAt(RuntimeRecorder &runtime, std::string operation, std::string control)
        : m_runtime(runtime)
    {
        runtime.beforeOperation = [operation, control](std::string_view op, std::string_view name) {
            if (op == operation && name == control)
                throw std::runtime_error("operazione non riuscita");
        };
    }
    ~FailAt() { m_runtime.beforeOperation = {}; }
    FailAt(const FailAt &) = delete;
    FailAt &operator=(const FailAt &) = delete;

private:
    RuntimeRecorder &m_runtime;
};

void expectFailureReported(const RuntimeRecorder &runtime, const char *mentioning)
{
    ASSERT_EQ(runtime.boxes.size(), 1U);
    EXPECT_EQ(runtime.boxes[0].style, MessageStyle::Critical);
    EXPECT_EQ(runtime.boxes[0].title, "Tervanel");
    EXPECT_TRUE(runtime.boxes[0].prompt.starts_with("Errore di esecuzione"));
    EXPECT_TRUE(runtime.boxes[0].prompt.find(mentioning) != std::string::npos)
        << runtime.boxes[0].prompt;
    EXPECT_EQ(runtime.endStatus, 1);
}

TEST_F(Form1Test, FailureInTheMiddleOfAPressLeavesTheEarlierStepsDone)
{
    dismissIntroduction();
    click(widget(Label1));
    {
        FailAt failure(runtime, "show", "Picture1");
        click(widget(Command1));
    }
    expectFailureReported(runtime, "operazione non riuscita");
    // Done before the failure: headings cleared, scores shown and written.
    EXPECT_TRUE(widget(Label_a).isVisible());
    EXPECT_EQ(label(Label_a).caption(), QStringLiteral("Venosa: 1"));
    EXPECT_EQ(label(Responso).caption(), QString());
    // Not done: the banner and the venous verdict.
    EXPECT_FALSE(widget(Picture1).isVisible());
    EXPECT_FALSE(widget(Responso).isVisible());
    EXPECT_FALSE(widget(Diagnosi_venosa).isVisible());

    click(widget(Label2));
    EXPECT_FALSE(label(Label2).isBold()) << "no handler runs once the program is ending";
}

TEST(FailureAtLoad, ControlsHiddenBeforeTheFailureStayHidden)
{
    RuntimeRecorder runtime;
    std::unique_ptr<forms::Form1> form;
    {
        FailAt failure(runtime, "hide", "Picture1");
        form = std::make_unique<forms::Form1>();
        waitUntilMade(*form); // the load's hiding is done on it then
    }
    expectFailureReported(runtime, "operazione non riuscita");
    for (forms::Form1Control hidden :
         {Label_a, Label_b, Label_c, Responso, Responso_locomotore, responso_mix})
        EXPECT_TRUE(widgetOf(form->window(), hidden).isHidden());
    for (forms::Form1Control shown :
         {Picture1, Diagnosi_venosa, Diagnosi_arteriosa, Diagnosi_locomotore})
        EXPECT_FALSE(widgetOf(form->window(), shown).isHidden());
}

TEST_F(Form1Test, FailureWhileAnsweringIsReported)
{
    dismissIntroduction();
    FailAt failure(runtime, "setBold", "Label6");
    click(widget(Label6));
    expectFailureReported(runtime, "operazione non riuscita");
    EXPECT_FALSE(label(Label6).isBold());
}

// Creating the windows without their pictures, or with damaged ones in their place:
// the introduction's portrait is the first picture they need.
TEST(DamagedPictures, AreReportedNeverACrash)
{
    struct Row {
        const char *what;
        QString replacement; // a resource file with damaged pictures, or none at all
    };
    const Row rows[] = {
        {"missing", QString()},
        {"damaged", QStringLiteral(TERVANEL_DAMAGED_PICTURES)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        RuntimeRecorder runtime;
        removeBuiltInResources();
        if (!row.replacement.isEmpty()) {
            ASSERT_TRUE(QResource::registerResource(row.replacement));
        }
        EXPECT_EQ(QFile::exists(QStringLiteral(":/banner.pixels")), !row.replacement.isEmpty());
        std::unique_ptr<forms::Form1> form;
        services::runtime::handle([&] { form = std::make_unique<forms::Form1>(); });
        if (!row.replacement.isEmpty())
            QResource::unregisterResource(row.replacement);
        restoreBuiltInResources();
        expectFailureReported(runtime, "portrait.jpg");
        // The questionnaire's load stopped at the introduction, which never came up.
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->splash(), nullptr);
        EXPECT_FALSE(widgetOf(form->window()).isVisible());
    }
    // And with the pictures back, the window builds again.
    RuntimeRecorder runtime;
    forms::Form1 form;
    EXPECT_TRUE(runtime.boxes.empty());
}

// The banner is decoded when a press first shows it: a damaged one is reported then,
// with the press's earlier steps done.
TEST_F(Form1Test, DamagedBannerIsReportedAtTheFirstPress)
{
    dismissIntroduction();
    click(widget(Label3));
    removeBuiltInResources();
    ASSERT_TRUE(QResource::registerResource(QStringLiteral(TERVANEL_DAMAGED_PICTURES)));
    click(widget(Command1));
    QResource::unregisterResource(QStringLiteral(TERVANEL_DAMAGED_PICTURES));
    restoreBuiltInResources();
    expectFailureReported(runtime, "banner.gif");
    EXPECT_EQ(label(Label_c).caption(), QStringLiteral("Arteriosa: 1"));
    EXPECT_FALSE(widget(Picture1).isVisible());
}

} // namespace
} // namespace tervanel::test
