// What a screen reader gets from the windows, through Qt's accessibility interfaces.

#include "tests/support/ui_test.hpp"

#include "core/questions.hpp"
#include "core/reports.hpp"
#include "forms/introduction/frm_splash.hpp"
#include "harness/screen_reader_table.hpp"
#include "platform/qt/accessibility.hpp"
#include "platform/qt/convert.hpp"
#include "services/accessibility.hpp"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <span>
#include <stdexcept>
#include <string>

namespace tervanel::test {
namespace {

namespace a11y = services::accessibility;

QString actionName(a11y::Action action)
{
    return QString::fromUtf8(a11y::wordsOf(action).name);
}
const QString kAnswerYesAction = actionName(a11y::Action::AnswerYes);
const QString kTakeBackAction = actionName(a11y::Action::TakeBack);

using enum forms::Form1Control;

QAccessibleInterface &accessible(QWidget &widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&widget);
    if (!iface)
        throw std::runtime_error("no accessible interface for "
                                 + widget.objectName().toStdString());
    return *iface;
}

QString nameOf(QWidget &widget)
{
    return accessible(widget).text(QAccessible::Name);
}

std::size_t rowNamed(std::span<const services::ControlRow> rows, std::string_view id)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].id == id)
            return i;
    throw std::runtime_error("no control " + std::string(id));
}

class ScreenReaderTableTest : public Form1Test {
protected:
    QWidget &widgetFor(const harness::ScreenReaderRow &row) const
    {
        const bool splash = row.window == "frmSplash";
        services::Window &window = splash ? form->splash()->window() : form->window();
        if (row.control.empty())
            return widgetOf(window);
        const auto rows = splash ? std::span<const services::ControlRow>(forms::kSplashRows)
                                 : std::span<const services::ControlRow>(forms::kForm1Rows);
        return qt::qtWindow(harness::platformOf(window)).widget(rowNamed(rows, row.control));
    }

    // Every row of the table for that moment, as a screen reader reads it through Qt.
    void expectTable(harness::Moment when) const
    {
        int rows = 0;
        for (const harness::ScreenReaderRow &row : harness::screenReaderTable()) {
            if (row.when != when)
                continue;
            SCOPED_TRACE(std::string(row.window) + "." + std::string(row.control));
            ++rows;
            QAccessibleInterface &iface = accessible(widgetFor(row));
            EXPECT_EQ(iface.role(), qt::qtRole(row.role));
            const QString name = QString::fromStdString(row.name);
            if (row.namePrefix) {
                EXPECT_TRUE(iface.text(QAccessible::Name).startsWith(name))
                    << iface.text(QAccessible::Name).toStdString();
            } else {
                EXPECT_EQ(iface.text(QAccessible::Name), name);
            }
            EXPECT_EQ(iface.state().checkable, row.checkable);
            EXPECT_EQ(iface.state().checked, row.checked);
            if (row.control.empty())
                continue;
            QStringList expected;
            for (const a11y::Action action : row.actions)
                expected.append(a11y::wordsOf(action).name.empty()
                                    ? QAccessibleActionInterface::pressAction()
                                    : actionName(action));
            const QStringList names =
                iface.actionInterface() ? iface.actionInterface()->actionNames() : QStringList();
            EXPECT_EQ(names.mid(0, expected.size()), expected) << names.join(u',').toStdString();
        }
        EXPECT_GT(rows, 0);
    }
};

TEST_F(ScreenReaderTableTest, ScreenReadersFindWhatTheTableSays)
{
    expectTable(harness::Moment::Introduction);
    dismissIntroduction();
    expectTable(harness::Moment::Questionnaire);
    click(widget(Label1));
    press(Command1);
    expectTable(harness::Moment::AfterVenousPress);
}

// Every control is named, but a hidden label is nameless, whatever caption it kept; the
// questionnaire is a frame and the introduction a dialog, each named.
TEST_F(Form1Test, ShownControlsAndWindowsHaveNamesHiddenOnesNone)
{
    services::Window &splash = form->splash()->window();
    EXPECT_EQ(accessible(widgetOf(splash)).role(), QAccessible::Dialog);
    EXPECT_EQ(nameOf(widgetOf(splash)), QStringLiteral("Introduzione a Tervanel"));
    {
        using S = forms::SplashControl;
        for (S c : {S::Frame1, S::Image1, S::Label1, S::Label2, S::Label3, S::Command1})
            EXPECT_FALSE(nameOf(widgetOf(splash, c)).trimmed().isEmpty()) << int(c);
        EXPECT_EQ(accessible(widgetOf(splash, S::Image1)).role(), QAccessible::Graphic);
        EXPECT_TRUE(
            nameOf(widgetOf(splash, S::Label1)).startsWith(QStringLiteral("Capita spesso")));
    }

    dismissIntroduction();
    EXPECT_EQ(accessible(windowWidget()).role(), QAccessible::Window);
    EXPECT_EQ(nameOf(windowWidget()), windowWidget().windowTitle());
    for (std::size_t i = 0; i < controls().size(); ++i) {
        QWidget &w = window().widget(i);
        const bool nameless = qobject_cast<qt::Label *>(&w) && w.isHidden();
        EXPECT_EQ(nameOf(w).trimmed().isEmpty(), nameless) << w.objectName().toStdString();
    }
    EXPECT_EQ(nameOf(widget(Command1)), QStringLiteral("Responso"));
    EXPECT_EQ(accessible(widget(Command1)).role(), QAccessible::Button);
    EXPECT_EQ(nameOf(widget(Label14)), label(Label14).caption());
    EXPECT_EQ(accessible(widget(Picture1)).role(), QAccessible::Graphic);

    // After a press the banner and the shown labels are named, the others still not.
    label(Label1).setBold(true);
    press(Command1);
    EXPECT_TRUE(nameOf(widget(Picture1)).startsWith(QStringLiteral("Banner")));
    EXPECT_EQ(nameOf(widget(Responso)), QStringLiteral("Patologia venosa..."));
    EXPECT_TRUE(nameOf(widget(Diagnosi_arteriosa)).isEmpty());
    EXPECT_TRUE(nameOf(widget(responso_mix)).isEmpty());
}

// Questions are check boxes: checked is the answer; one action answers yes as a
// click does, the other takes it back as a double-click does.
TEST_F(Form1Test, QuestionsAreCheckBoxesWithTwoActions)
{
    dismissIntroduction();
    for (forms::Form1Control q : forms::kQuestionLabels) {
        QAccessibleInterface &iface = accessible(widget(q));
        EXPECT_EQ(iface.role(), QAccessible::CheckBox);
        EXPECT_EQ(iface.text(QAccessible::Name), label(q).caption());
        EXPECT_TRUE(iface.state().checkable);
        EXPECT_FALSE(iface.state().checked);
        EXPECT_TRUE(iface.state().focusable) << "questions take the keyboard focus";
        ASSERT_NE(iface.actionInterface(), nullptr);
        EXPECT_EQ(iface.actionInterface()->actionNames(),
                  QStringList({kAnswerYesAction, kTakeBackAction}));
    }

    struct Step {
        int question;
        const QString &action;
        std::uint32_t answers; // bit n - 1 for question n
    };
    const Step steps[] = {
        {3, kAnswerYesAction, 0b100},
        {3, kAnswerYesAction, 0b100},
        {12, kAnswerYesAction, 0b1000'0000'0100},
        {3, kTakeBackAction, 0b1000'0000'0000},
        {5, kTakeBackAction, 0b1000'0000'0000},
    };
    for (const Step &step : steps) {
        const forms::Form1Control q = forms::questionLabel(step.question);
        accessible(widget(q)).actionInterface()->doAction(step.action);
        EXPECT_EQ(form->answers(), AnswerSheet::fromMask(step.answers))
            << step.question << " " << step.action.toStdString();
        EXPECT_EQ(accessible(widget(q)).state().checked, label(q).isBold());
    }
    EXPECT_EQ(widget(Label3).focusPolicy(), Qt::TabFocus) << "Tab reaches it, a click does not";

    click(widget(Label7)); // the mouse works as before
    EXPECT_TRUE(accessible(widget(Label7)).state().checked);
    click(widget(Label7), Qt::RightButton); // takes back only for a screen reader
    EXPECT_TRUE(label(Label7).isBold());
}

TEST_F(Form1Test, VerdictTextsAreReadableAfterAPress)
{
    dismissIntroduction();
    accessible(widget(Label3)).actionInterface()->doAction(kAnswerYesAction);
    accessible(widget(Command1))
        .actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    // The button's press action animates a click, which lands a moment later.
    ASSERT_TRUE(QTest::qWaitFor([&] { return widget(Diagnosi_arteriosa).isVisible(); }));

    QAccessibleInterface &explanation = accessible(widget(Diagnosi_arteriosa));
    EXPECT_FALSE(explanation.state().invisible);
    EXPECT_EQ(explanation.role(), QAccessible::StaticText);
    QString arterial = QString::fromUtf8(report(Report::Arterial).data());
    arterial.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    EXPECT_EQ(explanation.text(QAccessible::Name), arterial);
    EXPECT_EQ(nameOf(widget(responso_mix)), QStringLiteral("Patologia arteriosa..."));
    EXPECT_TRUE(accessible(widget(Diagnosi_venosa)).state().invisible);
}

// While a message box is open, no accessible action reaches the window behind it:
// no answer changes and no button starts a press.
TEST_F(Form1Test, AccessibleActionsWaitForAnOpenBox)
{
    dismissIntroduction();
    label(Label1).setBold(true);
    struct Attempt {
        forms::Form1Control control;
        QString action;
    };
    const Attempt attempts[] = {
        {Label5, kAnswerYesAction},
        {Label1, kTakeBackAction},
        {Command1, QAccessibleActionInterface::pressAction()},
        {Command2, QAccessibleActionInterface::pressAction()},
    };
    int tried = 0;
    runtime.onBox = [&](const services::MessageBoxRequest &) {
        for (const Attempt &attempt : attempts) {
            accessible(widget(attempt.control)).actionInterface()->doAction(attempt.action);
            QCoreApplication::processEvents();
            EXPECT_EQ(form->answers(), AnswerSheet::fromMask(0b1))
                << widget(attempt.control).objectName().toStdString();
            // A press that went through would have put the button down at once.
            if (auto *button = qobject_cast<QPushButton *>(&widget(attempt.control))) {
                EXPECT_FALSE(button->isDown()) << button->objectName().toStdString();
            }
            ++tried;
        }
    };
    click(widget(Label_dorvik)); // the author's box
    EXPECT_EQ(tried, 4);
    ASSERT_EQ(runtime.boxes.size(), 1U);
    EXPECT_FALSE(runtime.endStatus.has_value());

    runtime.onBox = {};
    accessible(widget(Label5)).actionInterface()->doAction(kAnswerYesAction);
    EXPECT_EQ(form->answers(), AnswerSheet::fromMask(0b10001)) << "the box closed: answers again";
}

// The window's notice is its last child: never on screen, never focused.
QAccessibleInterface &noticeOf(QWidget &window)
{
    QAccessibleInterface &iface = accessible(window);
    return *iface.child(iface.childCount() - 1);
}

QString joined(std::initializer_list<std::string_view> parts)
{
    QStringList texts;
    for (std::string_view part : parts)
        texts.append(
            qt::displayText(QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()))));
    return texts.join(QLatin1Char('\n'));
}

// After each press the notice says, once and in reading order, what the press put on
// the window: headings and scores row by row, then the explanations. An empty
// heading says nothing.
TEST_F(Form1Test, APressIsSpokenOnceInReadingOrder)
{
    dismissIntroduction();
    QAccessibleInterface &notice = noticeOf(windowWidget());
    EXPECT_EQ(notice.role(), QAccessible::Notification);
    EXPECT_TRUE(notice.state().invisible);

    struct Press {
        std::uint32_t answers;
        QString spoken;
    };
    const Press presses[] = {
        {0, joined({"Devi cliccare sulle domande!"})},
        {0b1, joined({"Patologia venosa...", scoreCaption(Score::Venous, 1),
                      scoreCaption(Score::Locomotor, 0), scoreCaption(Score::Arterial, 0),
                      report(Report::Venous)})},
        {0b1, joined({"Patologia venosa...", scoreCaption(Score::Venous, 1),
                      scoreCaption(Score::Locomotor, 0), scoreCaption(Score::Arterial, 0),
                      report(Report::Venous)})},
        {0b10, joined({scoreCaption(Score::Venous, 0), "Patologia apparato locomotore...",
                       scoreCaption(Score::Locomotor, 1), scoreCaption(Score::Arterial, 1),
                       report(Report::Arterial), report(Report::Locomotor)})},
        {0b11, joined({scoreCaption(Score::Venous, 1), scoreCaption(Score::Locomotor, 1),
                       "Patologia incerta...", scoreCaption(Score::Arterial, 1)})},
    };
    for (const Press &p : presses) {
        for (forms::Form1Control q : forms::kQuestionLabels)
            label(q).setBold(false);
        for (const Question &q : questions())
            label(forms::questionLabel(q.number))
                .setBold(AnswerSheet::fromMask(p.answers).answer(q.number));
        QCoreApplication::processEvents(); // the answers are confirmed first
        press(Command1);
        QCoreApplication::processEvents(); // the notice speaks once the press is over
        EXPECT_EQ(notice.text(QAccessible::Name), p.spoken) << p.answers;
    }
}

// Answering or taking back, by any route, is confirmed with the question's new state.
TEST_F(Form1Test, AnswersAreConfirmed)
{
    dismissIntroduction();
    QAccessibleInterface &notice = noticeOf(windowWidget());
    const QString third = label(Label3).caption();
    struct Step {
        const char *route;
        std::function<void()> act;
        QString spoken;
    };
    auto action = [this](const QString &name) {
        return [this, name] { accessible(widget(Label3)).actionInterface()->doAction(name); };
    };
    const Step steps[] = {
        {"click", [this] { click(widget(Label3)); }, QStringLiteral("spuntata ") + third},
        {"double-click", [this] { doubleClick(widget(Label3)); },
         QStringLiteral("non spuntata ") + third},
        {"answer action", action(kAnswerYesAction), QStringLiteral("spuntata ") + third},
        {"take-back action", action(kTakeBackAction), QStringLiteral("non spuntata ") + third},
    };
    for (const Step &step : steps) {
        step.act();
        QCoreApplication::processEvents();
        EXPECT_EQ(notice.text(QAccessible::Name), step.spoken) << step.route;
    }
}

} // namespace
} // namespace tervanel::test
