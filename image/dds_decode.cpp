// Blocks of 4 x 4 texels: two 5:6:5 colours and 2-bit indices (DXT1, and the colour half of
// DXT2 to DXT5), with explicit 4-bit alpha (DXT2, DXT3) or two alphas and 3-bit indices (DXT4,
// DXT5). A DX10 header has been rewritten to the older one before this runs.
#include "image/dds_decode.h"

#include <array>
#include <cstdint>

#include "image/header.h"
#include "image/header_readers.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Rgba = std::array<unsigned char, 4>;

constexpr std::size_t kDataStart = 128;

enum class Blocks { None, Dxt1, ExplicitAlpha, InterpolatedAlpha };

Blocks blocksOf(std::uint32_t fourCc) {
    switch (fourCc) {
    case 0x44585431: return Blocks::Dxt1;  // "DXT1"
    case 0x44585432:                       // "DXT2", premultiplied: its texels as stored
    case 0x44585433: return Blocks::ExplicitAlpha;
    case 0x44585434:
    case 0x44585435: return Blocks::InterpolatedAlpha;
    default: return Blocks::None;
    }
}

Rgba widened565(unsigned colour) {
    const unsigned red = colour >> 11 & 31, green = colour >> 5 & 63, blue = colour & 31;
    return {static_cast<unsigned char>(red << 3 | red >> 2),
            static_cast<unsigned char>(green << 2 | green >> 4),
            static_cast<unsigned char>(blue << 3 | blue >> 2), 255};
}

Rgba mixed(const Rgba& a, const Rgba& b, unsigned weightA, unsigned weightB) {
    Rgba out{};
    for (int c = 0; c < 3; ++c)
        out[c] = static_cast<unsigned char>((a[c] * weightA + b[c] * weightB) / (weightA + weightB));
    out[3] = 255;
    return out;
}

// The four colours of a block; DXT1 with colour 0 <= colour 1 has three and transparent black.
std::array<Rgba, 4> blockColours(const ByteView& view, std::size_t at, bool dxt1) {
    const unsigned first = view.le(at, 2), second = view.le(at + 2, 2);
    const Rgba c0 = widened565(first), c1 = widened565(second);
    if (dxt1 && first <= second) return {c0, c1, mixed(c0, c1, 1, 1), Rgba{0, 0, 0, 0}};
    return {c0, c1, mixed(c0, c1, 2, 1), mixed(c0, c1, 1, 2)};
}

std::array<unsigned char, 8> blockAlphas(unsigned a0, unsigned a1) {
    std::array<unsigned char, 8> alphas{static_cast<unsigned char>(a0), static_cast<unsigned char>(a1)};
    if (a0 > a1) {
        for (unsigned i = 1; i < 7; ++i) alphas[i + 1] = static_cast<unsigned char>(((7 - i) * a0 + i * a1) / 7);
    } else {
        for (unsigned i = 1; i < 5; ++i) alphas[i + 1] = static_cast<unsigned char>(((5 - i) * a0 + i * a1) / 5);
        alphas[6] = 0;
        alphas[7] = 255;
    }
    return alphas;
}

// Texel (x, y) of the block at `at`, y counted from the block's top row.
void decodeBlock(const ByteView& view, std::size_t at, Blocks blocks, std::array<Rgba, 16>& texels) {
    const std::size_t colourAt = blocks == Blocks::Dxt1 ? at : at + 8;
    const auto colours = blockColours(view, colourAt, blocks == Blocks::Dxt1);
    const std::uint32_t indices = view.le(colourAt + 4, 4);
    for (unsigned texel = 0; texel < 16; ++texel) texels[texel] = colours[indices >> (2 * texel) & 3];
    if (blocks == Blocks::ExplicitAlpha) {
        const std::uint64_t alpha = view.le64(at);
        for (unsigned texel = 0; texel < 16; ++texel)
            texels[texel][3] = static_cast<unsigned char>((alpha >> (4 * texel) & 15) * 17);
    } else if (blocks == Blocks::InterpolatedAlpha) {
        const auto alphas = blockAlphas(view.le(at, 1), view.le(at + 1, 1));
        const std::uint64_t alphaIndices = view.le64(at) >> 16;
        for (unsigned texel = 0; texel < 16; ++texel) texels[texel][3] = alphas[alphaIndices >> (3 * texel) & 7];
    }
}

bool decodeBlocks(const ByteView& view, Blocks blocks, DecodedPixels& pixels) {
    const std::size_t width = std::size_t(pixels.width), height = std::size_t(pixels.height);
    const std::size_t blockBytes = blocks == Blocks::Dxt1 ? 8 : 16;
    const std::size_t across = (width + 3) / 4, down = (height + 3) / 4;
    if (!view.has(kDataStart, across * down * blockBytes)) return false;
    pixels.channels = 4;
    pixels.bytes.assign(width * height * 4, 0);
    std::array<Rgba, 16> texels;
    for (std::size_t blockY = 0; blockY < down; ++blockY)
        for (std::size_t blockX = 0; blockX < across; ++blockX) {
            decodeBlock(view, kDataStart + (blockY * across + blockX) * blockBytes, blocks, texels);
            for (std::size_t y = blockY * 4; y < blockY * 4 + 4 && y < height; ++y)
                for (std::size_t x = blockX * 4; x < blockX * 4 + 4 && x < width; ++x) {
                    const Rgba& texel = texels[(y % 4) * 4 + x % 4];
                    unsigned char* out = &pixels.bytes[((height - 1 - y) * width + x) * 4];
                    for (int c = 0; c < 4; ++c) out[c] = texel[c];
                }
        }
    return true;
}

// One channel of a plain pixel, from its mask, widened to eight bits.
struct Channel {
    std::uint32_t mask = 0;
    unsigned shift = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        while (mask != 0 && (mask >> shift & 1) == 0) ++shift;
    }
    unsigned char of(std::uint32_t pixel) const {
        if (mask == 0) return 0;
        const std::uint64_t largest = mask >> shift;
        return static_cast<unsigned char>(std::uint64_t((pixel & mask) >> shift) * 255 / largest);
    }
};

bool decodePlain(const ByteView& view, DecodedPixels& pixels) {
    const std::uint32_t flags = view.le(80, 4), bits = view.le(88, 4);
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    const bool luminance = (flags & 0x20000) != 0, alpha = (flags & 0x3) != 0;
    const Channel red(view.le(92, 4)), green(view.le(96, 4)), blue(view.le(100, 4)),
        alphaChannel(alpha ? view.le(104, 4) : 0);
    const std::size_t width = std::size_t(pixels.width), height = std::size_t(pixels.height);
    const std::size_t pixelBytes = bits / 8;
    if (!view.has(kDataStart, width * height * pixelBytes)) return false;
    pixels.channels = alpha ? 4 : 3;
    pixels.bytes.resize(width * height * std::size_t(pixels.channels));
    for (std::size_t y = 0; y < height; ++y)
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t pixel = view.le(kDataStart + (y * width + x) * pixelBytes, int(pixelBytes));
            unsigned char* out = &pixels.bytes[((height - 1 - y) * width + x) * std::size_t(pixels.channels)];
            out[0] = red.of(pixel);
            out[1] = luminance ? out[0] : green.of(pixel);
            out[2] = luminance ? out[0] : blue.of(pixel);
            if (alpha) out[3] = alphaChannel.of(pixel);
        }
    return true;
}

}  // namespace

bool decodeDds(const Bytes& bytes, DecodedPixels& pixels) {
    const ByteView view{bytes.data(), bytes.size()};
    if (!view.has(0, kDataStart) || view.be(0, 4) != 0x44445320) return false;  // "DDS "
    const std::uint32_t height = view.le(12, 4), width = view.le(16, 4);
    // On its own a safe reader too: no picture beyond what the size gate lets through.
    if (width == 0 || height == 0 || std::uint64_t(width) * height * 4 > kLargestImageBytes)
        return false;
    pixels.width = int(width);
    pixels.height = int(height);
    const bool fourCc = (view.le(80, 4) & 0x4) != 0;
    const Blocks blocks = fourCc ? blocksOf(view.be(84, 4)) : Blocks::None;
    if (fourCc && blocks == Blocks::None) return false;
    return fourCc ? decodeBlocks(view, blocks, pixels) : decodePlain(view, pixels);
}
