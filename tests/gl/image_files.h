// Image files for the texture tests: the same picture as BMP, TGA and PNG, and hostile files
// that lie about their size or stop short.
#pragma once

#include <cstdint>
#include <vector>

namespace gltest {

using Bytes = std::vector<unsigned char>;

// An RGB picture, bottom row first, as OpenGL keeps a texture.
struct Picture {
    int width = 0;
    int height = 0;
    Bytes rgb;

    static Picture solid(int width, int height, unsigned char r, unsigned char g, unsigned char b);
    // Every texel a different colour, so that any flip or swap shows.
    static Picture distinct(int width, int height);
};

Bytes bmpFile(const Picture& picture);                    // 24-bit, rows bottom-up, padded
Bytes tgaFile(const Picture& picture, bool topRowFirst);  // type 2, 24-bit
Bytes pngFile(const Picture& picture);                    // RGB, 8 bits a sample

// A TGA header of `width` x `height` at 32 bits and five bytes of pixels: 23 bytes in all.
Bytes tgaDeclaringSize(std::uint16_t width, std::uint16_t height);
// A 32-bit BMP of 65537 x 65537: its size wraps to 524292 bytes in 32-bit arithmetic, and the
// file carries `pixelBytes` bytes of pixels.
Bytes bmpWhoseSizeWraps(std::uint32_t pixelBytes);

}  // namespace gltest
