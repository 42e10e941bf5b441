// The pictures decoded inside the program (platform/win32/picture_decoder.cpp): each to its
// size and to the pixels the system's own decoder gives, within what two JPEG decoders
// may differ by, and drawn upright at any size; a damaged or missing picture is a failure
// that names it.

#include "platform/win32/picture_decoder.hpp"
#include "platform/win32/resource_ids.h"
#include "services/failures.hpp"

#include <gtest/gtest.h>

#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using tervanel::services::Failure;
using tervanel::services::OperationFailed;
using tervanel::win32::DecodedPicture;
using tervanel::win32::resourceBytes;

constexpr int kDamagedBanner = 201;
constexpr int kDamagedPortrait = 202;
constexpr int kMissing = 999;

// The same bytes through the system's decoder (OleLoadPicture), as 0x00RRGGBB words from
// the top row down; empty when it cannot decode them.
std::vector<std::uint32_t> systemDecode(std::span<const unsigned char> file, int &width,
                                        int &height)
{
    const HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, file.size());
    std::memcpy(GlobalLock(copy), file.data(), file.size());
    GlobalUnlock(copy);
    IStream *stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream)))
        return {};
    IPicture *picture = nullptr;
    const HRESULT decoded =
        OleLoadPicture(stream, 0, FALSE, __uuidof(IPicture), reinterpret_cast<void **>(&picture));
    stream->Release();
    if (FAILED(decoded))
        return {};
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP facts{};
    GetObjectW(bitmap, sizeof facts, &facts);
    width = facts.bmWidth;
    height = facts.bmHeight;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
    const HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    picture->Release();
    if (rows != height)
        return {};
    for (std::uint32_t &pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

int channelDifference(std::uint32_t a, std::uint32_t b)
{
    int largest = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int one = static_cast<int>((a >> shift) & 0xFF);
        const int other = static_cast<int>((b >> shift) & 0xFF);
        largest = std::max(largest, std::abs(one - other));
    }
    return largest;
}

TEST(PictureDecoder, TheProgramsPicturesDecodeAsTheSystemDecodesThem)
{
    struct Case {
        int resource;
        const char *name;
        int width, height;
        // Two JPEG decoders round their inverse transforms and colour conversion each
        // its own way; a GIF's palette leaves nothing to round.
        int largestDifference;
        double meanDifference;
    };
    const std::vector<Case> cases{
        {TERVANEL_PORTRAIT_JPG, "portrait.jpg", 275, 475, 10, 1.0},
        {TERVANEL_BANNER_GIF, "banner.gif", 400, 100, 0, 0.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedPicture picture(c.resource, c.name);
        ASSERT_EQ(picture.width(), c.width);
        ASSERT_EQ(picture.height(), c.height);
        int width = 0;
        int height = 0;
        const std::vector<std::uint32_t> expected =
            systemDecode(resourceBytes(c.resource), width, height);
        ASSERT_EQ(width, c.width);
        ASSERT_EQ(height, c.height);
        const std::span<const std::uint32_t> pixels = picture.pixels();
        ASSERT_EQ(pixels.size(), expected.size());
        int largest = 0;
        long long total = 0;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const int difference = channelDifference(pixels[i], expected[i]);
            largest = std::max(largest, difference);
            total += difference;
        }
        const double mean = static_cast<double>(total) / static_cast<double>(pixels.size());
        RecordProperty(std::string(c.name) + " largest difference", largest);
        RecordProperty(std::string(c.name) + " mean difference", std::to_string(mean));
        EXPECT_LE(largest, c.largestDifference);
        EXPECT_LE(mean, c.meanDifference);
    }
}

// What draw() leaves in a 32-bit bitmap of `width` x `height`, from the top row down.
std::vector<std::uint32_t> drawn(const DecodedPicture &picture, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    picture.draw(dc, RECT{0, 0, width, height});
    GdiFlush();
    const auto *first = static_cast<const std::uint32_t *>(bits);
    std::vector<std::uint32_t> pixels(first, first + static_cast<std::size_t>(width * height));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    for (std::uint32_t &pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

TEST(PictureDecoder, DrawnUprightAtItsOwnSizeAndScaled)
{
    const DecodedPicture picture(TERVANEL_PORTRAIT_JPG, "portrait.jpg");
    const int width = picture.width();
    const int height = picture.height();
    const std::span<const std::uint32_t> pixels = picture.pixels();

    const std::vector<std::uint32_t> same = drawn(picture, width, height);
    EXPECT_TRUE(std::equal(same.begin(), same.end(), pixels.begin(), pixels.end()));

    // Twice the size, against each pixel doubled: smoothing changes edges a little, a
    // picture upside down or mirrored changes nearly everything.
    const std::vector<std::uint32_t> twice = drawn(picture, 2 * width, 2 * height);
    long long total = 0;
    for (int y = 0; y < 2 * height; ++y)
        for (int x = 0; x < 2 * width; ++x)
            total += channelDifference(twice[static_cast<std::size_t>(y * 2 * width + x)],
                                       pixels[static_cast<std::size_t>(y / 2 * width + x / 2)]);
    EXPECT_LE(static_cast<double>(total) / static_cast<double>(twice.size()), 4.0);
}

TEST(PictureDecoder, ADamagedOrMissingPictureIsAFailureNamingIt)
{
    // A GIF of 5000 x 10 pixels, its header alone: larger than any picture of the program.
    static const unsigned char kHuge[] = {'G', 'I', 'F', '8', '9', 'a', 0x88, 0x13, 10, 0, 0, 0, 0};
    struct Case {
        const char *name;
        int resource;                        // 0: the bytes below
        std::span<const unsigned char> file; // the bytes, for no resource
    };
    const std::vector<Case> cases{
        {"damaged.gif", kDamagedBanner, {}},
        {"damaged.jpg", kDamagedPortrait, {}},
        {"missing.gif", kMissing, {}},
        {"huge.gif", 0, kHuge},
        {"header.jpg", 0, resourceBytes(TERVANEL_PORTRAIT_JPG).first(300)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        try {
            const DecodedPicture picture = c.resource != 0 ? DecodedPicture(c.resource, c.name)
                                                           : DecodedPicture(c.file, c.name);
            ADD_FAILURE() << "decoded to " << picture.width() << " x " << picture.height();
        } catch (const OperationFailed &failure) {
            EXPECT_EQ(failure.failure(), Failure::PictureMissing);
            EXPECT_NE(std::string(failure.what()).find(c.name), std::string::npos);
        }
    }
}

} // namespace
