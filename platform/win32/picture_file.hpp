#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>

namespace tervanel::win32 {

// A picture file (the program's JPEG and GIF) decoded into a top-down 32-bit DIB section:
// one word a pixel, 0x00RRGGBB, the first row at the top. No COM and no DLL beyond GDI32:
// the decoder is compiled into the program.
class DibPicture final {
public:
    // A file this decoder cannot read, empty bytes among them, is a failure
    // (services::OperationFailed, Failure::PictureMissing, naming `name`).
    DibPicture(std::span<const unsigned char> file, std::string_view name);
    ~DibPicture();
    DibPicture(const DibPicture &) = delete;
    DibPicture &operator=(const DibPicture &) = delete;

    [[nodiscard]] HBITMAP bitmap() const { return m_bitmap; }
    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }
    // The pixels, row after row from the top.
    [[nodiscard]] std::span<const std::uint32_t> pixels() const;

private:
    HBITMAP m_bitmap = nullptr;
    std::uint32_t *m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// The bytes of a picture that the executable carries (an RCDATA resource); empty when
// there is none. They stay mapped as long as the program runs.
[[nodiscard]] std::span<const unsigned char> pictureResource(int resource);

} // namespace tervanel::win32
