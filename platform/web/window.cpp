#include "platform/web/window.hpp"

#include "platform/web/page.hpp"
#include "services/failures.hpp"
#include "services/fonts.hpp"
#include "services/palette.hpp"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace tervanel::web {

namespace {

namespace a11y = services::accessibility;
namespace gestures = services::gestures;
namespace palette = services::palette;

int colorOf(const std::optional<services::VbColor> &color)
{
    return color ? static_cast<int>(color->value) : -1;
}

// The colour the page shows with more contrast (and in one column) for a designed one.
int moreContrastOf(const std::optional<services::VbColor> &color)
{
    return color ? colorOf(palette::shown(*color, palette::Scheme::MoreContrast)) : -1;
}

// A font as the page sets it: its size and the distance between its lines, in pixels.
struct PageFont {
    int pixels;
    int linePitch;
};
PageFont pageFontOf(const services::FontSetting &font)
{
    const int pixels = services::fontPixels(font.points);
    return {pixels, services::linePitch(pixels)};
}

} // namespace

Window::Window(const services::WindowDescription &description, services::WindowEvents &events,
               const services::WindowServices &platform)
    : m_events(events)
    , m_platform(platform)
    , m_tabOrder(gestures::tabOrder(description.controls))
    , m_readingOrder(a11y::readingOrder(description.controls, services::pixels(description.width)))
    , m_defaultButton(gestures::defaultButton(description.controls))
    , m_changed(description.controls.size(), false)
    , m_keyPreview(description.keyPreview)
{
    const std::string_view name = a11y::nameOf(description);
    const PageFont font = pageFontOf(description.font);
    m_window = tervanel_window_create(
        reinterpret_cast<std::uintptr_t>(this), description.id.data(), description.id.size(),
        description.caption.data(), description.caption.size(), name.data(), name.size(),
        static_cast<int>(a11y::roleOf(description.frame)),
        description.placement == services::Placement::CentredOnScreen ? 1 : 0,
        services::pixels(description.width), services::pixels(description.height),
        colorOf(description.back),
        colorOf(palette::ground(description.back, palette::Scheme::MoreContrast)), font.pixels,
        font.linePitch, description.font.bold ? 1 : 0);
    for (const services::ControlRow &row : description.controls) {
        const services::PixelRect &r = row.geometry;
        const bool bold = row.font ? row.font->bold : description.font.bold;
        const PageFont own = row.font ? pageFontOf(*row.font) : PageFont{0, 0};
        tervanel_control_add(
            m_window, row.id.data(), row.id.size(), static_cast<int>(row.kind), row.text.data(),
            row.text.size(), r.x, r.y, r.width, r.height, colorOf(row.back), colorOf(row.fore),
            moreContrastOf(row.back), moreContrastOf(row.fore), own.pixels, own.linePitch,
            row.font && row.font->bold ? 1 : 0, row.align == services::Align::Centre ? 1 : 0,
            row.parent ? static_cast<int>(*row.parent) : -1);
        m_controls.push_back({row.kind, row.parent, std::string(row.text), {}, true, bold, false});
        present(m_controls.size() - 1);
    }
    const std::vector<int> rows(m_readingOrder.begin(), m_readingOrder.end());
    tervanel_controls_order(m_window, rows.data(), rows.size());
}

Window::~Window()
{
    if (!m_unloaded)
        tervanel_window_unload(m_window);
}

void Window::present(std::size_t control) const
{
    const Control &c = m_controls[control];
    const a11y::Presentation p =
        a11y::present(c.kind, {c.caption, c.description, c.visible, c.bold});
    // The named actions, as "name (description)" one after the other.
    std::string actions;
    for (const a11y::Action action : a11y::actionsOf(c.kind)) {
        const a11y::ActionWords words = a11y::wordsOf(action);
        if (words.name.empty())
            continue; // the button's own press
        actions += (actions.empty() ? "" : "; ") + std::string(words.name) + " ("
                   + std::string(words.description) + ")";
    }
    tervanel_present(m_window, static_cast<int>(control), static_cast<int>(p.role), p.name.data(),
                     p.name.size(), p.checkable ? (p.checked ? 1 : 0) : -1, p.focusable ? 1 : 0,
                     actions.data(), actions.size());
}

void Window::show()
{
    m_visible = true;
    tervanel_window_show(m_window);
}

void Window::hide()
{
    m_visible = false;
    tervanel_window_hide(m_window);
}

void Window::unload()
{
    m_visible = false;
    m_unloaded = true;
    tervanel_window_unload(m_window);
}

void Window::setText(std::size_t control, std::string_view text)
{
    m_controls.at(control).caption = text;
    m_changed[control] = true;
    tervanel_set_text(m_window, static_cast<int>(control), text.data(), text.size());
    present(control);
}

void Window::setVisible(std::size_t control, bool visible)
{
    m_controls.at(control).visible = visible;
    if (visible)
        m_changed[control] = true;
    tervanel_set_visible(m_window, static_cast<int>(control), visible ? 1 : 0);
    present(control);
}

bool Window::bold(std::size_t control) const
{
    return m_controls.at(control).bold;
}

void Window::setBold(std::size_t control, bool bold)
{
    m_controls.at(control).bold = bold;
    tervanel_set_bold(m_window, static_cast<int>(control), bold ? 1 : 0);
    present(control);
}

void Window::setForeColor(std::size_t control, services::VbColor color)
{
    tervanel_set_fore_color(m_window, static_cast<int>(control), colorOf(color),
                            moreContrastOf(color));
}

void Window::setBackColor(std::size_t control, services::VbColor color)
{
    tervanel_set_back_color(m_window, static_cast<int>(control), colorOf(color),
                            moreContrastOf(color));
}

void Window::setPicture(std::size_t control, services::PictureId picture)
{
    Control &c = m_controls.at(control);
    const std::string_view file = services::fileNameOf(picture);
    c.picture =
        tervanel_await_picture(m_window, static_cast<int>(control), file.data(), file.size()) != 0;
    if (!c.picture)
        throw services::OperationFailed(services::Failure::PictureMissing, file);
}

bool Window::hasPicture(std::size_t control) const
{
    return m_controls.at(control).picture;
}

bool Window::isVisible() const
{
    return m_visible;
}

void Window::setFocus(std::size_t control)
{
    tervanel_set_focus(m_window, static_cast<int>(control));
}

void Window::setToolTip(std::size_t control, std::string_view text)
{
    tervanel_set_tool_tip(m_window, static_cast<int>(control), text.data(), text.size());
}

void Window::setDescription(std::size_t control, std::string_view text)
{
    m_controls.at(control).description = text;
    present(control);
}

void Window::announce(std::string_view words)
{
    tervanel_announce(words.data(), words.size());
    bringChangedIntoView();
}

void Window::bringChangedIntoView()
{
    const auto first = std::find_if(m_readingOrder.begin(), m_readingOrder.end(),
                                    [this](std::size_t c) { return m_changed[c] && isShown(c); });
    if (first != m_readingOrder.end())
        tervanel_bring_into_view(m_window, static_cast<int>(*first));
    std::fill(m_changed.begin(), m_changed.end(), false);
}

void Window::gesture(std::size_t control, gestures::Gesture gesture)
{
    gestures::deliver(m_events, control, gesture, m_controls.at(control).kind,
                      m_platform.screenReaderRunning());
}

bool Window::delivers(std::size_t control, gestures::Gesture gesture) const
{
    return !gestures::eventsOf(gesture, m_controls.at(control).kind,
                               m_platform.screenReaderRunning())
                .empty();
}

gestures::KeyEffect Window::keyEffect(const gestures::KeyPress &press,
                                      std::optional<std::size_t> focused) const
{
    return gestures::effectOf(press, m_keyPreview,
                              focused ? std::optional(m_controls.at(*focused).kind) : std::nullopt);
}

void Window::keyPress(char32_t character)
{
    m_events.keyPress(character);
}

void Window::toggleAnswer(std::size_t control)
{
    gestures::toggle(m_events, control, m_controls.at(control).bold);
}

bool Window::isShown(std::size_t control) const
{
    for (std::optional<std::size_t> c = control; c; c = m_controls[*c].parent)
        if (!m_controls[*c].visible)
            return false;
    return true;
}

std::optional<std::size_t> Window::nextFocus(std::optional<std::size_t> focused,
                                             bool backwards) const
{
    const std::size_t n = m_tabOrder.size();
    const auto available = std::make_unique<bool[]>(n);
    for (std::size_t i = 0; i < n; ++i)
        available[i] = isShown(m_tabOrder[i]);
    std::optional<std::size_t> current;
    if (const auto at = std::find(m_tabOrder.begin(), m_tabOrder.end(), focused);
        focused && at != m_tabOrder.end())
        current = static_cast<std::size_t>(at - m_tabOrder.begin());
    const std::optional<std::size_t> next =
        gestures::nextInTabOrder({available.get(), n}, current, backwards);
    return next ? std::optional(m_tabOrder[*next]) : std::nullopt;
}

} // namespace tervanel::web

// The page reports the user's input here (page.hpp).
namespace {

tervanel::web::Window &windowAt(std::uintptr_t window)
{
    return *reinterpret_cast<tervanel::web::Window *>(window);
}

std::optional<std::size_t> rowOrNone(int row)
{
    return row < 0 ? std::nullopt : std::optional(static_cast<std::size_t>(row));
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tervanel_web_gesture(std::uintptr_t window, int control, int gesture)
{
    windowAt(window).gesture(static_cast<std::size_t>(control),
                             static_cast<tervanel::services::gestures::Gesture>(gesture));
}

EMSCRIPTEN_KEEPALIVE int tervanel_web_gesture_delivers(std::uintptr_t window, int control,
                                                       int gesture)
{
    return windowAt(window).delivers(static_cast<std::size_t>(control),
                                     static_cast<tervanel::services::gestures::Gesture>(gesture))
               ? 1
               : 0;
}

EMSCRIPTEN_KEEPALIVE int tervanel_web_key_effect(std::uintptr_t window, int key,
                                                 int producesCharacter, int autoRepeat,
                                                 int otherModifiers, int focused)
{
    const tervanel::services::gestures::KeyPress press{
        static_cast<tervanel::services::gestures::Key>(key), producesCharacter != 0,
        autoRepeat != 0, otherModifiers != 0};
    return static_cast<int>(windowAt(window).keyEffect(press, rowOrNone(focused)));
}

EMSCRIPTEN_KEEPALIVE void tervanel_web_key_press(std::uintptr_t window, int character)
{
    windowAt(window).keyPress(static_cast<char32_t>(character));
}

EMSCRIPTEN_KEEPALIVE void tervanel_web_toggle_answer(std::uintptr_t window, int control)
{
    windowAt(window).toggleAnswer(static_cast<std::size_t>(control));
}

EMSCRIPTEN_KEEPALIVE int tervanel_web_default_button(std::uintptr_t window)
{
    const auto button = windowAt(window).defaultButton();
    return button ? static_cast<int>(*button) : -1;
}

EMSCRIPTEN_KEEPALIVE int tervanel_web_next_focus(std::uintptr_t window, int focused, int backwards)
{
    const auto next = windowAt(window).nextFocus(rowOrNone(focused), backwards != 0);
    return next ? static_cast<int>(*next) : -1;
}

} // extern "C"
