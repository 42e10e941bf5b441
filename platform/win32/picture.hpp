#pragma once

#include "platform/win32/control.hpp"
#include "services/pictures.hpp"

#include <memory>
#include <optional>

namespace tervanel::win32 {

class DecodedPicture;

// A picture box (a 2-pixel sunken border, the picture at its natural size at the top
// left), an image (the picture stretched over the control) or a frame (an etched line
// around the controls that lie on it), as its kind says. Each can be clicked.
class Picture final : public Control {
public:
    Picture(Window &window, std::size_t row, const services::ControlRow &description, HWND parent,
            int dpi);

    // A built-in picture, decoded on its first use.
    void setPicture(services::PictureId picture);
    [[nodiscard]] const DecodedPicture *picture() const { return m_picture.get(); }

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    [[nodiscard]] services::accessibility::Presentation presentation() const override;
    void paint(HDC dc) const;

    std::optional<COLORREF> m_back;
    std::shared_ptr<const DecodedPicture> m_picture;
};

} // namespace tervanel::win32
