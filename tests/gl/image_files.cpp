// Small BMP, TGA and PNG files through the image library's writers, and hostile headers.
#include "tests/gl/image_files.h"

#include <cstddef>

#include "image/write.h"

namespace gltest {

namespace {

void put16le(Bytes& out, std::uint32_t value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void put32le(Bytes& out, std::uint32_t value) {
    put16le(out, value & 0xFFFF);
    put16le(out, value >> 16);
}

Bytes bmpHeaders(std::int32_t width, std::int32_t height, int bitsPerPixel,
                 std::uint32_t pixelBytes) {
    Bytes out{'B', 'M'};
    put32le(out, 14 + 40 + pixelBytes);  // file size
    put32le(out, 0);                     // reserved
    put32le(out, 14 + 40);               // offset of the pixels
    put32le(out, 40);                    // BITMAPINFOHEADER
    put32le(out, std::uint32_t(width));
    put32le(out, std::uint32_t(height));  // positive: rows bottom-up
    put16le(out, 1);                      // planes
    put16le(out, std::uint32_t(bitsPerPixel));
    put32le(out, 0);  // no compression
    put32le(out, pixelBytes);
    put32le(out, 2835);  // 72 dpi
    put32le(out, 2835);
    put32le(out, 0);
    put32le(out, 0);
    return out;
}

Bytes encoded(ImageFormat format, const Picture& picture) {
    return encodeImage(format, PixelRows{picture.width, picture.height, 3, picture.rgb.data(), true});
}

}  // namespace

Picture Picture::solid(int width, int height, unsigned char r, unsigned char g, unsigned char b) {
    Picture picture{width, height, {}};
    for (int i = 0; i < width * height; ++i) picture.rgb.insert(picture.rgb.end(), {r, g, b});
    return picture;
}

Picture Picture::distinct(int width, int height) {
    Picture picture{width, height, {}};
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x)
            picture.rgb.insert(picture.rgb.end(),
                               {static_cast<unsigned char>(20 + 40 * x),
                                static_cast<unsigned char>(30 + 50 * row),
                                static_cast<unsigned char>(250 - 13 * (row * width + x))});
    return picture;
}

Bytes bmpFile(const Picture& picture) { return encoded(ImageFormat::Bmp, picture); }

// The writer stores rows bottom first; the top-down variant has its rows turned over and the
// origin bit of its descriptor set.
Bytes tgaFile(const Picture& picture, bool topRowFirst) {
    Bytes out = encoded(ImageFormat::Tga, picture);
    if (!topRowFirst || out.size() < 18) return out;
    const std::size_t rowBytes = std::size_t(picture.width) * 3, header = 18;
    Bytes turned(out.begin(), out.begin() + std::ptrdiff_t(header));
    turned[17] |= 0x20;
    for (int row = picture.height - 1; row >= 0; --row) {
        const auto first = out.begin() + std::ptrdiff_t(header + std::size_t(row) * rowBytes);
        turned.insert(turned.end(), first, first + std::ptrdiff_t(rowBytes));
    }
    return turned;
}

Bytes pngFile(const Picture& picture) { return encoded(ImageFormat::Png, picture); }

Bytes tgaDeclaringSize(std::uint16_t width, std::uint16_t height) {
    Bytes out{0, 0, 2, 0, 0, 0, 0, 0};
    put16le(out, 0);
    put16le(out, 0);
    put16le(out, width);
    put16le(out, height);
    out.push_back(32);
    out.push_back(0x08);  // eight alpha bits
    out.insert(out.end(), {1, 2, 3, 4, 5});
    return out;
}

Bytes bmpWhoseSizeWraps(std::uint32_t pixelBytes) {
    Bytes out = bmpHeaders(65537, 65537, 32, pixelBytes);
    out.insert(out.end(), pixelBytes, 0x7F);
    return out;
}

}  // namespace gltest
