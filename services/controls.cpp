#include "services/controls.hpp"

#include "services/runtime.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tervanel::services {

namespace {

const char *kindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
        return "label";
    case ControlKind::QuestionLabel:
        return "question label";
    case ControlKind::PushButton:
        return "push button";
    case ControlKind::PictureBox:
        return "picture box";
    case ControlKind::Image:
        return "image";
    case ControlKind::Frame:
        return "frame";
    }
    return "control";
}

constexpr std::initializer_list<ControlKind> kLabels{ControlKind::Label,
                                                     ControlKind::QuestionLabel};
constexpr std::initializer_list<ControlKind> kCaptioned{
    ControlKind::Label, ControlKind::QuestionLabel, ControlKind::PushButton};
constexpr std::initializer_list<ControlKind> kPictures{ControlKind::PictureBox, ControlKind::Image};

} // namespace

ControlAccess::ControlAccess(Window &window, std::span<const ControlRow> rows)
    : m_window(&window)
{
    for (const ControlRow &row : rows) {
        m_kinds.push_back(row.kind);
        m_ids.push_back(row.id);
    }
}

void ControlAccess::expect(std::size_t index, std::initializer_list<ControlKind> kinds,
                           std::string_view what) const
{
    const ControlKind kind = m_kinds.at(index);
    if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end())
        throw std::logic_error(std::string(m_ids[index]) + " is a " + kindName(kind) + ", not "
                               + std::string(what));
}

void ControlAccess::setText(std::size_t index, std::string_view text) const
{
    expect(index, kCaptioned, "a label or push button");
    runtime::beforeOperation("setText", id(index));
    m_window->setText(index, text);
}

void ControlAccess::setVisible(std::size_t index, bool visible) const
{
    runtime::beforeOperation(visible ? "show" : "hide", m_ids.at(index));
    m_window->setVisible(index, visible);
}

bool ControlAccess::bold(std::size_t index) const
{
    expect(index, kLabels, "a label");
    return m_window->bold(index);
}

void ControlAccess::setBold(std::size_t index, bool bold) const
{
    expect(index, kLabels, "a label");
    runtime::beforeOperation("setBold", id(index));
    m_window->setBold(index, bold);
}

void ControlAccess::setForeColor(std::size_t index, VbColor color) const
{
    expect(index, kLabels, "a label");
    runtime::beforeOperation("setForeColor", id(index));
    m_window->setForeColor(index, color);
}

void ControlAccess::setBackColor(std::size_t index, VbColor color) const
{
    expect(index, kLabels, "a label");
    runtime::beforeOperation("setBackColor", id(index));
    m_window->setBackColor(index, color);
}

void ControlAccess::setPicture(std::size_t index, PictureId picture) const
{
    expect(index, kPictures, "a picture");
    m_window->setPicture(index, picture);
}

bool ControlAccess::hasPicture(std::size_t index) const
{
    expect(index, kPictures, "a picture");
    return m_window->hasPicture(index);
}

void ControlAccess::setFocus(std::size_t index) const
{
    static_cast<void>(m_kinds.at(index)); // a control of this window
    m_window->setFocus(index);
}

void ControlAccess::setToolTip(std::size_t index, std::string_view text) const
{
    static_cast<void>(m_kinds.at(index));
    m_window->setToolTip(index, text);
}

void ControlAccess::setDescription(std::size_t index, std::string_view text) const
{
    static_cast<void>(m_kinds.at(index));
    m_window->setDescription(index, text);
}

} // namespace tervanel::services
