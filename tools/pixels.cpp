// Decodes a picture at build time into the pixels the program draws, so that the
// program starts without loading an image decoder:
//
//     tervanel_pixels PICTURE OUTPUT
//
// The output is a 16-byte header ("TVPX", then width, height and the QImage format
// number as little-endian 32-bit numbers) followed by the rows of 32-bit pixels, top
// down, without padding. Opaque pictures are stored as RGB32, others as premultiplied
// ARGB32: the formats the raster engine paints from directly.

#include <QImage>
#include <QImageReader>

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>

namespace {

void put32(std::ofstream &out, std::uint32_t value)
{
    const std::array<char, 4> bytes{
        static_cast<char>(value & 0xFFU), static_cast<char>((value >> 8) & 0xFFU),
        static_cast<char>((value >> 16) & 0xFFU), static_cast<char>((value >> 24) & 0xFFU)};
    out.write(bytes.data(), bytes.size());
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: tervanel_pixels PICTURE OUTPUT\n", stderr);
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "tervanel_pixels: %s: %s\n", argv[1],
                     reader.errorString().toLocal8Bit().constData());
        return 1;
    }
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                          : QImage::Format_RGB32);
    std::ofstream out(argv[2], std::ios::binary);
    out.write("TVPX", 4);
    put32(out, static_cast<std::uint32_t>(image.width()));
    put32(out, static_cast<std::uint32_t>(image.height()));
    put32(out, static_cast<std::uint32_t>(image.format()));
    for (int y = 0; y < image.height(); ++y)
        out.write(reinterpret_cast<const char *>(image.constScanLine(y)),
                  static_cast<std::streamsize>(image.width()) * 4);
    return out.good() ? 0 : 1;
}
