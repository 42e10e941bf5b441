// The questionnaire window as built and loaded, and its answering, credits and end.

#include "tests/support/ui_test.hpp"

#include "core/questions.hpp"
#include "forms/introduction/frm_splash.hpp"
#include "forms/questionnaire/form1.hpp"
#include "platform/qt/look.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <set>
#include <string>

namespace tervanel::test {
namespace {

using enum forms::Form1Control;
using forms::Form1Control;

std::string nameOf(const QWidget &w)
{
    return w.objectName().toStdString();
}

TEST_F(Form1Test, WindowIsFixedWhiteAndTitledWithTheWebAddress)
{
    EXPECT_EQ(windowWidget().windowTitle(), QStringLiteral("Tervanel by www.dorvik.example"));
    EXPECT_EQ(windowWidget().size(), QSize(701, 513));
    EXPECT_EQ(windowWidget().minimumSize(), windowWidget().maximumSize())
        << "the user must not resize it";
    EXPECT_EQ(windowWidget().pos(), QPoint(0, 0))
        << "its frame stands in the screen's top-left corner";
    EXPECT_EQ(windowWidget().palette().color(QPalette::Window), QColor(0xFFFFFF));
    EXPECT_FALSE(windowWidget().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(windowWidget().font().family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(windowWidget().font().pixelSize(), 11);
    EXPECT_FALSE(windowWidget().font().bold());
}

TEST_F(Form1Test, QuestionsStandInACaptionedColumnOnePixelRowApart)
{
    for (const Question &q : questions()) {
        const qt::Label &l = label(forms::questionLabel(q.number));
        SCOPED_TRACE(nameOf(l));
        EXPECT_EQ(nameOf(l), std::string(q.label));
        EXPECT_EQ(l.caption(),
                  QString::fromUtf8(q.text.data(), static_cast<qsizetype>(q.text.size())));
        // 600 + 360 (n - 1) twips from the top: 40 + 24 (n - 1) pixels; 7005 x 300 twips.
        EXPECT_EQ(l.geometry(), toQRect(screen::questionRow(q.number)));
        EXPECT_EQ(l.palette().color(QPalette::WindowText), QColor(0x0000C0));
        EXPECT_EQ(l.palette().color(QPalette::Window), QColor(0xC0FFFF));
        EXPECT_FALSE(l.isBold());
        EXPECT_TRUE(l.autoFillBackground()) << "labels are opaque";
        EXPECT_EQ(l.alignment(), Qt::AlignTop | Qt::AlignLeft);
    }
}

TEST_F(Form1Test, EveryControlLiesInsideTheClientArea)
{
    const QRect client = windowWidget().rect();
    for (std::size_t i = 0; i < controls().size(); ++i) {
        const QWidget &w = window().widget(i);
        EXPECT_TRUE(client.contains(w.geometry())) << nameOf(w);
    }
    EXPECT_EQ(controls().size(), 29U);
    EXPECT_EQ(widget(Label13).geometry().bottom() + 1, 348);      // 5220 twips
    EXPECT_EQ(widget(Picture1).geometry().bottom() + 1, 508);     // 7620 twips
    EXPECT_EQ(widget(Label_dorvik).geometry().bottom() + 1, 505); // 7575 twips
}

TEST_F(Form1Test, OnlyTheStackedRowsOverlapAndByOnePixel)
{
    const std::set<std::pair<Form1Control, Form1Control>> stacked{
        {Label15, Label14},
        {Responso_locomotore, Responso},
        {responso_mix, Responso_locomotore},
        {Label_b, Label_a},
        {Label_c, Label_b}};
    for (std::size_t i = 0; i < controls().size(); ++i) {
        for (std::size_t j = i + 1; j < controls().size(); ++j) {
            const QWidget &a = window().widget(i);
            const QWidget &b = window().widget(j);
            const QRect overlap = a.geometry() & b.geometry();
            const auto pair = std::pair(static_cast<Form1Control>(i), static_cast<Form1Control>(j));
            if (stacked.contains(pair))
                EXPECT_EQ(overlap.height(), 1) << nameOf(a) << " / " << nameOf(b);
            else
                EXPECT_TRUE(overlap.isEmpty()) << nameOf(a) << " / " << nameOf(b);
        }
    }
}

TEST_F(Form1Test, ControlsHaveTheirColoursFontsAndAlignment)
{
    struct Row {
        Form1Control control;
        QRgb text;
        QRgb background;
        int pixelSize;
        bool bold;
        bool centred;
    };
    const Row rows[] = {
        {Label14, 0xFFFFC0, 0x8080FF, 13, true, true},
        {Label15, 0xFFFF80, 0x8080FF, 13, true, true},
        {Label_eldrano, 0xC0FFFF, 0x0000FF, 11, true, true},
        {Label_dorvik, 0x808080, 0xFFFFFF, 11, false, true},
        {Responso, 0xC00000, 0x8080FF, 11, false, false},
        {Responso_locomotore, 0xC00000, 0x8080FF, 11, false, false},
        {responso_mix, 0xC00000, 0x8080FF, 11, false, false},
        {Label_a, 0x8080FF, 0xFFFFFF, 11, false, false},
        {Label_b, 0x8080FF, 0xFFFFFF, 11, false, false},
        {Label_c, 0x8080FF, 0xFFFFFF, 11, false, false},
        {Diagnosi_venosa, 0xC00000, 0xC0C0FF, 11, false, false},
        {Diagnosi_arteriosa, 0xC00000, 0xC0C0FF, 11, false, false},
        {Diagnosi_locomotore, 0xC00000, 0xC0C0FF, 11, false, false},
    };
    for (const Row &row : rows) {
        const qt::Label &l = label(row.control);
        SCOPED_TRACE(nameOf(l));
        EXPECT_EQ(l.palette().color(QPalette::WindowText).rgb(), QColor(row.text).rgb());
        EXPECT_EQ(l.palette().color(QPalette::Window).rgb(), QColor(row.background).rgb());
        EXPECT_EQ(l.font().pixelSize(), row.pixelSize);
        EXPECT_EQ(l.font().bold(), row.bold);
        EXPECT_EQ((l.alignment() & Qt::AlignHCenter) != 0, row.centred);
    }
    EXPECT_EQ(label(Label_eldrano).caption(),
              QStringLiteral("   Realizzato dal Dr. Eldrano Vescandi "));
    EXPECT_EQ(label(Diagnosi_venosa).caption(), QStringLiteral("Diagnosi_venosa"));
}

TEST_F(Form1Test, BannerFillsItsBoxInsideATwoPixelBorder)
{
    const qt::Picture &banner = picture(Picture1);
    EXPECT_TRUE(banner.picture().isNull()) << "decoded only when first shown";
    dismissIntroduction();
    click(widget(Label1));
    press(Command1);
    EXPECT_EQ(banner.geometry(), QRect(31, 404, 404, 104));
    EXPECT_EQ(banner.contentsRect().translated(banner.pos()), toQRect(screen::kBanner));
    EXPECT_EQ(banner.picture().size(), QSize(400, 100));
    EXPECT_EQ(banner.toolTip(), QStringLiteral("www.dorvik.example"));
}

TEST_F(Form1Test, LoadHidesItselfShowsTheIntroductionAndHidesTheTenResults)
{
    EXPECT_FALSE(windowWidget().isVisible());
    ASSERT_NE(form->splash(), nullptr);
    EXPECT_TRUE(widgetOf(form->splash()->window()).isVisible());

    dismissIntroduction();
    const std::set<Form1Control> results(forms::kResultControls.begin(),
                                         forms::kResultControls.end());
    int visible = 0;
    for (std::size_t i = 0; i < controls().size(); ++i) {
        const QWidget &w = window().widget(i);
        EXPECT_EQ(w.isVisible(), !results.contains(static_cast<Form1Control>(i))) << nameOf(w);
        visible += w.isVisible() ? 1 : 0;
    }
    EXPECT_EQ(visible, 19);
    EXPECT_EQ(form->answers(), AnswerSheet{});
}

TEST_F(Form1Test, FocusStartsOnResponsoAndTabSkipsTheHiddenBanner)
{
    dismissIntroduction();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&windowWidget()));
    auto &responso = static_cast<QPushButton &>(widget(Command1));
    auto &fine = static_cast<QPushButton &>(widget(Command2));
    EXPECT_EQ(QApplication::focusWidget(), &responso);
    for (QPushButton *button : {&responso, &fine}) {
        EXPECT_FALSE(button->isDefault()) << nameOf(*button);
        EXPECT_FALSE(button->autoDefault()) << nameOf(*button);
    }

    // Enter, keypad Enter and Space press the focused button; without an answer a press
    // of Responso beeps once. Other keys and Enter with a modifier press nothing.
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int presses;
    };
    const Key keys[] = {
        {Qt::Key_Return, Qt::NoModifier, 1},      {Qt::Key_Enter, Qt::KeypadModifier, 1},
        {Qt::Key_Space, Qt::NoModifier, 1},       {Qt::Key_Escape, Qt::NoModifier, 0},
        {Qt::Key_Return, Qt::ControlModifier, 0}, {Qt::Key_A, Qt::NoModifier, 0},
    };
    for (const Key &k : keys) {
        const int before = runtime.beeps;
        keyClick(windowWidget(), k.key, k.modifiers);
        EXPECT_EQ(runtime.beeps - before, k.presses) << "key " << static_cast<int>(k.key);
        EXPECT_EQ(QApplication::focusWidget(), &responso) << "a press keeps the focus";
    }

    keyClick(windowWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &fine) << "the banner is hidden";
    keyClick(windowWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &responso);

    controls().show(Picture1);
    keyClick(windowWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &widget(Picture1));
    keyClick(windowWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &fine);
    // Round to the questions, top to bottom, and back.
    keyClick(windowWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &widget(Label1));
    keyClick(windowWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &widget(Label2));
    keyClick(windowWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    keyClick(windowWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &fine);
    keyClick(windowWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(runtime.endStatus, std::optional(0)) << "keypad Enter on Fine ends the program";
}

// A click answers yes, a double-click (which arrives as a click, then a double-click)
// answers no, whatever came before; only the label clicked changes.
TEST_F(Form1Test, ClicksAnswerAndDoubleClicksTakeBack)
{
    enum Action { Click, DoubleClick };
    struct Row {
        std::vector<Action> actions;
        bool bold;
    };
    const Row rows[] = {
        {{Click}, true},
        {{Click, Click}, true},
        {{DoubleClick}, false},
        {{Click, DoubleClick}, false},
        {{DoubleClick, DoubleClick}, false},
        {{DoubleClick, Click}, true},
        {{Click, DoubleClick, Click}, true},
    };
    dismissIntroduction();
    for (const Row &row : rows) {
        for (int n : {1, 9, 13}) {
            const Form1Control question = forms::questionLabel(n);
            AnswerSheet expected = form->answers();
            for (Action action : row.actions) {
                if (action == Click)
                    click(widget(question));
                else
                    doubleClick(widget(question));
            }
            expected.set(n, row.bold);
            EXPECT_EQ(form->answers(), expected)
                << "question " << n << ", row of " << row.actions.size();
            EXPECT_EQ(label(question).isBold(), row.bold);
        }
    }
    EXPECT_TRUE(runtime.boxes.empty());
    EXPECT_EQ(runtime.beeps, 0);
}

TEST_F(Form1Test, OtherClicksChangeNothing)
{
    dismissIntroduction();
    click(widget(Label4));
    const AnswerSheet before = form->answers();
    click(widget(Label5), Qt::RightButton);
    click(widget(Label14));
    doubleClick(widget(Label15));
    QTest::mouseClick(windowWidget().windowHandle(), Qt::LeftButton, {},
                      QPoint(600, 380)); // bare window
    EXPECT_EQ(form->answers(), before);
    EXPECT_TRUE(runtime.boxes.empty());
    for (Form1Control result : forms::kResultControls)
        EXPECT_FALSE(widget(result).isVisible());
}

TEST_F(Form1Test, CreditLabelsShowTheirAddresses)
{
    struct Row {
        Form1Control label;
        const char *title;
        const char *prompt;
    };
    const Row rows[] = {
        {Label_dorvik, "Webmaster...", "Email:  webmaster@dorvik.example"},
        {Label_eldrano, "Dr. Eldrano Vescandi...", "Email:  eldrano.vescandi@dorvik.example"},
    };
    dismissIntroduction();
    click(widget(Label2));
    for (const Row &row : rows) {
        runtime.boxes.clear();
        click(widget(row.label));
        ASSERT_EQ(runtime.boxes.size(), 1U) << row.title;
        EXPECT_EQ(runtime.boxes[0].title, row.title);
        EXPECT_EQ(runtime.boxes[0].prompt, row.prompt);
        EXPECT_EQ(runtime.boxes[0].style, MessageStyle::OkOnly);
    }
    EXPECT_EQ(form->answers(), AnswerSheet::fromMask(0b10));
    EXPECT_FALSE(runtime.endStatus);
}

TEST_F(Form1Test, FineEndsWithStatusZero)
{
    dismissIntroduction();
    click(widget(Label1));
    click(widget(Command2));
    EXPECT_EQ(runtime.endStatus, 0);
    EXPECT_TRUE(runtime.boxes.empty()) << "nothing is asked";
}

// The real message box, once for each style, closed from inside its own event loop.
TEST(MessageBox, RealBoxIsModalWithItsTitlePromptIconAndOneButton)
{
    struct Row {
        MessageStyle style;
        QMessageBox::Icon icon;
    };
    for (const Row &row : {Row{MessageStyle::OkOnly, QMessageBox::NoIcon},
                           Row{MessageStyle::Information, QMessageBox::Information}}) {
        ModalBoxCloser closer;
        services::runtime::messageBox("Prima riga\rseconda riga", row.style, "Titolo...");
        ASSERT_TRUE(closer.seen.has_value());
        EXPECT_EQ(closer.seen->title, QStringLiteral("Titolo..."));
        EXPECT_EQ(closer.seen->text, QStringLiteral("Prima riga\nseconda riga"));
        EXPECT_EQ(closer.seen->icon, row.icon);
        EXPECT_EQ(closer.seen->modality, Qt::ApplicationModal);
        EXPECT_EQ(closer.seen->buttons, 1);
    }
}

// A failure escaping a handler is shown and ends the program; what the handler did
// before it stays done.
TEST(Guard, FailureIsReportedAndEndsWithStatusOne)
{
    RuntimeRecorder runtime;
    int stepsDone = 0;
    services::runtime::handle([&] {
        ++stepsDone;
        throw std::runtime_error("picture missing");
    });
    EXPECT_EQ(stepsDone, 1);
    ASSERT_EQ(runtime.boxes.size(), 1U);
    EXPECT_EQ(runtime.boxes[0].style, MessageStyle::Critical);
    EXPECT_TRUE(runtime.boxes[0].prompt.find("picture missing") != std::string::npos);
    EXPECT_EQ(runtime.endStatus, 1);

    services::runtime::handle([&] { ++stepsDone; });
    EXPECT_EQ(stepsDone, 1) << "no handler runs once the program is ending";
}

TEST(Guard, WrongKindOfControlIsAFailureNotACrash)
{
    RuntimeRecorder runtime;
    forms::Form1 form;
    services::runtime::handle([&] { form.controls().setBold(Command1, true); });
    EXPECT_EQ(runtime.endStatus, 1);
    ASSERT_EQ(runtime.boxes.size(), 1U);
    EXPECT_TRUE(runtime.boxes[0].prompt.find("Command1") != std::string::npos);
}

} // namespace
} // namespace tervanel::test
