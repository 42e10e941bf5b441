#include "platform/win32/window.hpp"

#include "platform/win32/pictures.hpp"
#include "platform/win32/resource_ids.h"
#include "platform/win32/services.hpp"
#include "platform/win32/text.hpp"

#include <map>
#include <stdexcept>
#include <string>

namespace tervanel::win32 {

namespace {

using services::ControlKind;
using services::ControlRow;

std::wstring wideId(std::string_view id)
{
    return {id.begin(), id.end()}; // control names are plain ASCII
}

FormLook lookOf(const services::WindowDescription &description)
{
    FormLook look;
    look.title = toWide(description.caption);
    look.width = description.width;
    look.height = description.height;
    if (description.back)
        look.back = description.back->value; // the same 0x00BBGGRR layout as COLORREF
    look.frame = description.frame == services::WindowFrame::Main ? FormFrame::FixedSingle
                                                                  : FormFrame::FixedDialog;
    look.placement = description.placement == services::Placement::FrameAtScreenTopLeft
                         ? FormPlacement::FrameAtScreenOrigin
                         : FormPlacement::Centred;
    look.keyPreview = description.keyPreview;
    look.fontPoints = description.font.points;
    look.fontBold = description.font.bold;
    look.accessibleName = toWide(description.spokenName);
    return look;
}

std::optional<COLORREF> colorOf(const std::optional<services::VbColor> &color)
{
    return color ? std::optional<COLORREF>(color->value) : std::nullopt;
}

// The pictures as the executable carries them; decoded once, on first use.
std::shared_ptr<const DecodedPicture> builtInPicture(services::PictureId id)
{
    static std::map<services::PictureId, std::shared_ptr<const DecodedPicture>> decoded;
    if (const auto it = decoded.find(id); it != decoded.end())
        return it->second;
    auto picture =
        id == services::PictureId::Banner
            ? std::make_shared<const DecodedPicture>(TERVANEL_BANNER_GIF, "banner.gif")
            : std::make_shared<const DecodedPicture>(TERVANEL_PORTRAIT_JPG, "portrait.jpg");
    decoded.emplace(id, picture);
    return picture;
}

} // namespace

Window::Window(Services &services, const services::WindowDescription &description,
               services::WindowEvents &events)
    : m_services(services)
    , m_events(events)
    , m_form(std::make_unique<Form>(lookOf(description)))
{
    m_services.adopt(*this);
    m_controls.reserve(description.controls.size());
    for (std::size_t i = 0; i < description.controls.size(); ++i) {
        const ControlRow &row = description.controls[i];
        Control *parent = row.parent ? m_controls.at(*row.parent) : nullptr;
        const services::FontSetting font = row.font.value_or(description.font);
        const std::wstring id = wideId(row.id);
        Control *added = nullptr;
        switch (row.kind) {
        case ControlKind::Label:
        case ControlKind::QuestionLabel: {
            LabelLook look;
            look.back = colorOf(row.back);
            look.fore = colorOf(row.fore);
            look.points = font.points;
            look.bold = font.bold;
            look.centred = row.align == services::Align::Centre;
            Label &label = m_form->addLabel(parent, id, row.geometry, row.tabIndex, look,
                                            row.kind == ControlKind::QuestionLabel);
            label.setCaption(toWide(row.text));
            label.onDoubleClick = [this, i] {
                if (!m_unloaded)
                    m_events.doubleClick(i);
            };
            added = &label;
            break;
        }
        case ControlKind::PushButton:
            added = &m_form->addButton(parent, id, row.geometry, row.tabIndex, toWide(row.text),
                                       font.points, font.bold);
            break;
        case ControlKind::PictureBox:
        case ControlKind::Image:
        case ControlKind::Frame: {
            const auto role = row.kind == ControlKind::PictureBox ? PictureControl::Role::PictureBox
                              : row.kind == ControlKind::Image    ? PictureControl::Role::Image
                                                                  : PictureControl::Role::Frame;
            added = &m_form->addPicture(parent, id, row.geometry, row.tabIndex, role,
                                        colorOf(row.back));
            break;
        }
        }
        added->onClick = [this, i] {
            if (!m_unloaded)
                m_events.click(i);
        };
        m_controls.push_back(added);
    }
    m_form->onKeyPress = [this](wchar_t unit) { keyPress(unit); };
    if (description.frame == services::WindowFrame::Main) {
        // The close box runs no handler of the program: it unloads the window.
        m_form->onCloseRequest = [this] { unload(); };
    }
    m_form->onDestroyRequest = [this] {
        m_controls.clear();
        m_form.reset();
        m_services.windowDestroyed();
    };
}

Window::~Window()
{
    m_services.release(*this);
}

void Window::keyPress(wchar_t unit)
{
    if (m_unloaded)
        return;
    // Characters beyond the first plane come as two UTF-16 units.
    if (unit >= 0xD800 && unit < 0xDC00) {
        m_highSurrogate = unit;
        return;
    }
    char32_t character = unit;
    if (unit >= 0xDC00 && unit < 0xE000 && m_highSurrogate) {
        character = 0x10000 + ((static_cast<char32_t>(m_highSurrogate) - 0xD800) << 10)
                    + (static_cast<char32_t>(unit) - 0xDC00);
    }
    m_highSurrogate = 0;
    m_events.keyPress(character);
}

Control &Window::control(std::size_t index) const
{
    if (m_unloaded || !m_form)
        throw std::logic_error("la finestra è stata scaricata");
    return *m_controls.at(index);
}

Label &Window::label(std::size_t index) const
{
    auto *label = dynamic_cast<Label *>(&control(index));
    if (!label)
        throw std::logic_error(std::string("il controllo non è un'etichetta"));
    return *label;
}

PictureControl &Window::picture(std::size_t index) const
{
    auto *picture = dynamic_cast<PictureControl *>(&control(index));
    if (!picture)
        throw std::logic_error(std::string("il controllo non è un'immagine"));
    return *picture;
}

void Window::show()
{
    if (m_unloaded || !m_form)
        throw std::logic_error("la finestra è stata scaricata");
    m_form->show();
}

void Window::hide()
{
    if (m_form && !m_unloaded)
        m_form->hide();
}

void Window::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_form->hide();
    m_form->requestDestroy(); // once the running handler has returned
}

void Window::setText(std::size_t index, std::string_view text)
{
    Control &target = control(index);
    if (auto *button = dynamic_cast<PushButton *>(&target))
        button->setText(toWide(text));
    else
        label(index).setCaption(toWide(text));
}

void Window::setVisible(std::size_t index, bool visible)
{
    control(index).setVisible(visible);
}

bool Window::bold(std::size_t index) const
{
    return label(index).isBold();
}

void Window::setBold(std::size_t index, bool bold)
{
    label(index).setBold(bold);
}

void Window::setForeColor(std::size_t index, services::VbColor color)
{
    label(index).setForeColor(color.value);
}

void Window::setBackColor(std::size_t index, services::VbColor color)
{
    label(index).setBackColor(color.value);
}

void Window::setPicture(std::size_t index, services::PictureId id)
{
    picture(index).setPicture(builtInPicture(id));
}

bool Window::hasPicture(std::size_t index) const
{
    return picture(index).picture() != nullptr;
}

void Window::setFocus(std::size_t index)
{
    m_form->setFocus(control(index));
}

void Window::setToolTip(std::size_t index, std::string_view text)
{
    picture(index).setToolTip(toWide(text));
}

void Window::setDescription(std::size_t index, std::string_view text)
{
    picture(index).setAccessibleName(toWide(text));
}

bool Window::isVisible() const
{
    return !m_unloaded && m_form && m_form->isVisible();
}

void Window::announce(std::string_view words)
{
    // Until the window carries a live region: an alert on the window itself.
    static_cast<void>(words);
    if (m_form)
        NotifyWinEvent(EVENT_SYSTEM_ALERT, m_form->hwnd(), OBJID_CLIENT, CHILDID_SELF);
}

} // namespace tervanel::win32
