#include "platform/win32/picture_file.hpp"

#include "services/failures.hpp"

#include <climits>
#include <memory>

// stb_image (Debian's libstb-dev), its JPEG and GIF decoders only, compiled here with
// private linkage; a picture larger than the program's own is refused before decoding.
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS 4096
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace tervanel::win32 {

namespace {

struct StbFree {
    void operator()(unsigned char *pixels) const { stbi_image_free(pixels); }
};

[[noreturn]] void fail(std::string_view name)
{
    throw services::OperationFailed(services::Failure::PictureMissing, name);
}

} // namespace

DibPicture::DibPicture(std::span<const unsigned char> file, std::string_view name)
{
    if (file.empty() || file.size() > INT_MAX)
        fail(name);
    int width = 0;
    int height = 0;
    int channels = 0;
    constexpr int kRgba = 4;
    const std::unique_ptr<unsigned char, StbFree> rgba(stbi_load_from_memory(
        file.data(), static_cast<int>(file.size()), &width, &height, &channels, kRgba));
    if (!rgba || width <= 0 || height <= 0)
        fail(name);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_bitmap || !bits)
        fail(name);
    m_bits = static_cast<std::uint32_t *>(bits);
    m_width = width;
    m_height = height;

    // Neither picture has transparent pixels; the alpha byte is left out.
    const unsigned char *from = rgba.get();
    for (std::uint32_t &pixel :
         std::span(m_bits, static_cast<std::size_t>(width) * static_cast<std::size_t>(height))) {
        pixel = std::uint32_t{from[0]} << 16 | std::uint32_t{from[1]} << 8 | from[2];
        from += kRgba;
    }
}

DibPicture::~DibPicture()
{
    DeleteObject(m_bitmap);
}

std::span<const std::uint32_t> DibPicture::pixels() const
{
    return {m_bits, static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height)};
}

std::span<const unsigned char> pictureResource(int resource)
{
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10));
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void *data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return {};
    return {static_cast<const unsigned char *>(data), SizeofResource(module, found)};
}

} // namespace tervanel::win32
