// What a screen reader gets from the windows, through Qt's accessibility interfaces.

#include "tests/support/ui_test.hpp"

#include "core/reports.hpp"
#include "forms/introduction/frm_splash.hpp"
#include "platform/qt/accessibility.hpp"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>

namespace tervanel::test {
namespace {

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

TEST_F(Form1Test, EveryControlHasANameAndTheWindowsToo)
{
    dismissIntroduction();
    for (std::size_t i = 0; i < controls().size(); ++i) {
        QWidget &w = window().widget(i);
        EXPECT_FALSE(nameOf(w).trimmed().isEmpty()) << w.objectName().toStdString();
    }
    EXPECT_EQ(nameOf(widget(Command1)), QStringLiteral("Responso"));
    EXPECT_EQ(nameOf(widget(Label14)), label(Label14).caption());
    EXPECT_TRUE(nameOf(widget(Picture1)).startsWith(QStringLiteral("Banner")));
    EXPECT_EQ(accessible(widget(Picture1)).role(), QAccessible::Graphic);
    EXPECT_EQ(nameOf(windowWidget()), windowWidget().windowTitle());
}

TEST_F(Form1Test, IntroductionControlsHaveNames)
{
    services::Window &splash = form->splash()->window();
    using enum forms::SplashControl;
    for (forms::SplashControl c : {Frame1, Image1, Label1, Label2, Label3, Command1})
        EXPECT_FALSE(nameOf(widgetOf(splash, c)).trimmed().isEmpty()) << int(c);
    EXPECT_EQ(accessible(widgetOf(splash, Image1)).role(), QAccessible::Graphic);
    EXPECT_TRUE(nameOf(widgetOf(splash, Label1)).startsWith(QStringLiteral("Capita spesso")));
    EXPECT_FALSE(nameOf(widgetOf(splash)).isEmpty());
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
        EXPECT_FALSE(iface.state().focusable) << "questions never take the keyboard focus";
        ASSERT_NE(iface.actionInterface(), nullptr);
        EXPECT_EQ(iface.actionInterface()->actionNames(),
                  QStringList({qt::kAnswerYesAction, qt::kTakeBackAction}));
    }

    struct Step {
        int question;
        const QString &action;
        std::uint32_t answers; // bit n - 1 for question n
    };
    const Step steps[] = {
        {3, qt::kAnswerYesAction, 0b100},
        {3, qt::kAnswerYesAction, 0b100},
        {12, qt::kAnswerYesAction, 0b1000'0000'0100},
        {3, qt::kTakeBackAction, 0b1000'0000'0000},
        {5, qt::kTakeBackAction, 0b1000'0000'0000},
    };
    for (const Step &step : steps) {
        const forms::Form1Control q = forms::questionLabel(step.question);
        accessible(widget(q)).actionInterface()->doAction(step.action);
        EXPECT_EQ(form->answers(), AnswerSheet::fromMask(step.answers))
            << step.question << " " << step.action.toStdString();
        EXPECT_EQ(accessible(widget(q)).state().checked, label(q).isBold());
    }
    EXPECT_EQ(widget(Label3).focusPolicy(), Qt::NoFocus);

    click(widget(Label7)); // the mouse works as before
    EXPECT_TRUE(accessible(widget(Label7)).state().checked);
}

TEST_F(Form1Test, VerdictTextsAreReadableAfterAPress)
{
    dismissIntroduction();
    accessible(widget(Label3)).actionInterface()->doAction(qt::kAnswerYesAction);
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

} // namespace
} // namespace tervanel::test
