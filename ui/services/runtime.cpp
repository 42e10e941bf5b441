#include "ui/services/runtime.hpp"
#include "ui/services/text.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <utility>

namespace tervanel::ui::runtime {

namespace {

// Thrown by end() to abandon the running handler; caught only by handle().
struct ProgramEnded {};

struct State {
    std::function<void(const MessageBoxRequest &)> responder;
    std::function<void()> beepObserver;
    std::function<void(int)> endObserver;
    std::function<void(std::string_view, const QString &)> operationHook;
    bool ended = false;
    int status = 0;
};

State &state()
{
    static State s;
    return s;
}

// The window a box belongs to: the active one, else the program's window on screen.
// On Wayland no window may be active yet when a handler runs, and a box without a
// transient parent goes wherever the compositor likes.
QWidget *boxOwner()
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible() && !qobject_cast<QMessageBox *>(window))
            return window;
    return nullptr;
}

void showRealBox(const MessageBoxRequest &request)
{
    QMessageBox box(request.style == MessageStyle::Information ? QMessageBox::Information
                    : request.style == MessageStyle::Critical  ? QMessageBox::Critical
                                                               : QMessageBox::NoIcon,
                    request.title, displayText(request.prompt), QMessageBox::Ok, boxOwner());
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

} // namespace

QString displayText(const QString &caption)
{
    QString shown = caption;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void messageBox(std::string_view prompt, MessageStyle style, std::string_view title)
{
    const MessageBoxRequest request{toQString(prompt), style, toQString(title)};
    if (state().responder)
        state().responder(request);
    else
        showRealBox(request);
}

void showWindow(QWidget &window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

void beep()
{
    if (state().beepObserver)
        state().beepObserver();
    else
        QApplication::beep();
}

void end(int status)
{
    State &s = state();
    if (!s.ended) {
        s.ended = true;
        s.status = status;
        if (s.endObserver) {
            s.endObserver(status);
        } else {
            for (QWidget *window : QApplication::topLevelWidgets())
                window->hide();
            QCoreApplication::exit(status);
        }
    }
    throw ProgramEnded{};
}

bool hasEnded()
{
    return state().ended;
}

int endStatus()
{
    return state().status;
}

void handle(const std::function<void()> &handler) noexcept
{
    if (state().ended)
        return; // the program is ending: no further handler runs
    try {
        try {
            handler();
        } catch (const ProgramEnded &) {
            throw;
        } catch (const std::exception &failure) {
            messageBox(std::string("Errore di esecuzione:\r") + failure.what(),
                       MessageStyle::Critical, "Tervanel");
            end(1);
        } catch (...) {
            messageBox("Errore di esecuzione.", MessageStyle::Critical, "Tervanel");
            end(1);
        }
    } catch (const ProgramEnded &) {
        // The handler ended the program; nothing more to do here.
    } catch (...) {
        // The failure report itself failed: still end, without a box.
        state().ended = true;
        state().status = 1;
        QCoreApplication::exit(1);
    }
}

void setMessageBoxResponder(std::function<void(const MessageBoxRequest &)> responder)
{
    state().responder = std::move(responder);
}

void setBeepObserver(std::function<void()> observer)
{
    state().beepObserver = std::move(observer);
}

void setEndObserver(std::function<void(int)> observer)
{
    state().endObserver = std::move(observer);
}

void setOperationHook(std::function<void(std::string_view, const QString &)> hook)
{
    state().operationHook = std::move(hook);
}

void beforeOperation(std::string_view operation, const QWidget &control)
{
    if (state().operationHook)
        state().operationHook(operation, control.objectName());
}

void resetEnded()
{
    state().ended = false;
    state().status = 0;
}

} // namespace tervanel::ui::runtime
