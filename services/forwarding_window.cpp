#include "services/forwarding_window.hpp"

namespace tervanel::services {

void ForwardingWindow::show()
{
    target().show();
}

void ForwardingWindow::hide()
{
    target().hide();
}

void ForwardingWindow::unload()
{
    target().unload();
}

void ForwardingWindow::setText(std::size_t control, std::string_view text)
{
    target().setText(control, text);
}

void ForwardingWindow::setVisible(std::size_t control, bool visible)
{
    target().setVisible(control, visible);
}

bool ForwardingWindow::bold(std::size_t control) const
{
    return target().bold(control);
}

void ForwardingWindow::setBold(std::size_t control, bool bold)
{
    target().setBold(control, bold);
}

void ForwardingWindow::setForeColor(std::size_t control, VbColor color)
{
    target().setForeColor(control, color);
}

void ForwardingWindow::setBackColor(std::size_t control, VbColor color)
{
    target().setBackColor(control, color);
}

void ForwardingWindow::setPicture(std::size_t control, PictureId picture)
{
    target().setPicture(control, picture);
}

bool ForwardingWindow::hasPicture(std::size_t control) const
{
    return target().hasPicture(control);
}

bool ForwardingWindow::isVisible() const
{
    return target().isVisible();
}

void ForwardingWindow::setFocus(std::size_t control)
{
    target().setFocus(control);
}

void ForwardingWindow::setToolTip(std::size_t control, std::string_view text)
{
    target().setToolTip(control, text);
}

void ForwardingWindow::setDescription(std::size_t control, std::string_view text)
{
    target().setDescription(control, text);
}

void ForwardingWindow::announce(std::string_view words)
{
    target().announce(words);
}

} // namespace tervanel::services
