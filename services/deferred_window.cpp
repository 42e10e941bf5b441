#include "services/deferred_window.hpp"

#include "services/runtime.hpp"

#include <utility>

namespace tervanel::services {

DeferredWindow::DeferredWindow(WindowServices &services, const WindowDescription &description,
                               WindowEvents &events)
    : m_services(services)
    , m_events(events)
    , m_id(description.id)
    , m_caption(description.caption)
    , m_spokenName(description.spokenName)
    , m_description(description)
    , m_self(std::make_shared<DeferredWindow *>(this))
{
    m_description.id = m_id;
    m_description.caption = m_caption;
    m_description.spokenName = m_spokenName;
    m_services.whenIdle([self = std::weak_ptr<DeferredWindow *>(m_self)] {
        runtime::handle([&self] {
            if (const auto alive = self.lock(); alive && !(*alive)->m_unloaded)
                static_cast<void>((*alive)->underlying());
        });
    });
}

DeferredWindow::~DeferredWindow() = default;

Window &DeferredWindow::underlying() const
{
    if (!m_window) {
        m_window = m_services.createWindow(m_description, m_events);
        // What was kept is done in order; one failing leaves the rest undone, as the
        // handler that asked for it would have stopped there.
        for (const Kept &kept : std::exchange(m_waiting, {}))
            apply(*m_window, kept);
    }
    return *m_window;
}

void DeferredWindow::later(Kept kept)
{
    if (m_window)
        apply(*m_window, kept);
    else if (!m_unloaded)
        m_waiting.push_back(std::move(kept));
}

void DeferredWindow::apply(Window &window, const Kept &kept)
{
    using enum Kept::Operation;
    const std::size_t c = kept.control;
    switch (kept.operation) {
    case SetText:
        return window.setText(c, kept.text);
    case SetVisible:
        return window.setVisible(c, kept.value != 0);
    case SetBold:
        return window.setBold(c, kept.value != 0);
    case SetForeColor:
        return window.setForeColor(c, VbColor{kept.value});
    case SetBackColor:
        return window.setBackColor(c, VbColor{kept.value});
    case SetPicture:
        return window.setPicture(c, static_cast<PictureId>(kept.value));
    case SetFocus:
        return window.setFocus(c);
    case SetToolTip:
        return window.setToolTip(c, kept.text);
    case SetDescription:
        return window.setDescription(c, kept.text);
    case Announce:
        return window.announce(kept.text);
    }
}

void DeferredWindow::hide()
{
    if (m_window)
        m_window->hide();
}

void DeferredWindow::unload()
{
    if (m_window)
        m_window->unload();
    m_waiting.clear();
    m_unloaded = true; // never made from now on
}

void DeferredWindow::setText(std::size_t control, std::string_view text)
{
    later({Kept::Operation::SetText, control, std::string(text)});
}

void DeferredWindow::setVisible(std::size_t control, bool visible)
{
    later({Kept::Operation::SetVisible, control, {}, visible});
}

void DeferredWindow::setBold(std::size_t control, bool bold)
{
    later({Kept::Operation::SetBold, control, {}, bold});
}

void DeferredWindow::setForeColor(std::size_t control, VbColor color)
{
    later({Kept::Operation::SetForeColor, control, {}, color.value});
}

void DeferredWindow::setBackColor(std::size_t control, VbColor color)
{
    later({Kept::Operation::SetBackColor, control, {}, color.value});
}

void DeferredWindow::setPicture(std::size_t control, PictureId picture)
{
    later({Kept::Operation::SetPicture, control, {}, static_cast<std::uint32_t>(picture)});
}

bool DeferredWindow::isVisible() const
{
    return m_window && m_window->isVisible();
}

void DeferredWindow::setFocus(std::size_t control)
{
    later({Kept::Operation::SetFocus, control, {}, 0});
}

void DeferredWindow::setToolTip(std::size_t control, std::string_view text)
{
    later({Kept::Operation::SetToolTip, control, std::string(text)});
}

void DeferredWindow::setDescription(std::size_t control, std::string_view text)
{
    later({Kept::Operation::SetDescription, control, std::string(text)});
}

void DeferredWindow::announce(std::string_view words)
{
    later({Kept::Operation::Announce, 0, std::string(words)});
}

} // namespace tervanel::services
