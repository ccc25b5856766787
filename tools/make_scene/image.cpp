// Writers of the three picture formats that the scene uses, by hand and uncompressed, so the
// generator needs no image library to make its data.
#include "image.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>

namespace makescene {

Colour operator*(Colour c, float k) { return {c.r * k, c.g * k, c.b * k}; }
Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Colour mix(Colour a, Colour b, float t) { return a * (1.0f - t) + b * t; }
Colour grey(float v) { return {v, v, v}; }

Image::Image(int width, int height)
    : width_(width), height_(height), rgb_(static_cast<std::size_t>(width) * height * 3, 0) {}

static std::uint8_t toByte(float v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

void Image::set(int x, int y, Colour c) {
    std::size_t at = (static_cast<std::size_t>(y) * width_ + x) * 3;
    rgb_[at] = toByte(c.r);
    rgb_[at + 1] = toByte(c.g);
    rgb_[at + 2] = toByte(c.b);
}

namespace {

using Bytes = std::vector<std::uint8_t>;

void putLittle16(Bytes& out, std::uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void putLittle32(Bytes& out, std::uint32_t v) {
    putLittle16(out, v & 0xFFFF);
    putLittle16(out, v >> 16);
}

void putBig32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((v >> shift) & 0xFF);
}

// One pixel in the blue, green, red order of BMP and TGA.
void putBgr(Bytes& out, const Image& image, int x, int y) {
    std::size_t at = (static_cast<std::size_t>(y) * image.width() + x) * 3;
    out.push_back(image.rgb()[at + 2]);
    out.push_back(image.rgb()[at + 1]);
    out.push_back(image.rgb()[at]);
}

// BMP stores its rows bottom-up, each padded to a multiple of four bytes.
Bytes encodeBmp(const Image& image) {
    std::uint32_t rowBytes = (image.width() * 3 + 3) & ~3u;
    std::uint32_t pixelBytes = rowBytes * image.height();
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    putLittle32(out, 14 + 40 + pixelBytes);
    putLittle32(out, 0);
    putLittle32(out, 14 + 40);
    putLittle32(out, 40);  // BITMAPINFOHEADER
    putLittle32(out, image.width());
    putLittle32(out, image.height());  // positive: bottom-up
    putLittle16(out, 1);
    putLittle16(out, 24);
    putLittle32(out, 0);  // no compression
    putLittle32(out, pixelBytes);
    putLittle32(out, 2835);  // 72 dots per inch
    putLittle32(out, 2835);
    putLittle32(out, 0);
    putLittle32(out, 0);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) putBgr(out, image, x, y);
        while ((out.size() - 54) % 4 != 0) out.push_back(0);
    }
    return out;
}

// TGA type 2 (uncompressed true colour) with the top-left origin bit set, rows top-down.
Bytes encodeTga(const Image& image) {
    Bytes out = {0, 0, 2, 0, 0, 0, 0, 0};
    putLittle16(out, 0);
    putLittle16(out, 0);
    putLittle16(out, image.width());
    putLittle16(out, image.height());
    out.push_back(24);
    out.push_back(0x20);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) putBgr(out, image, x, y);
    return out;
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const Bytes& data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void putPngChunk(Bytes& out, const char* type, const Bytes& data) {
    putBig32(out, static_cast<std::uint32_t>(data.size()));
    std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBig32(out, crc32(out.data() + typeAt, out.size() - typeAt));
}

// A zlib stream of stored (uncompressed) deflate blocks: larger files, no compressor needed.
Bytes zlibStored(const Bytes& raw) {
    Bytes out = {0x78, 0x01};
    std::size_t at = 0;
    do {
        std::size_t length = std::min<std::size_t>(raw.size() - at, 65535);
        bool last = at + length == raw.size();
        out.push_back(last ? 1 : 0);
        putLittle16(out, static_cast<std::uint32_t>(length));
        putLittle16(out, static_cast<std::uint32_t>(~length & 0xFFFF));
        out.insert(out.end(), raw.begin() + at, raw.begin() + at + length);
        at += length;
    } while (at < raw.size());
    putBig32(out, adler32(raw));
    return out;
}

Bytes encodePng(const Image& image) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    putBig32(header, image.width());
    putBig32(header, image.height());
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
    putPngChunk(out, "IHDR", header);
    Bytes raw;
    std::size_t rowBytes = static_cast<std::size_t>(image.width()) * 3;
    for (int y = 0; y < image.height(); ++y) {
        raw.push_back(0);  // filter type None
        auto row = image.rgb().begin() + y * rowBytes;
        raw.insert(raw.end(), row, row + rowBytes);
    }
    putPngChunk(out, "IDAT", zlibStored(raw));
    putPngChunk(out, "IEND", {});
    return out;
}

}  // namespace

bool writeImage(const Image& image, ImageFormat format, const std::string& path) {
    Bytes bytes = format == ImageFormat::png   ? encodePng(image)
                  : format == ImageFormat::bmp ? encodeBmp(image)
                                               : encodeTga(image);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace makescene
