#pragma once

#include "forms/questionnaire/form1.hpp"
#include "harness/recording_services.hpp"
#include "harness/screen_geometry.hpp"
#include "platform/qt/window.hpp"
#include "services/control_table.hpp"
#include "services/runtime.hpp"

#include <QMessageBox>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <vector>

// GoogleTest prints Qt strings as text in failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tervanel::test {

using harness::Point;
using harness::Rect;
namespace screen = harness::screen;

// The Qt services under a recorder: stands in for the user at message boxes, for the
// speaker and for the end of the program, so tests never block and never exit.
class RuntimeRecorder final : public harness::RecordingServices {
public:
    RuntimeRecorder();
};

// Closes the next real modal message box from inside its own event loop, once it is
// up, after noting what it shows; with a key, by pressing that key in it.
class ModalBoxCloser final {
public:
    explicit ModalBoxCloser(std::optional<Qt::Key> key = std::nullopt);

    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        Qt::WindowModality modality;
        int buttons;
    };
    std::optional<Seen> seen;

private:
    QTimer m_poll;
};

// A place on screen as the widgets give theirs.
[[nodiscard]] inline QRect toQRect(const Rect &r)
{
    return {r.x, r.y, r.width, r.height};
}

// The widgets behind a window of the program and its controls.
[[nodiscard]] inline QWidget &widgetOf(services::Window &window)
{
    return qt::qtWindow(harness::platformOf(window)).widget();
}
template <class Name> [[nodiscard]] QWidget &widgetOf(services::Window &window, Name control)
{
    return qt::qtWindow(harness::platformOf(window)).widget(services::rowOf(control));
}
template <class Name> [[nodiscard]] qt::Label &labelOf(services::Window &window, Name control)
{
    return qt::qtWindow(harness::platformOf(window)).label(services::rowOf(control));
}

// Real input through the widget's window, as the platform delivers it: a click is a
// press and a release; a double-click is press, release, press, release, which Qt
// turns into press, release, double-click, release.
void click(QWidget &widget, Qt::MouseButton button = Qt::LeftButton);
void doubleClick(QWidget &widget);
void keyClick(QWidget &window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Lets windows that were unloaded be destroyed.
void processDeferredDeletes();

// Waits until the widget's window is exposed on the (offscreen) screen.
void waitExposed(QWidget &window);

// Waits until the loop, idle once the introduction is up, has made the questionnaire's
// own window.
void waitUntilMade(forms::Form1 &form);

// A questionnaire window, freshly created (its load has run), with its runtime faked.
class Form1Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Dismisses the introduction with its OK button and waits for the questionnaire.
    void dismissIntroduction();

    [[nodiscard]] const services::Controls<forms::Form1Control> &controls() const
    {
        return form->controls();
    }
    [[nodiscard]] qt::Window &window() const
    {
        return qt::qtWindow(harness::platformOf(form->window()));
    }
    [[nodiscard]] QWidget &windowWidget() const { return window().widget(); }
    [[nodiscard]] QWidget &widget(forms::Form1Control c) const
    {
        return window().widget(services::rowOf(c));
    }
    [[nodiscard]] qt::Label &label(forms::Form1Control c) const
    {
        return window().label(services::rowOf(c));
    }
    [[nodiscard]] qt::Picture &picture(forms::Form1Control c) const
    {
        return window().picture(services::rowOf(c));
    }
    void press(forms::Form1Control c) { click(widget(c)); }

    RuntimeRecorder runtime;
    std::unique_ptr<forms::Form1> form;
};

} // namespace tervanel::test
