#include "harness/recording_services.hpp"

#include "services/deferred_window.hpp"
#include "services/runtime.hpp"

#include <stdexcept>
#include <utility>

namespace tervanel::harness {

namespace runtime = services::runtime;

RecordingWindow::RecordingWindow(RecordingServices &services,
                                 const services::WindowDescription &description,
                                 services::WindowEvents &events,
                                 std::unique_ptr<services::Window> platform)
    : m_services(services)
    , m_id(description.id)
    , m_events(events)
    , m_platform(std::move(platform))
{
    for (const services::ControlRow &row : description.controls)
        m_controls.push_back(
            {std::string(row.id), std::string(row.text), true, false, false, row.fore, row.back});
}

void RecordingWindow::record(std::string_view what)
{
    if (m_services.keepRecords)
        m_services.log.push_back(m_id + "." + std::string(what));
}

void RecordingWindow::before(std::string_view operation, std::size_t control)
{
    if (m_services.beforeOperation)
        m_services.beforeOperation(operation, m_controls.at(control).id);
}

void RecordingWindow::show()
{
    record("show");
    if (m_platform)
        m_platform->show();
    m_visible = true;
}

void RecordingWindow::hide()
{
    record("hide");
    if (m_platform)
        m_platform->hide();
    m_visible = false;
}

void RecordingWindow::unload()
{
    record("unload");
    if (m_platform)
        m_platform->unload();
    m_visible = false;
    m_unloaded = true;
}

void RecordingWindow::setText(std::size_t control, std::string_view text)
{
    before("setText", control);
    if (m_platform)
        m_platform->setText(control, text);
    m_controls.at(control).text = text;
}

void RecordingWindow::setVisible(std::size_t control, bool visible)
{
    before(visible ? "show" : "hide", control);
    if (m_platform)
        m_platform->setVisible(control, visible);
    m_controls.at(control).visible = visible;
}

bool RecordingWindow::bold(std::size_t control) const
{
    return m_platform ? m_platform->bold(control) : m_controls.at(control).bold;
}

void RecordingWindow::setBold(std::size_t control, bool bold)
{
    before("setBold", control);
    if (m_platform)
        m_platform->setBold(control, bold);
    m_controls.at(control).bold = bold;
}

void RecordingWindow::setForeColor(std::size_t control, services::VbColor color)
{
    before("setForeColor", control);
    if (m_platform)
        m_platform->setForeColor(control, color);
    m_controls.at(control).fore = color;
}

void RecordingWindow::setBackColor(std::size_t control, services::VbColor color)
{
    before("setBackColor", control);
    if (m_platform)
        m_platform->setBackColor(control, color);
    m_controls.at(control).back = color;
}

void RecordingWindow::setPicture(std::size_t control, services::PictureId picture)
{
    if (m_platform)
        m_platform->setPicture(control, picture);
    m_controls.at(control).picture = true;
}

bool RecordingWindow::hasPicture(std::size_t control) const
{
    return m_platform ? m_platform->hasPicture(control) : m_controls.at(control).picture;
}

bool RecordingWindow::isVisible() const
{
    return m_platform ? m_platform->isVisible() : m_visible && !m_unloaded;
}

void RecordingWindow::setFocus(std::size_t control)
{
    if (m_platform)
        m_platform->setFocus(control);
}

void RecordingWindow::setToolTip(std::size_t control, std::string_view text)
{
    if (m_platform)
        m_platform->setToolTip(control, text);
}

void RecordingWindow::setDescription(std::size_t control, std::string_view text)
{
    if (m_platform)
        m_platform->setDescription(control, text);
}

void RecordingWindow::announce(std::string_view words)
{
    if (m_services.keepRecords)
        m_services.announcements.emplace_back(m_id, std::string(words));
    if (m_platform)
        m_platform->announce(words);
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
