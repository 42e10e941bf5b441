#include "platform/win32/picture_decoder.hpp"

#include "services/failures.hpp"

#include <climits>

// stb_image (Debian's libstb-dev), its JPEG and GIF decoders only, compiled here with
// private linkage; a picture larger than 4096 pixels a side is refused before decoding.
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

[[noreturn]] void fail(std::string_view name)
{
    throw services::OperationFailed(services::Failure::PictureMissing, name);
}

} // namespace

// The bytes of a resource of the executable (RCDATA); empty when there is none. They stay
// mapped as long as the program runs.
std::span<const unsigned char> resourceBytes(int resource)
{
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10));
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void *data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return {};
    return {static_cast<const unsigned char *>(data), SizeofResource(module, found)};
}

DecodedPicture::DecodedPicture(int resource, std::string_view name)
    : DecodedPicture(resourceBytes(resource), name)
{
}

void DecodedPicture::Free::operator()(unsigned char *pixels) const
{
    stbi_image_free(pixels);
}

DecodedPicture::DecodedPicture(std::span<const unsigned char> file, std::string_view name)
{
    if (file.empty() || file.size() > INT_MAX)
        fail(name);
    int channels = 0;
    constexpr int kRgba = 4;
    m_pixels.reset(stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &m_width,
                                         &m_height, &channels, kRgba));
    if (!m_pixels || m_width <= 0 || m_height <= 0)
        fail(name);
    // Red, green, blue, alpha in memory become the DIB's blue, green, red and a zero
    // (neither picture has transparent pixels).
    for (unsigned char *
             pixel = m_pixels.get(),
            *end = pixel
                   + static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height) * kRgba;
         pixel != end; pixel += kRgba) {
        const unsigned char red = pixel[0];
        pixel[0] = pixel[2];
        pixel[2] = red;
        pixel[3] = 0;
    }
}

DecodedPicture::~DecodedPicture() = default;

std::span<const std::uint32_t> DecodedPicture::pixels() const
{
    // stb_image's buffer comes from malloc, aligned for any word.
    return {reinterpret_cast<const std::uint32_t *>(m_pixels.get()),
            static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height)};
}

void DecodedPicture::draw(HDC dc, const RECT &target) const
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width != m_width || height != m_height) {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
    }
    StretchDIBits(dc, target.left, target.top, width, height, 0, 0, m_width, m_height,
                  m_pixels.get(), &info, DIB_RGB_COLORS, SRCCOPY);
}

} // namespace tervanel::win32
