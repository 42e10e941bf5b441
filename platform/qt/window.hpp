#pragma once

#include "platform/qt/label.hpp"
#include "platform/qt/picture.hpp"
#include "services/accessibility.hpp"
#include "services/window_services.hpp"

#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <cstddef>
#include <optional>
#include <vector>

namespace tervanel::qt {

// Set on the top-level widget of each of the program's windows while it is one.
inline constexpr const char *kProgramWindowProperty = "tervanelProgramWindow";

// A window of the program as a top-level widget, with its controls as child widgets:
// labels and question labels are Labels, picture boxes, images and frames Pictures,
// push buttons QPushButtons.
class Window final : public services::Window {
public:
    Window(const services::WindowDescription &description, services::WindowEvents &events);
    ~Window() override;

    void show() override;
    void hide() override;
    void unload() override;

    void setText(std::size_t control, std::string_view text) override;
    void setVisible(std::size_t control, bool visible) override;
    [[nodiscard]] bool bold(std::size_t control) const override;
    void setBold(std::size_t control, bool bold) override;
    void setForeColor(std::size_t control, services::VbColor color) override;
    void setBackColor(std::size_t control, services::VbColor color) override;
    void setPicture(std::size_t control, services::PictureId picture) override;
    [[nodiscard]] bool hasPicture(std::size_t control) const override;
    void setFocus(std::size_t control) override;
    void setToolTip(std::size_t control, std::string_view text) override;
    void setDescription(std::size_t control, std::string_view text) override;
    [[nodiscard]] bool isVisible() const override;
    void announce(std::string_view words) override;

    // The widgets, for the tests and the benchmarks that drive them as a user would.
    // After unload() there are none.
    [[nodiscard]] QWidget &widget() const;
    [[nodiscard]] QWidget &widget(std::size_t control) const;
    [[nodiscard]] Label &label(std::size_t control) const;
    [[nodiscard]] Picture &picture(std::size_t control) const;
    [[nodiscard]] QPushButton &button(std::size_t control) const;
    [[nodiscard]] std::size_t size() const { return m_controls.size(); }

private:
    void build(const services::WindowDescription &description);

    services::WindowEvents &m_events;
    QPointer<QWidget> m_window;
    std::vector<QWidget *> m_controls;
};

// What the program's accessibility needs to know of a widget: a control's kind (none
// for a widget that is no control of the program), a window's frame; and a screen
// reader's action on a control, delivered as the program's gestures say.
[[nodiscard]] std::optional<services::ControlKind> controlKindOf(const QWidget &control);
[[nodiscard]] services::WindowFrame frameOf(const QWidget &window);
void performAction(QWidget &control, services::accessibility::Action action);

// The Qt window behind a window of the program.
[[nodiscard]] Window &qtWindow(services::Window &window);

} // namespace tervanel::qt
