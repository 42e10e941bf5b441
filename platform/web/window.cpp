#include "platform/web/window.hpp"

#include "platform/web/dom.hpp"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace tervanel::web {

namespace {

using services::ControlKind;

int colorOf(const std::optional<services::VbColor> &color)
{
    return color ? static_cast<int>(color->value) : -1;
}

// The event kinds dom.js delivers.
enum class Event { Click = 0, DoubleClick = 1, KeyPress = 2 };

bool takesFocus(ControlKind kind)
{
    return kind == ControlKind::PushButton || kind == ControlKind::PictureBox;
}

// The order of the controls in the page: as a reader takes the window in (its left
// half top to bottom, each row left to right, then its right half), except that the
// controls that take the focus fill their places in the order of their tab positions.
std::vector<int> pageOrder(const services::WindowDescription &description)
{
    const std::span<const services::ControlRow> rows = description.controls;
    std::vector<services::PixelRect> at(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        at[i] = rows[i].geometry;
        if (rows[i].parent) {
            at[i].x += at[*rows[i].parent].x;
            at[i].y += at[*rows[i].parent].y;
        }
    }
    const int middle = services::pixels(description.width) / 2;
    std::vector<int> order(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const auto key = [&](int i) {
            const services::PixelRect &r = at[static_cast<std::size_t>(i)];
            return std::tuple(r.x >= middle, r.y, r.x);
        };
        return key(a) < key(b);
    });
    std::vector<int> focusable;
    for (int i : order)
        if (takesFocus(rows[static_cast<std::size_t>(i)].kind))
            focusable.push_back(i);
    std::vector<int> byTab = focusable;
    std::stable_sort(byTab.begin(), byTab.end(), [&](int a, int b) {
        return rows[static_cast<std::size_t>(a)].tabIndex.value_or(0)
               < rows[static_cast<std::size_t>(b)].tabIndex.value_or(0);
    });
    std::size_t next = 0;
    for (int &i : order)
        if (takesFocus(rows[static_cast<std::size_t>(i)].kind))
            i = byTab[next++];
    return order;
}

} // namespace

Window::Window(const services::WindowDescription &description, services::WindowEvents &events)
    : m_count(description.controls.size())
{
    m_window = tervanel_window_create(
        reinterpret_cast<std::uintptr_t>(&events), description.id.data(), description.id.size(),
        description.caption.data(), description.caption.size(), description.spokenName.data(),
        description.spokenName.size(), static_cast<int>(description.frame),
        static_cast<int>(description.placement), services::pixels(description.width),
        services::pixels(description.height), colorOf(description.back), description.font.points,
        description.font.bold ? 1 : 0, description.keyPreview ? 1 : 0);
    for (const services::ControlRow &row : description.controls) {
        const services::PixelRect &r = row.geometry;
        tervanel_control_add(
            m_window, row.id.data(), row.id.size(), static_cast<int>(row.kind), row.text.data(),
            row.text.size(), r.x, r.y, r.width, r.height, colorOf(row.back), colorOf(row.fore),
            row.font ? row.font->points : 0, row.font && row.font->bold ? 1 : 0,
            row.align == services::Align::Centre ? 1 : 0, row.tabIndex.value_or(-1),
            row.parent ? static_cast<int>(*row.parent) : -1);
    }
    const std::vector<int> order = pageOrder(description);
    tervanel_controls_order(m_window, order.data(), order.size());
}

Window::~Window()
{
    if (!m_unloaded)
        tervanel_window_unload(m_window);
}

int Window::control(std::size_t row) const
{
    if (m_unloaded)
        throw std::logic_error("the window is unloaded");
    if (row >= m_count)
        throw std::out_of_range("no control " + std::to_string(row));
    return static_cast<int>(row);
}

void Window::show()
{
    if (m_unloaded)
        throw std::logic_error("the window is unloaded");
    tervanel_window_show(m_window);
}

void Window::hide()
{
    if (m_unloaded)
        throw std::logic_error("the window is unloaded");
    tervanel_window_hide(m_window);
}

void Window::unload()
{
    if (m_unloaded)
        throw std::logic_error("the window is unloaded");
    m_unloaded = true;
    tervanel_window_unload(m_window);
}

void Window::setText(std::size_t row, std::string_view text)
{
    tervanel_set_text(m_window, control(row), text.data(), text.size());
}

void Window::setVisible(std::size_t row, bool visible)
{
    tervanel_set_visible(m_window, control(row), visible ? 1 : 0);
}

bool Window::bold(std::size_t row) const
{
    return tervanel_bold(m_window, control(row)) != 0;
}

void Window::setBold(std::size_t row, bool bold)
{
    tervanel_set_bold(m_window, control(row), bold ? 1 : 0);
}

void Window::setForeColor(std::size_t row, services::VbColor color)
{
    tervanel_set_fore_color(m_window, control(row), static_cast<int>(color.value));
}

void Window::setBackColor(std::size_t row, services::VbColor color)
{
    tervanel_set_back_color(m_window, control(row), static_cast<int>(color.value));
}

void Window::setPicture(std::size_t row, services::PictureId picture)
{
    if (!tervanel_set_picture(m_window, control(row), static_cast<int>(picture)))
        throw std::runtime_error(picture == services::PictureId::Banner
                                     ? "l'immagine banner.gif manca o è danneggiata"
                                     : "l'immagine portrait.jpg manca o è danneggiata");
}

bool Window::hasPicture(std::size_t row) const
{
    return tervanel_has_picture(m_window, control(row)) != 0;
}

void Window::setFocus(std::size_t row)
{
    tervanel_set_focus(m_window, control(row));
}

void Window::setToolTip(std::size_t row, std::string_view text)
{
    tervanel_set_tool_tip(m_window, control(row), text.data(), text.size());
}

void Window::setDescription(std::size_t row, std::string_view text)
{
    tervanel_set_description(m_window, control(row), text.data(), text.size());
}

} // namespace tervanel::web

// The page delivers the windows' events here, one at a time, each to its window's handlers.
extern "C" EMSCRIPTEN_KEEPALIVE void tervanel_web_event(std::uintptr_t events, int kind,
                                                        int control, int character)
{
    auto &handlers = *reinterpret_cast<tervanel::services::WindowEvents *>(events);
    switch (static_cast<tervanel::web::Event>(kind)) {
    case tervanel::web::Event::Click:
        handlers.click(static_cast<std::size_t>(control));
        break;
    case tervanel::web::Event::DoubleClick:
        handlers.doubleClick(static_cast<std::size_t>(control));
        break;
    case tervanel::web::Event::KeyPress:
        handlers.keyPress(static_cast<char32_t>(character));
        break;
    }
}
