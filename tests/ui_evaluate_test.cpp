// The click of "Responso": what a press leaves on the window, from a fresh window
// and after earlier presses, checked against the verdicts the core calls for.

#include "platform/qt/convert.hpp"
#include "tests/support/ui_test.hpp"
#include "tests/support/verdict_model.hpp"

#include "core/reports.hpp"
#include "core/scoring.hpp"

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QTest>

#include <initializer_list>
#include <map>
#include <set>
#include <string>

namespace tervanel::test {
namespace {

using enum forms::Form1Control;
using forms::Form1Control;

const QString kNoAnswer = QStringLiteral("Devi cliccare sulle domande!");
const QString kVenous = QStringLiteral("Patologia venosa...");
const QString kArterial = QStringLiteral("Patologia arteriosa...");
const QString kLocomotor = QStringLiteral("Patologia apparato locomotore...");
const QString kUncertain = QStringLiteral("Patologia incerta...");

// What the window shows after a press: the visible verdict controls, and the
// captions of the visible headings.
struct Shown {
    std::set<Form1Control> visible;
    std::map<Form1Control, QString> headings;
    bool operator==(const Shown &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Shown &shown)
{
    for (Form1Control c : shown.visible) {
        out << std::string(forms::kForm1Controls.at(static_cast<std::size_t>(c)).id);
        if (auto h = shown.headings.find(c); h != shown.headings.end())
            out << " \"" << h->second.toStdString() << "\"";
        out << "; ";
    }
    return out;
}

class EvaluateTest : public Form1Test {
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        dismissIntroduction();
    }

    void answer(std::initializer_list<int> yes)
    {
        for (Form1Control q : forms::kQuestionLabels)
            if (label(q).isBold())
                doubleClick(widget(q));
        for (int n : yes)
            click(widget(forms::questionLabel(n)));
    }

    void pressResponso() { click(widget(Command1)); }

    [[nodiscard]] Shown shown() const
    {
        Shown s;
        for (Form1Control c : kVerdictControls) {
            if (!widget(c).isVisible())
                continue;
            s.visible.insert(c);
            if (c == Responso || c == Responso_locomotore || c == responso_mix)
                s.headings[c] = label(c).caption();
        }
        return s;
    }

    void expectHighlighted(Form1Control heading) const
    {
        const qt::Label &l = label(heading);
        EXPECT_TRUE(l.isBold()) << l.objectName().toStdString();
        EXPECT_EQ(l.palette().color(QPalette::WindowText), QColor(0xFF0000))
            << l.objectName().toStdString();
        EXPECT_EQ(l.palette().color(QPalette::Window), QColor(0xFFFFFF))
            << l.objectName().toStdString();
    }
};

const std::set<Form1Control> kScoresAndBanner{Label_a, Label_b, Label_c, Picture1};

std::set<Form1Control> withScores(std::initializer_list<Form1Control> more)
{
    std::set<Form1Control> s = kScoresAndBanner;
    s.insert(more);
    return s;
}

// Every row of the final-state table, from a freshly loaded window.
TEST_F(EvaluateTest, FinalStatesFromAFreshWindow)
{
    struct Row {
        std::initializer_list<int> yes;
        Shown expected;
        int beeps;
        int boxes;
    };
    const Row rows[] = {
        {{}, {{Responso_locomotore}, {{Responso_locomotore, kNoAnswer}}}, 1, 0},
        {{1}, {withScores({Responso, Diagnosi_venosa}), {{Responso, kVenous}}}, 0, 0},
        {{1, 2, 5},
         {withScores({Responso, Responso_locomotore, Diagnosi_venosa, Diagnosi_locomotore}),
          {{Responso, kVenous}, {Responso_locomotore, kLocomotor}}},
         0,
         0},
        {{3}, {withScores({responso_mix, Diagnosi_arteriosa}), {{responso_mix, kArterial}}}, 0, 0},
        {{2},
         {withScores({Responso, Responso_locomotore, Diagnosi_arteriosa, Diagnosi_locomotore}),
          {{Responso, QString()}, {Responso_locomotore, kLocomotor}}},
         0,
         0},
        {{1, 3}, {withScores({responso_mix}), {{responso_mix, kUncertain}}}, 0, 1},
        {{1, 2}, {withScores({responso_mix}), {{responso_mix, kUncertain}}}, 0, 1},
    };
    for (const Row &row : rows) {
        form = std::make_unique<forms::Form1>();
        dismissIntroduction();
        runtime.beeps = 0;
        runtime.boxes.clear();
        answer(row.yes);
        pressResponso();
        EXPECT_EQ(shown(), row.expected)
            << "answers " << ::testing::PrintToString(std::vector<int>(row.yes));
        EXPECT_EQ(runtime.beeps, row.beeps);
        EXPECT_EQ(runtime.boxes.size(), static_cast<std::size_t>(row.boxes));
        for (const auto &[heading, caption] : row.expected.headings)
            expectHighlighted(heading);
    }
}

TEST_F(EvaluateTest, ScoresAreCountedAfreshAtEveryPress)
{
    answer({1, 2, 5});
    for (int press = 0; press < 2; ++press) {
        pressResponso();
        EXPECT_EQ(label(Label_a).caption(), QStringLiteral("Venosa: 2"));
        EXPECT_EQ(label(Label_b).caption(), QStringLiteral("Apparato Locomotore: 1"));
        EXPECT_EQ(label(Label_c).caption(), QStringLiteral("Arteriosa: 1"));
    }
    answer({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    pressResponso();
    EXPECT_EQ(label(Label_a).caption(), QStringLiteral("Venosa: 6"));
    EXPECT_EQ(label(Label_b).caption(), QStringLiteral("Apparato Locomotore: 3"));
    EXPECT_EQ(label(Label_c).caption(), QStringLiteral("Arteriosa: 7"));
    EXPECT_EQ(form->answers(), AnswerSheet::fromMask(0x1FFF))
        << "a press never touches the answers";
}

// Presses that depend on what the press before them left.
TEST_F(EvaluateTest, PressSequences)
{
    struct Row {
        const char *what;
        std::initializer_list<int> before; // answers of the first press
        std::initializer_list<int> after;  // answers of the second press
        Shown expected;
    };
    const Row rows[] = {
        {"no answer after a verdict",
         {1, 2, 5},
         {},
         {{Responso_locomotore}, {{Responso_locomotore, kNoAnswer}}}},
        {"venous after no answer hides the reminder",
         {},
         {1},
         {withScores({Responso, Diagnosi_venosa}), {{Responso, kVenous}}}},
        {"arterial after no answer leaves the reminder's row empty",
         {},
         {3},
         {withScores({Responso_locomotore, responso_mix, Diagnosi_arteriosa}),
          {{Responso_locomotore, QString()}, {responso_mix, kArterial}}}},
        {"arterial after venous and locomotor",
         {1, 2, 5},
         {3},
         {withScores({Responso_locomotore, responso_mix, Diagnosi_arteriosa}),
          {{Responso_locomotore, QString()}, {responso_mix, kArterial}}}},
        {"uncertain after venous",
         {1},
         {1, 3},
         {withScores({responso_mix}), {{responso_mix, kUncertain}}}},
        {"venous after uncertain",
         {1, 3},
         {1},
         {withScores({Responso, Diagnosi_venosa}), {{Responso, kVenous}}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        form = std::make_unique<forms::Form1>();
        dismissIntroduction();
        answer(row.before);
        pressResponso();
        answer(row.after);
        pressResponso();
        EXPECT_EQ(shown(), row.expected);
        for (const auto &[heading, caption] : row.expected.headings)
            expectHighlighted(heading);
    }
}

TEST_F(EvaluateTest, LocomotorHeadingKeepsItsCaptionWhileHidden)
{
    answer({1, 2});
    pressResponso();
    EXPECT_FALSE(widget(Responso_locomotore).isVisible());
    EXPECT_EQ(label(Responso_locomotore).caption(), kLocomotor);
    expectHighlighted(Responso_locomotore);
}

// The uncertain box is the press's last action: behind it the window is final.
TEST_F(EvaluateTest, UncertainBoxComesLastOverTheFinalWindow)
{
    answer({1, 2});
    Shown behindTheBox;
    runtime.onBox = [&](const services::MessageBoxRequest &) { behindTheBox = shown(); };
    pressResponso();
    ASSERT_EQ(runtime.boxes.size(), 1U);
    const Message message = uncertainMessage();
    EXPECT_EQ(runtime.boxes[0].title, message.title);
    EXPECT_EQ(runtime.boxes[0].prompt, message.prompt);
    EXPECT_EQ(runtime.boxes[0].style, MessageStyle::Information);
    EXPECT_EQ(behindTheBox, shown());
}

// The real box of the uncertain verdict, closed with Enter from inside its own loop;
// the press ends only when it is closed.
TEST_F(EvaluateTest, RealUncertainBoxClosesWithEnter)
{
    answer({1, 3});
    runtime.showBoxes = true;
    ModalBoxCloser closer(Qt::Key_Return);
    pressResponso();
    ASSERT_TRUE(closer.seen.has_value()) << "no box was shown";
    EXPECT_EQ(closer.seen->title, QStringLiteral("Diagnosi Incerta"));
    EXPECT_EQ(closer.seen->icon, QMessageBox::Information);
    EXPECT_EQ(closer.seen->buttons, 1);
    EXPECT_TRUE(closer.seen->text.startsWith(QStringLiteral(
        "Le risposte non sono significative ed univoche per una diagnosi certa\nI sintomi")));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// The beep of the no-answer step comes after its hides.
TEST_F(EvaluateTest, BeepComesAfterTheHides)
{
    answer({1});
    pressResponso();
    answer({});
    bool hiddenAtBeep = false;
    runtime.onBeep = [&] {
        hiddenAtBeep = !widget(Label_a).isVisible() && !widget(Picture1).isVisible()
                       && !widget(Responso).isVisible();
    };
    pressResponso();
    EXPECT_TRUE(hiddenAtBeep);
}

// Every one of the 8,192 answer sheets pressed on the real window (fresh for each),
// the visible outcome compared with what the core's verdict steps call for.
TEST(EvaluateAll, EverySheetShowsWhatItsStepsCallFor)
{
    RuntimeRecorder runtime;
    for (std::uint32_t mask = 0; mask < (1U << kQuestionCount); ++mask) {
        forms::Form1 form;
        const auto &c = form.controls();
        const qt::Window &w = qt::qtWindow(harness::platformOf(form.window()));
        for (int n = 1; n <= kQuestionCount; ++n)
            c.setBold(forms::questionLabel(n), ((mask >> (n - 1)) & 1U) != 0);
        runtime.beeps = 0;
        runtime.boxes.clear();
        w.button(services::rowOf(Command1)).click();

        const PressOutcome expected = expectedOutcome(score(AnswerSheet::fromMask(mask)));
        for (Form1Control v : kVerdictControls) {
            // What the press leaves to history is, on a fresh window, still hidden.
            const auto decided = expected.visible.find(v);
            const bool visible = decided != expected.visible.end() && decided->second;
            const QWidget &control = w.widget(services::rowOf(v));
            ASSERT_EQ(!control.isHidden(), visible)
                << "mask " << mask << ", " << control.objectName().toStdString();
        }
        for (const auto &[control, caption] : expected.captions)
            ASSERT_EQ(w.label(services::rowOf(control)).caption(), caption) << "mask " << mask;
        ASSERT_EQ(runtime.beeps, expected.beeps) << "mask " << mask;
        ASSERT_EQ(static_cast<int>(runtime.boxes.size()), expected.boxes) << "mask " << mask;
        ASSERT_EQ(form.answers(), AnswerSheet::fromMask(mask));
    }
}

} // namespace
} // namespace tervanel::test
