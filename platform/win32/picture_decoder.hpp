#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace tervanel::win32 {

// The bytes of a resource of the executable (RCDATA); empty when there is none. They stay
// mapped as long as the program runs.
[[nodiscard]] std::span<const unsigned char> resourceBytes(int resource);

// A picture (the program's JPEG and GIF) decoded into a top-down 32-bit DIB: one word a
// pixel, 0x00RRGGBB, the first row at the top. No COM and no DLL beyond GDI32: the
// decoder, stb_image, is compiled into the program, and the pixels are decoded in place,
// without a second copy.
class DecodedPicture final {
public:
    // From a resource of the executable (RCDATA). A resource that is missing, or bytes
    // this decoder cannot read, are a failure (services::OperationFailed,
    // Failure::PictureMissing, naming `name`).
    DecodedPicture(int resource, std::string_view name);
    DecodedPicture(std::span<const unsigned char> file, std::string_view name);
    ~DecodedPicture();
    DecodedPicture(const DecodedPicture &) = delete;
    DecodedPicture &operator=(const DecodedPicture &) = delete;

    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }
    // The pixels, row after row from the top.
    [[nodiscard]] std::span<const std::uint32_t> pixels() const;

    // Draws the picture into a rectangle of `dc`, scaled to it (halftone) when its size
    // differs.
    void draw(HDC dc, const RECT &target) const;

private:
    struct Free {
        void operator()(unsigned char *pixels) const;
    };
    std::unique_ptr<unsigned char, Free> m_pixels;
    int m_width = 0;
    int m_height = 0;
};

} // namespace tervanel::win32
