#pragma once

#include "forms/introduction/frm_splash_layout.hpp"
#include "services/controls.hpp"
#include "services/window_services.hpp"

#include <memory>
#include <string>

namespace tervanel::forms {

// The introduction window. Created and shown by the questionnaire's load; any click
// on the OK button, the frame, the picture or the two main texts, and any key that
// produces a character, unloads it and shows the questionnaire.
class FrmSplash final : private services::WindowEvents {
public:
    // The window to show on dismissal. Creating the window runs its load.
    explicit FrmSplash(services::Window &questionnaire);
    ~FrmSplash();
    FrmSplash(const FrmSplash &) = delete;
    FrmSplash &operator=(const FrmSplash &) = delete;

    [[nodiscard]] const services::Controls<SplashControl> &controls() const { return m_controls; }
    [[nodiscard]] services::Window &window() const { return *m_window; }
    [[nodiscard]] bool isUnloaded() const { return m_unloaded; }

    // The window's two public text fields, as set by its load (UTF-8, CR line breaks).
    std::string text1;
    std::string text2;

private:
    void click(std::size_t control) noexcept override;
    void doubleClick(std::size_t control) noexcept override;
    void keyPress(char32_t character) noexcept override;

    void load();
    void dismiss();
    // Any key that produces a character; the character itself is not used.
    void onKeyPress();

    services::Window &m_questionnaire;
    std::unique_ptr<services::Window> m_window;
    services::Controls<SplashControl> m_controls;
    bool m_unloaded = false;
};

} // namespace tervanel::forms
