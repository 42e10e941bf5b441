#include "services/controls.hpp"

#include "services/failures.hpp"
#include "services/runtime.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tervanel::services {

namespace {

constexpr std::initializer_list<ControlKind> kLabels{ControlKind::Label,
                                                     ControlKind::QuestionLabel};
constexpr std::initializer_list<ControlKind> kCaptioned{
    ControlKind::Label, ControlKind::QuestionLabel, ControlKind::PushButton};
constexpr std::initializer_list<ControlKind> kPictures{ControlKind::PictureBox, ControlKind::Image};

} // namespace

// Notes what the user sees change on the window, and announces it when the runtime
// asks, if the window is on screen.
class ControlAccess::Announcer final : public runtime::AnnouncementSource {
public:
    Announcer(Window &window, std::span<const ControlRow> rows, int windowWidth)
        : m_window(window)
        , m_notice(rows, pixels(windowWidth))
    {
    }

    template <class Note> void note(Note &&note)
    {
        note(m_notice);
        runtime::announceLater(*this);
    }

private:
    void announcePending() override
    {
        const std::string words = m_notice.take();
        if (!words.empty() && m_window.isVisible())
            m_window.announce(words);
    }

    Window &m_window;
    accessibility::Notice m_notice;
};

ControlAccess::ControlAccess(Window &window, std::span<const ControlRow> rows, int windowWidth)
    : m_window(&window)
    , m_announcer(std::make_unique<Announcer>(window, rows, windowWidth))
{
    for (const ControlRow &row : rows) {
        m_kinds.push_back(row.kind);
        m_ids.push_back(row.id);
    }
}

ControlAccess::~ControlAccess() = default;

void ControlAccess::expect(std::size_t index, std::initializer_list<ControlKind> kinds) const
{
    const ControlKind kind = m_kinds.at(index);
    if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end())
        throw OperationFailed(Failure::WrongControlKind, m_ids[index]);
}

void ControlAccess::setText(std::size_t index, std::string_view text) const
{
    expect(index, kCaptioned);
    m_window->setText(index, text);
    m_announcer->note([&](accessibility::Notice &n) { n.captionSet(index, text); });
}

void ControlAccess::setVisible(std::size_t index, bool visible) const
{
    m_window->setVisible(index, visible);
    m_announcer->note([&](accessibility::Notice &n) { n.visibilitySet(index, visible); });
}

bool ControlAccess::bold(std::size_t index) const
{
    expect(index, kLabels);
    return m_window->bold(index);
}

void ControlAccess::setBold(std::size_t index, bool bold) const
{
    expect(index, kLabels);
    m_window->setBold(index, bold);
    if (m_kinds[index] == ControlKind::QuestionLabel) {
        m_announcer->note([&](accessibility::Notice &n) { n.answerSet(index, bold); });
    }
}

void ControlAccess::setForeColor(std::size_t index, VbColor color) const
{
    expect(index, kLabels);
    m_window->setForeColor(index, color);
}

void ControlAccess::setBackColor(std::size_t index, VbColor color) const
{
    expect(index, kLabels);
    m_window->setBackColor(index, color);
}

void ControlAccess::setPicture(std::size_t index, PictureId picture) const
{
    expect(index, kPictures);
    m_window->setPicture(index, picture);
}

bool ControlAccess::hasPicture(std::size_t index) const
{
    expect(index, kPictures);
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
