// The introduction window: its texts, its look, and every way to leave it.

#include "tests/support/ui_test.hpp"

#include "forms/introduction/frm_splash.hpp"
#include "platform/qt/convert.hpp"
#include "platform/qt/look.hpp"
#include "services/deferred_window.hpp"
#include "services/fonts.hpp"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

namespace tervanel::test {
namespace {

using enum forms::SplashControl;
using forms::SplashControl;

class SplashTest : public Form1Test {
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        splash = form->splash();
        ASSERT_NE(splash, nullptr);
        splashWidget = &widgetOf(splash->window());
        waitExposed(*splashWidget);
        windowWidget().installEventFilter(&showCounter);
    }

    [[nodiscard]] QWidget &control(SplashControl c) const { return widgetOf(splash->window(), c); }
    [[nodiscard]] qt::Label &splashLabel(SplashControl c) const
    {
        return labelOf(splash->window(), c);
    }

    // Expects the introduction gone and the questionnaire shown exactly once, as the
    // first load left it.
    void expectDismissedOnce()
    {
        processDeferredDeletes();
        EXPECT_EQ(form->splash(), nullptr);
        EXPECT_TRUE(windowWidget().isVisible());
        EXPECT_EQ(showCounter.shows, 1);
        for (forms::Form1Control result : forms::kResultControls)
            EXPECT_FALSE(widget(result).isVisible());
    }

    struct ShowCounter final : QObject {
        int shows = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            shows += event->type() == QEvent::Show ? 1 : 0;
            return false;
        }
    } showCounter;
    forms::FrmSplash *splash = nullptr;
    QPointer<QWidget> splashWidget; // null once the unloaded window is destroyed
};

std::vector<QString> linesOf(const std::string &text)
{
    const QStringList lines = qt::toQString(text).split(QLatin1Char('\r'));
    return {lines.begin(), lines.end()};
}

TEST_F(SplashTest, LoadComposesTheIntroductionCreditAndButton)
{
    const std::vector<QString> expected{
        QStringLiteral("Capita spesso di avere dei dolori alle gambe e di non capire a cosa siano "
                       "dovuti e di non sapere da quale specialista andare."),
        {},
        {},
        QStringLiteral("             Fate questo test e ne saprete di più !!!!"),
        {},
        QStringLiteral("Per ulteriori chiarimenti mandate una e-mail a:"),
        {},
        {},
        QString(31, QLatin1Char(' ')) + QStringLiteral("info@dorvik.example"),
    };
    EXPECT_EQ(linesOf(splash->text1), expected);
    EXPECT_EQ(std::ranges::count(splash->text1, '\r'), 8);
    EXPECT_EQ(splash->text1.find('\n'), std::string::npos);
    EXPECT_EQ(splash->text2, "Realizzato da: Dr. Eldrano VESCANDI");

    EXPECT_EQ(splashLabel(Label1).caption(), qt::toQString(splash->text1));
    EXPECT_EQ(splashLabel(Label2).caption(), qt::toQString(splash->text2));
    EXPECT_EQ(splashLabel(Label3).caption(), QStringLiteral(" by Dorvik"));
    EXPECT_EQ(static_cast<QPushButton &>(control(Command1)).text(), QStringLiteral("   OK   "));
    // The display keeps the blanks and breaks the lines.
    EXPECT_TRUE(
        splashLabel(Label1).text().contains(QStringLiteral("andare.\n\n\n             Fate")));
}

TEST_F(SplashTest, WindowHasNoTitleBarAndStandsCentred)
{
    EXPECT_EQ(splashWidget->size(), QSize(467, 286));
    EXPECT_EQ(splashWidget->minimumSize(), splashWidget->maximumSize());
    EXPECT_FALSE(splashWidget->windowFlags() & Qt::WindowTitleHint);
    EXPECT_FALSE(splashWidget->windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(splashWidget->windowFlags() & Qt::WindowCloseButtonHint);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE(std::abs(splashWidget->geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(splashWidget->geometry().center().y() - screen.center().y()), 1);

    EXPECT_EQ(control(Frame1).geometry(), QRect(0, 0, 467, 283));
    EXPECT_EQ(control(Image1).geometry(), QRect(4, 9, 190, 271));
    EXPECT_EQ(control(Label1).palette().color(QPalette::WindowText), QColor(0x0000FF));
    EXPECT_EQ(control(Label2).palette().color(QPalette::WindowText), QColor(0xC00000));
    EXPECT_EQ(control(Label3).palette().color(QPalette::WindowText), QColor(0x808080));
    EXPECT_EQ(QApplication::focusWidget(), &control(Command1))
        << "the only control that takes focus";
    EXPECT_EQ(qt::qtWindow(harness::platformOf(splash->window()))
                  .picture(services::rowOf(Image1))
                  .picture()
                  .size(),
              QSize(275, 475));
}

// A close the application asks for itself, as when it quits at a logout, goes through;
// the window manager's close is refused (the end-to-end tests send a real one).
TEST_F(SplashTest, TheApplicationsOwnCloseGoesThrough)
{
    EXPECT_TRUE(splashWidget->close());
    EXPECT_FALSE(splashWidget->isVisible());
    EXPECT_EQ(showCounter.shows, 0) << "closing is no dismissal";
}

TEST_F(SplashTest, CreditByDorvikDoesNothing)
{
    click(control(Label3));
    doubleClick(control(Label3));
    processDeferredDeletes();
    EXPECT_EQ(form->splash(), splash);
    EXPECT_TRUE(splashWidget->isVisible());
    EXPECT_FALSE(windowWidget().isVisible());
}

class SplashClickTest : public SplashTest, public ::testing::WithParamInterface<SplashControl> {};

TEST_P(SplashClickTest, ClickDismissesOnce)
{
    QWidget &target = control(GetParam());
    if (GetParam() == Frame1) // the frame's own surface: a spot no child covers
        QTest::mouseClick(splashWidget->windowHandle(), Qt::LeftButton, {}, QPoint(2, 140));
    else
        click(target);
    expectDismissedOnce();
}

std::string routeName(const ::testing::TestParamInfo<SplashControl> &route)
{
    return std::string(forms::kSplashControls.at(static_cast<std::size_t>(route.param)).id);
}

INSTANTIATE_TEST_SUITE_P(Routes, SplashClickTest,
                         ::testing::Values(Command1, Frame1, Image1, Label1, Label2), routeName);

// Any key that produces a character dismisses, also with the focus on OK; keys that
// produce none do not.
TEST_F(SplashTest, CharacterKeysDismissOthersDoNot)
{
    for (Qt::Key silent : {Qt::Key_Left, Qt::Key_F1, Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt,
                           Qt::Key_Home, Qt::Key_Insert}) {
        keyClick(*splashWidget, silent);
        ASSERT_FALSE(splash->isUnloaded()) << "key " << silent;
    }
    EXPECT_FALSE(windowWidget().isVisible());
}

class SplashKeyTest : public SplashTest, public ::testing::WithParamInterface<Qt::Key> {};

TEST_P(SplashKeyTest, KeyDismissesOnceWithTheFocusOnOk)
{
    ASSERT_EQ(QApplication::focusWidget(), &control(Command1));
    keyClick(*splashWidget, GetParam());
    expectDismissedOnce();
}

INSTANTIATE_TEST_SUITE_P(Keys, SplashKeyTest,
                         ::testing::Values(Qt::Key_A, Qt::Key_Z, Qt::Key_5, Qt::Key_Space,
                                           Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape,
                                           Qt::Key_Backspace, Qt::Key_Period));

// Two dismissing events queued together: the first unloads the window, the second
// finds it gone, and the questionnaire is shown once.
TEST_F(SplashTest, QueuedEventsDismissOnce)
{
    for (const char *text : {"b", "c"})
        QCoreApplication::postEvent(
            &control(Command1),
            new QKeyEvent(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QString::fromLatin1(text)));
    QCoreApplication::processEvents();
    expectDismissedOnce();
    EXPECT_TRUE(splashWidget.isNull()) << "the unloaded window is destroyed";
}

// The introduction comes on screen without waiting for the questionnaire, whose window
// the loop makes once the introduction is up, hidden, as the load left it.
TEST(StartUp, TheQuestionnaireIsMadeOnceTheIntroductionIsUp)
{
    RuntimeRecorder runtime;
    forms::Form1 form;
    const auto &deferred = dynamic_cast<const services::DeferredWindow &>(form.window());
    EXPECT_FALSE(deferred.isMade()) << "made before the introduction was on screen";
    ASSERT_NE(form.splash(), nullptr);
    QWidget &splash = widgetOf(form.splash()->window());
    waitExposed(splash);
    waitUntilMade(form);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_FALSE(widgetOf(form.window()).isVisible());
    for (forms::Form1Control result : forms::kResultControls)
        EXPECT_TRUE(widgetOf(form.window(), result).isHidden());
}

// The built-in face is registered only once text is first needed (the first window
// comes up without the font stack), and however it is first needed, the text is set in
// it. Each case runs in a process of its own, where nothing has drawn text yet.
TEST(StartUp, TheFaceIsRegisteredWhenTextIsFirstNeeded)
{
    const QString family = qt::toQString(services::kDialogFace);
    struct Case {
        const char *first;
        std::function<void(qt::Label &)> need;
    };
    const Case cases[] = {
        {"the window exposed",
         [](qt::Label &label) {
             label.window()->show();
             waitExposed(*label.window());
         }},
        {"the label grabbed off screen", [](qt::Label &label) { static_cast<void>(label.grab()); }},
        {"the text measured",
         [](qt::Label &label) {
             static_cast<void>(qt::Label::measure(label.caption(), label.font(), label.width()));
         }},
    };
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const Case &c : cases) {
        EXPECT_EXIT(
            {
                QWidget window;
                window.resize(200, 100);
                qt::Label label(&window);
                label.setGeometry(0, 0, 200, 100);
                label.setCaption(QStringLiteral("Fate questo test"));
                if (QFontDatabase::families().contains(family))
                    std::_Exit(2); // registered before anything needed it
                c.need(label);
                std::_Exit(QFontInfo(label.font()).family() == family ? 0 : 3);
            },
            ::testing::ExitedWithCode(0), "")
            << c.first;
    }
}

} // namespace
} // namespace tervanel::test
