#pragma once

#include "ui/introduction/frm_splash_layout.hpp"
#include "ui/services/controls.hpp"

#include <QString>
#include <QWidget>

namespace tervanel::ui {

// The introduction window. Created and shown by the questionnaire's load; any click
// on the OK button, the frame, the picture or the two main texts, and any key that
// produces a character, unloads it and shows the questionnaire.
class FrmSplash final : public QWidget {
    Q_OBJECT

public:
    // The window to show on dismissal. Creating the window runs its load.
    explicit FrmSplash(QWidget &questionnaire);

    [[nodiscard]] const Controls<SplashControl> &controls() const { return m_controls; }
    [[nodiscard]] bool isUnloaded() const { return m_unloaded; }

    // The window's two public text fields, as set by its load.
    QString text1;
    QString text2;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void load();
    void dismiss();
    // Any key that produces a character; the character itself is not used.
    void onKeyPress();

    QWidget &m_questionnaire;
    Controls<SplashControl> m_controls;
    bool m_unloaded = false;
};

} // namespace tervanel::ui
