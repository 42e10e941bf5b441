#include "tests/support/ui_test.hpp"

#include "forms/introduction/frm_splash.hpp"
#include "platform/qt/services.hpp"
#include "services/deferred_window.hpp"

#include <QApplication>
#include <QTest>
#include <QWindow>

namespace tervanel::test {

namespace {

qt::Services &qtServices()
{
    static qt::Services services;
    return services;
}

} // namespace

RuntimeRecorder::RuntimeRecorder()
    : RecordingServices(&qtServices())
{
}

ModalBoxCloser::ModalBoxCloser(std::optional<Qt::Key> key)
{
    m_poll.setInterval(5);
    QObject::connect(&m_poll, &QTimer::timeout, [this, key] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_poll.stop();
        seen = Seen{box->windowTitle(), box->text(), box->icon(), box->windowModality(),
                    static_cast<int>(box->buttons().size())};
        if (key)
            QTest::keyClick(box, *key);
        else
            box->button(QMessageBox::Ok)->click();
    });
    m_poll.start();
}

namespace {

QWindow &windowOf(QWidget &widget)
{
    QWidget *top = widget.window();
    if (!top->windowHandle())
        top->winId(); // creates the native window
    return *top->windowHandle();
}

QPoint centreInWindow(QWidget &widget)
{
    return widget.mapTo(widget.window(), widget.rect().center());
}

} // namespace

void click(QWidget &widget, Qt::MouseButton button)
{
    QTest::mouseClick(&windowOf(widget), button, Qt::NoModifier, centreInWindow(widget));
}

void doubleClick(QWidget &widget)
{
    QTest::mouseDClick(&windowOf(widget), Qt::LeftButton, Qt::NoModifier, centreInWindow(widget));
}

void keyClick(QWidget &window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(&windowOf(window), key, modifiers);
}

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void waitExposed(QWidget &window)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window)) << window.objectName().toStdString();
}

void waitUntilMade(forms::Form1 &form)
{
    auto &deferred = dynamic_cast<services::DeferredWindow &>(form.window());
    ASSERT_TRUE(QTest::qWaitFor([&] { return deferred.isMade(); }))
        << "the questionnaire's window was never made";
}

void Form1Test::SetUp()
{
    form = std::make_unique<forms::Form1>();
}

void Form1Test::TearDown()
{
    form.reset();
    processDeferredDeletes();
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << "a window was left open: " << w->metaObject()->className();
}

void Form1Test::dismissIntroduction()
{
    forms::FrmSplash *splash = form->splash();
    ASSERT_NE(splash, nullptr);
    waitExposed(widgetOf(splash->window()));
    click(widgetOf(splash->window(), forms::SplashControl::Command1));
    processDeferredDeletes();
    ASSERT_EQ(form->splash(), nullptr);
    waitExposed(windowWidget());
}

} // namespace tervanel::test
