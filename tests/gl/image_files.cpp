// Writers of small BMP, TGA and PNG files, and of hostile headers.
#include "tests/gl/image_files.h"

#include <algorithm>
#include <cstddef>

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

void put32be(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((value >> shift) & 0xFF);
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

std::uint32_t crc32(const unsigned char* data, std::size_t size, std::uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void pngChunk(Bytes& out, const char type[5], const Bytes& data) {
    put32be(out, std::uint32_t(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    put32be(out, crc32(typed.data(), typed.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes zlibStored(const Bytes& raw) {
    Bytes out{0x78, 0x01};
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - offset, 65535);
        const bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);
        put16le(out, std::uint32_t(length));
        put16le(out, std::uint32_t(~length & 0xFFFF));
        out.insert(out.end(), raw.begin() + std::ptrdiff_t(offset),
                   raw.begin() + std::ptrdiff_t(offset + length));
        offset += length;
    } while (offset < raw.size());
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put32be(out, (b << 16) | a);
    return out;
}

const unsigned char* texel(const Picture& picture, int x, int rowFromBottom) {
    return picture.rgb.data() + (std::size_t(rowFromBottom) * picture.width + x) * 3;
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

Bytes bmpFile(const Picture& picture) {
    const int rowBytes = (picture.width * 3 + 3) / 4 * 4;
    Bytes out = bmpHeaders(picture.width, picture.height, 24,
                           std::uint32_t(rowBytes * picture.height));
    for (int row = 0; row < picture.height; ++row) {
        for (int x = 0; x < picture.width; ++x) {
            const unsigned char* p = texel(picture, x, row);
            out.insert(out.end(), {p[2], p[1], p[0]});  // BGR
        }
        out.insert(out.end(), std::size_t(rowBytes - picture.width * 3), 0);
    }
    return out;
}

Bytes tgaFile(const Picture& picture, bool topRowFirst) {
    Bytes out{0, 0, 2, 0, 0, 0, 0, 0};  // no id, no colour map, uncompressed true colour
    put16le(out, 0);                    // x origin
    put16le(out, 0);                    // y origin
    put16le(out, std::uint32_t(picture.width));
    put16le(out, std::uint32_t(picture.height));
    out.push_back(24);
    out.push_back(topRowFirst ? 0x20 : 0x00);
    for (int i = 0; i < picture.height; ++i) {
        const int row = topRowFirst ? picture.height - 1 - i : i;
        for (int x = 0; x < picture.width; ++x) {
            const unsigned char* p = texel(picture, x, row);
            out.insert(out.end(), {p[2], p[1], p[0]});  // BGR
        }
    }
    return out;
}

Bytes pngFile(const Picture& picture) {
    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    put32be(header, std::uint32_t(picture.width));
    put32be(header, std::uint32_t(picture.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
    pngChunk(out, "IHDR", header);
    Bytes raw;
    for (int row = picture.height - 1; row >= 0; --row) {  // PNG stores the top row first
        raw.push_back(0);                                    // filter: none
        const unsigned char* p = texel(picture, 0, row);
        raw.insert(raw.end(), p, p + std::size_t(picture.width) * 3);
    }
    pngChunk(out, "IDAT", zlibStored(raw));
    pngChunk(out, "IEND", {});
    return out;
}

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
