#include "harness/recording_services.hpp"

#include "services/deferred_window.hpp"
#include "services/runtime.hpp"

#include <stdexcept>
#include <utility>

namespace tervanel::harness {

namespace runtime = services::runtime;

HeldWindow::HeldWindow(const services::WindowDescription &description)
{
    for (const services::ControlRow &row : description.controls)
        m_controls.push_back(
            {std::string(row.id), std::string(row.text), true, false, false, row.fore, row.back});
}

void HeldWindow::show()
{
    m_visible = true;
}

void HeldWindow::hide()
{
    m_visible = false;
}

void HeldWindow::unload()
{
    m_visible = false;
    m_unloaded = true;
}

void HeldWindow::setText(std::size_t control, std::string_view text)
{
    m_controls.at(control).text = text;
}

void HeldWindow::setVisible(std::size_t control, bool visible)
{
    m_controls.at(control).visible = visible;
}

bool HeldWindow::bold(std::size_t control) const
{
    return m_controls.at(control).bold;
}

void HeldWindow::setBold(std::size_t control, bool bold)
{
    m_controls.at(control).bold = bold;
}

void HeldWindow::setForeColor(std::size_t control, services::VbColor color)
{
    m_controls.at(control).fore = color;
}

void HeldWindow::setBackColor(std::size_t control, services::VbColor color)
{
    m_controls.at(control).back = color;
}

void HeldWindow::setPicture(std::size_t control, services::PictureId picture)
{
    static_cast<void>(picture);
    m_controls.at(control).picture = true;
}

bool HeldWindow::hasPicture(std::size_t control) const
{
    return m_controls.at(control).picture;
}

bool HeldWindow::isVisible() const
{
    return m_visible && !m_unloaded;
}

// What only a screen reader or the mouse pointer would show: nothing to hold.
void HeldWindow::setFocus(std::size_t control)
{
    static_cast<void>(control);
}

void HeldWindow::setToolTip(std::size_t control, std::string_view text)
{
    static_cast<void>(control);
    static_cast<void>(text);
}

void HeldWindow::setDescription(std::size_t control, std::string_view text)
{
    static_cast<void>(control);
    static_cast<void>(text);
}

void HeldWindow::announce(std::string_view words)
{
    static_cast<void>(words);
}

RecordingWindow::RecordingWindow(RecordingServices &services,
                                 const services::WindowDescription &description,
                                 services::WindowEvents &events,
                                 std::unique_ptr<services::Window> platform)
    : m_services(services)
    , m_id(description.id)
    , m_events(events)
    , m_beneath(std::move(platform))
{
    for (const services::ControlRow &row : description.controls)
        m_controlIds.emplace_back(row.id);
    if (!m_beneath) {
        auto held = std::make_unique<HeldWindow>(description);
        m_held = held.get();
        m_beneath = std::move(held);
    }
}

const RecordingWindow::Control &RecordingWindow::control(std::size_t index) const
{
    if (!m_held)
        throw std::logic_error("window " + m_id + " is the platform's: its controls are not held");
    return m_held->control(index);
}

services::Window *RecordingWindow::platform() const
{
    return m_held ? nullptr : m_beneath.get();
}

void RecordingWindow::record(std::string_view what)
{
    if (m_services.keepRecords)
        m_services.log.push_back(m_id + "." + std::string(what));
}

void RecordingWindow::before(std::string_view operation, std::size_t control)
{
    if (m_services.beforeOperation)
        m_services.beforeOperation(operation, m_controlIds.at(control));
}

void RecordingWindow::show()
{
    record("show");
    ForwardingWindow::show();
}

void RecordingWindow::hide()
{
    record("hide");
    ForwardingWindow::hide();
}

void RecordingWindow::unload()
{
    record("unload");
    ForwardingWindow::unload();
}

void RecordingWindow::setText(std::size_t control, std::string_view text)
{
    before("setText", control);
    ForwardingWindow::setText(control, text);
}

void RecordingWindow::setVisible(std::size_t control, bool visible)
{
    before(visible ? "show" : "hide", control);
    ForwardingWindow::setVisible(control, visible);
}

void RecordingWindow::setBold(std::size_t control, bool bold)
{
    before("setBold", control);
    ForwardingWindow::setBold(control, bold);
}

void RecordingWindow::setForeColor(std::size_t control, services::VbColor color)
{
    before("setForeColor", control);
    ForwardingWindow::setForeColor(control, color);
}

void RecordingWindow::setBackColor(std::size_t control, services::VbColor color)
{
    before("setBackColor", control);
    ForwardingWindow::setBackColor(control, color);
}

void RecordingWindow::announce(std::string_view words)
{
    if (m_services.keepRecords)
        m_services.announcements.emplace_back(m_id, std::string(words));
    ForwardingWindow::announce(words);
}

services::Window &platformOf(services::Window &window)
{
    services::Window *made = &window;
    if (auto *deferred = dynamic_cast<services::DeferredWindow *>(made))
        made = &deferred->underlying();
    auto *recorded = dynamic_cast<RecordingWindow *>(made);
    return recorded && recorded->platform() ? *recorded->platform() : *made;
}

RecordingServices::RecordingServices(services::WindowServices *platform)
    : m_platform(platform)
    , m_previous(runtime::installed())
{
    runtime::install(*this);
}

RecordingServices::~RecordingServices()
{
    if (m_previous)
        runtime::install(*m_previous);
    else
        runtime::uninstall();
}

std::unique_ptr<services::Window>
RecordingServices::createWindow(const services::WindowDescription &description,
                                services::WindowEvents &events)
{
    std::unique_ptr<services::Window> platform =
        m_platform ? m_platform->createWindow(description, events) : nullptr;
    auto window =
        std::make_unique<RecordingWindow>(*this, description, events, std::move(platform));
    m_windows[std::string(description.id)] = window.get();
    log.push_back(std::string(description.id) + ".create");
    return window;
}

RecordingWindow &RecordingServices::window(std::string_view id) const
{
    const auto found = m_windows.find(id);
    if (found == m_windows.end())
        throw std::out_of_range("no window " + std::string(id));
    return *found->second;
}

void RecordingServices::messageBox(const services::MessageBoxRequest &request)
{
    ++boxCount;
    if (keepRecords) {
        boxes.push_back(request);
        log.push_back("box: " + request.title);
    }
    if (onBox)
        onBox(request);
    if (showBoxes && m_platform)
        m_platform->messageBox(request);
}

void RecordingServices::beep()
{
    ++beeps;
    if (keepRecords)
        log.push_back("beep");
    if (onBeep)
        onBeep();
    if (soundBeeps && m_platform)
        m_platform->beep();
}

void RecordingServices::quit(int status)
{
    endStatus = status;
    log.push_back("quit " + std::to_string(status));
}

bool RecordingServices::screenReaderRunning() const
{
    return m_platform ? m_platform->screenReaderRunning() : screenReader;
}

void RecordingServices::whenIdle(std::function<void()> task)
{
    if (m_platform)
        m_platform->whenIdle(std::move(task));
    else
        m_idle.add(std::move(task));
}

void RecordingServices::runIdle()
{
    m_idle.run();
}

} // namespace tervanel::harness
