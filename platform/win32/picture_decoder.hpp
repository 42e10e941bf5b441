#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

struct IPicture;

namespace tervanel::win32 {

// A picture decoded by the system's own picture decoder from a resource inside the
// executable: its bitmap and its natural size in pixels.
class DecodedPicture final {
public:
    // A resource that is missing or cannot be decoded is a failure
    // (services::OperationFailed).
    DecodedPicture(int resource, std::string_view name);
    ~DecodedPicture();
    DecodedPicture(const DecodedPicture &) = delete;
    DecodedPicture &operator=(const DecodedPicture &) = delete;

    [[nodiscard]] HBITMAP bitmap() const { return m_bitmap; }
    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }

    // Draws the picture into a rectangle of `dc`, scaled to it.
    void draw(HDC dc, const RECT &target) const;

private:
    IPicture *m_picture = nullptr;
    HBITMAP m_bitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
};

} // namespace tervanel::win32
