// The pictures built into the program and the icon, checked byte by byte against the
// formats they must have: the banner a single-frame 256-colour GIF, the portrait a
// baseline JFIF JPEG at 150 dpi, the icon three classic images.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::string &relative)
{
    std::ifstream in(std::string(TERVANEL_SOURCE_DIR) + "/" + relative, std::ios::binary);
    EXPECT_TRUE(in) << relative;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned le16(const Bytes &b, std::size_t at)
{
    return static_cast<unsigned>(b.at(at)) | (static_cast<unsigned>(b.at(at + 1)) << 8U);
}

unsigned be16(const Bytes &b, std::size_t at)
{
    return (static_cast<unsigned>(b.at(at)) << 8U) | static_cast<unsigned>(b.at(at + 1));
}

std::uint32_t le32(const Bytes &b, std::size_t at)
{
    return le16(b, at) | (static_cast<std::uint32_t>(le16(b, at + 2)) << 16U);
}

struct GifFacts {
    unsigned width = 0, height = 0, paletteSize = 0, frames = 0;
    bool interlaced = false, transparent = false;
};

// Walks the GIF's blocks: header, palette, extensions and image descriptors.
GifFacts readGif(const Bytes &gif)
{
    GifFacts facts;
    EXPECT_TRUE(std::string(gif.begin(), gif.begin() + 3) == "GIF");
    facts.width = le16(gif, 6);
    facts.height = le16(gif, 8);
    const std::uint8_t packed = gif.at(10);
    std::size_t at = 13;
    if (packed & 0x80U) {
        facts.paletteSize = 1U << ((packed & 0x07U) + 1U);
        at += 3U * facts.paletteSize;
    }
    const auto skipSubBlocks = [&] {
        while (gif.at(at) != 0)
            at += gif.at(at) + 1U;
        ++at;
    };
    while (at < gif.size() && gif.at(at) != 0x3B) {
        if (gif.at(at) == 0x21) { // extension
            if (gif.at(at + 1) == 0xF9 && (gif.at(at + 3) & 0x01U))
                facts.transparent = true;
            at += 2;
            skipSubBlocks();
        } else if (gif.at(at) == 0x2C) { // image descriptor
            ++facts.frames;
            const std::uint8_t imagePacked = gif.at(at + 9);
            facts.interlaced = facts.interlaced || (imagePacked & 0x40U);
            at += 10;
            if (imagePacked & 0x80U)
                at += 3U * (1U << ((imagePacked & 0x07U) + 1U));
            ++at; // the LZW minimum code size
            skipSubBlocks();
        } else {
            ADD_FAILURE() << "unknown GIF block " << int(gif.at(at)) << " at " << at;
            break;
        }
    }
    return facts;
}

TEST(Artwork, BannerIsASingleFrame256ColourGif)
{
    const GifFacts gif = readGif(readFile("app/resources/banner.gif"));
    EXPECT_EQ(gif.width, 400U);
    EXPECT_EQ(gif.height, 100U);
    EXPECT_EQ(gif.paletteSize, 256U);
    EXPECT_EQ(gif.frames, 1U);
    EXPECT_FALSE(gif.interlaced);
    EXPECT_FALSE(gif.transparent);
}

TEST(Artwork, PortraitIsABaselineJfifAt150Dpi)
{
    const Bytes jpeg = readFile("app/resources/portrait.jpg");
    ASSERT_EQ(be16(jpeg, 0), 0xFFD8U);
    ASSERT_EQ(be16(jpeg, 2), 0xFFE0U) << "JFIF comes first";
    EXPECT_EQ(std::string(jpeg.begin() + 6, jpeg.begin() + 11), std::string("JFIF\0", 5));
    EXPECT_EQ(jpeg.at(11), 1);
    EXPECT_EQ(jpeg.at(12), 0) << "JFIF 1.00";
    EXPECT_EQ(jpeg.at(13), 1) << "density in dots per inch";
    EXPECT_EQ(be16(jpeg, 14), 150U);
    EXPECT_EQ(be16(jpeg, 16), 150U);

    bool baseline = false, progressive = false;
    for (std::size_t at = 2; at + 4 < jpeg.size();) {
        ASSERT_EQ(jpeg.at(at), 0xFF) << "marker expected at " << at;
        const std::uint8_t marker = jpeg.at(at + 1);
        if (marker == 0xDA)
            break; // start of scan: the frame header came before
        if (marker == 0xC0) {
            baseline = true;
            EXPECT_EQ(jpeg.at(at + 4), 8) << "8 bits";
            EXPECT_EQ(be16(jpeg, at + 5), 475U);
            EXPECT_EQ(be16(jpeg, at + 7), 275U);
            EXPECT_EQ(jpeg.at(at + 9), 3) << "three components";
        }
        progressive = progressive || marker == 0xC2;
        at += 2 + be16(jpeg, at + 2);
    }
    EXPECT_TRUE(baseline);
    EXPECT_FALSE(progressive);
}

TEST(Artwork, IconHoldsTheThreeClassicImages)
{
    const Bytes ico = readFile("app/icons/tervanel.ico");
    ASSERT_EQ(le16(ico, 0), 0U);
    ASSERT_EQ(le16(ico, 2), 1U) << "an icon, not a cursor";
    ASSERT_EQ(le16(ico, 4), 3U);
    struct Expected {
        unsigned size, colours, bitCount;
    };
    const Expected expected[] = {{32, 2, 1}, {32, 16, 4}, {16, 16, 4}};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico.at(entry), expected[i].size) << i;
        EXPECT_EQ(ico.at(entry + 1), expected[i].size) << i;
        EXPECT_EQ(ico.at(entry + 2), expected[i].colours) << i;
        EXPECT_EQ(le16(ico, entry + 6), expected[i].bitCount) << i;
        // The image itself: a bitmap header with the doubled height of image and mask.
        const std::uint32_t offset = le32(ico, entry + 12);
        EXPECT_EQ(le32(ico, offset), 40U) << i;
        EXPECT_EQ(le32(ico, offset + 4), expected[i].size) << i;
        EXPECT_EQ(le32(ico, offset + 8), 2 * expected[i].size) << i;
        EXPECT_EQ(le16(ico, offset + 14), expected[i].bitCount) << i;
        EXPECT_LE(offset + le32(ico, entry + 8), ico.size()) << i;
    }
}

} // namespace
