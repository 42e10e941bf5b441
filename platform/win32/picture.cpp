#include "platform/win32/picture.hpp"

#include "platform/win32/colors.hpp"
#include "platform/win32/picture_decoder.hpp"
#include "platform/win32/resource_ids.h"
#include "platform/win32/scaling.hpp"

#include <map>

namespace tervanel::win32 {

namespace {

using services::ControlKind;

// The pictures as the executable carries them; decoded once, on first use.
std::shared_ptr<const DecodedPicture> builtInPicture(services::PictureId id)
{
    static std::map<services::PictureId, std::shared_ptr<const DecodedPicture>> decoded;
    if (const auto it = decoded.find(id); it != decoded.end())
        return it->second;
    auto picture = std::make_shared<const DecodedPicture>(
        id == services::PictureId::Banner ? TERVANEL_BANNER_GIF : TERVANEL_PORTRAIT_JPG,
        services::fileNameOf(id));
    decoded.emplace(id, picture);
    return picture;
}

DWORD styleOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::PictureBox:
        return WS_TABSTOP;
    case ControlKind::Frame:
        return WS_CLIPCHILDREN;
    default:
        return 0;
    }
}

} // namespace

Picture::Picture(Window &window, std::size_t row, const services::ControlRow &description,
                 HWND parent, int dpi)
    : Control(window, row, description)
    , m_back(description.back ? std::optional<COLORREF>(description.back->value) : std::nullopt)
{
    // The picture box's border is the system's sunken client edge, two pixels wide.
    create(programClass(), parent, styleOf(kind()),
           kind() == ControlKind::PictureBox ? WS_EX_CLIENTEDGE : 0, dpi);
}

void Picture::setPicture(services::PictureId picture)
{
    m_picture = builtInPicture(picture);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

services::accessibility::Presentation Picture::presentation() const
{
    return services::accessibility::present(kind(), {{}, description(), isVisible(), false});
}

void Picture::paint(HDC dc) const
{
    RECT client;
    GetClientRect(hwnd(), &client);
    const HWND parent = GetParent(hwnd());
    // Without a colour of its own the control shows its parent's background.
    const HBRUSH back = m_back ? CreateSolidBrush(shownColors(kind(), std::nullopt, m_back).back)
                               : reinterpret_cast<HBRUSH>(SendMessageW(
                                   parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                   reinterpret_cast<LPARAM>(hwnd())));
    FillRect(dc, &client, back ? back : GetSysColorBrush(COLOR_BTNFACE));
    if (m_back)
        DeleteObject(back);

    switch (kind()) {
    case ControlKind::Frame:
        DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
        break;
    case ControlKind::PictureBox:
        if (m_picture) {
            // At its natural size, scaled with the screen, from the top-left corner.
            const RECT natural{0, 0, scaledPixels(m_picture->width(), dpi()),
                               scaledPixels(m_picture->height(), dpi())};
            const int saved = SaveDC(dc);
            IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
            m_picture->draw(dc, natural);
            RestoreDC(dc, saved);
        }
        break;
    default: // an image
        if (m_picture)
            m_picture->draw(dc, client);
        break;
    }
}

LRESULT Picture::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd(), &ps);
        paint(dc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        // Controls lying on a frame share the frame's background.
        return SendMessageW(GetParent(hwnd()), message, wParam, lParam);
    default:
        return Control::handle(message, wParam, lParam);
    }
}

} // namespace tervanel::win32
