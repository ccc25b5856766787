// DDS files built in code, one of each block and plain pixel format, decoded by the platform's
// decoder and by the library's own DDS reader alike; on Linux the reader is also held to
// DevIL's reading of ImageMagick's DDS files.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/checks.h"
#include "image/dds_decode.h"
#include "image/decode.h"
#include "tests/image/test_images.h"

namespace {

using Bytes = std::vector<unsigned char>;

void append32(Bytes& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

struct PixelFormat {
    std::uint32_t flags;  // 0x4 four-character code, 0x40 RGB, 0x1 alpha, 0x20000 luminance
    const char* fourCc;
    std::uint32_t bits, red, green, blue, alpha;
};

constexpr PixelFormat kDxt1{0x4, "DXT1", 0, 0, 0, 0, 0};
constexpr PixelFormat kDxt3{0x4, "DXT3", 0, 0, 0, 0, 0};
constexpr PixelFormat kDxt5{0x4, "DXT5", 0, 0, 0, 0, 0};

Bytes ddsFile(int width, int height, const PixelFormat& format, const Bytes& data) {
    Bytes file = {'D', 'D', 'S', ' '};
    append32(file, 124);
    append32(file, 0x1 | 0x2 | 0x4 | 0x1000);  // caps, height, width, pixel format
    append32(file, std::uint32_t(height));
    append32(file, std::uint32_t(width));
    append32(file, 0);
    for (int i = 0; i < 13; ++i) append32(file, 0);  // depth, mipmaps, reserved
    append32(file, 32);
    append32(file, format.flags);
    for (int i = 0; i < 4; ++i) file.push_back(format.fourCc != nullptr ? format.fourCc[i] : 0);
    for (std::uint32_t field : {format.bits, format.red, format.green, format.blue, format.alpha})
        append32(file, field);
    append32(file, 0x1000);
    for (int i = 0; i < 4; ++i) append32(file, 0);
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// A colour block: two 5:6:5 colours and, in every row, texel x taking index x.
Bytes colourBlock(std::uint16_t first, std::uint16_t second) {
    Bytes block = {static_cast<unsigned char>(first), static_cast<unsigned char>(first >> 8),
                   static_cast<unsigned char>(second), static_cast<unsigned char>(second >> 8)};
    for (int row = 0; row < 4; ++row) block.push_back(0xE4);
    return block;
}

// Two alphas and 3-bit indices, texel n taking index n % 8.
Bytes interpolatedAlphaBlock(unsigned char first, unsigned char second) {
    std::uint64_t indices = 0;
    for (unsigned texel = 0; texel < 16; ++texel) indices |= std::uint64_t(texel % 8) << (3 * texel);
    Bytes block = {first, second};
    for (int i = 0; i < 6; ++i) block.push_back(static_cast<unsigned char>(indices >> (8 * i)));
    return block;
}

Bytes joined(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Four rows alike, top row first in the file, given here as RGBA: the same bottom first.
Bytes fourRowsOf(const Bytes& row) {
    Bytes texels;
    for (int i = 0; i < 4; ++i) texels.insert(texels.end(), row.begin(), row.end());
    return texels;
}

constexpr std::uint16_t kRed565 = 0xF800, kBlue565 = 0x001F;

// The four colours of a red-to-blue block, each with alpha `a[x]`.
Bytes redToBlueRow(const unsigned char (&a)[4]) {
    return {255, 0, 0, a[0], 0, 0, 255, a[1], 170, 0, 85, a[2], 85, 0, 170, a[3]};
}

struct DdsCase {
    const char* label;
    Bytes file;
    Bytes rgbaBottomRowFirst;
};

std::vector<DdsCase> ddsCases() {
    const unsigned char opaque[4] = {255, 255, 255, 255};
    Bytes transparentRow = {0, 0, 255, 255, 255, 0, 0, 255, 127, 0, 127, 255, 0, 0, 0, 0};
    Bytes dxt5Alphas, dxt5SixAlphas;
    const unsigned char eight[8] = {255, 0, 218, 182, 145, 109, 72, 36};
    const unsigned char six[8] = {0, 255, 51, 102, 153, 204, 0, 255};
    Bytes dxt5Texels = fourRowsOf(redToBlueRow(opaque)), dxt5SixTexels = dxt5Texels;
    for (int texel = 0; texel < 16; ++texel) {
        // Texel n of the file is row n / 4 from the top.
        const int at = ((3 - texel / 4) * 4 + texel % 4) * 4 + 3;
        dxt5Texels[std::size_t(at)] = eight[texel % 8];
        dxt5SixTexels[std::size_t(at)] = six[texel % 8];
    }
    const PixelFormat bgra{0x41, nullptr, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    const PixelFormat bgr{0x40, nullptr, 24, 0xFF0000, 0xFF00, 0xFF, 0};
    const PixelFormat rgb565{0x40, nullptr, 16, 0xF800, 0x07E0, 0x001F, 0};
    const PixelFormat luminance{0x20000, nullptr, 8, 0xFF, 0, 0, 0};
    // Plain pixels, 2 x 2: blue, white on top of red, green.
    const Bytes kRedGreenBlueWhite = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    return {
        {"DXT1, four colours", ddsFile(4, 4, kDxt1, colourBlock(kRed565, kBlue565)),
         fourRowsOf(redToBlueRow(opaque))},
        {"DXT1, three colours and transparent black",
         ddsFile(4, 4, kDxt1, colourBlock(kBlue565, kRed565)), fourRowsOf(transparentRow)},
        {"DXT3: explicit alpha, four colours whatever their order",
         ddsFile(4, 4, kDxt3,
                 joined({0x50, 0xFA, 0x50, 0xFA, 0x50, 0xFA, 0x50, 0xFA}, colourBlock(kBlue565, kRed565))),
         fourRowsOf({0, 0, 255, 0, 255, 0, 0, 85, 85, 0, 170, 170, 170, 0, 85, 255})},
        {"DXT5, eight alphas", ddsFile(4, 4, kDxt5, joined(interpolatedAlphaBlock(255, 0), colourBlock(kRed565, kBlue565))),
         dxt5Texels},
        {"DXT5, six alphas with 0 and 255", ddsFile(4, 4, kDxt5, joined(interpolatedAlphaBlock(0, 255), colourBlock(kRed565, kBlue565))),
         dxt5SixTexels},
        {"32-bit BGRA", ddsFile(2, 2, bgra, {255, 0, 0, 128, 255, 255, 255, 255, 0, 0, 255, 255, 0, 255, 0, 64}),
         {255, 0, 0, 255, 0, 255, 0, 64, 0, 0, 255, 128, 255, 255, 255, 255}},
        {"24-bit BGR", ddsFile(2, 2, bgr, {255, 0, 0, 255, 255, 255, 0, 0, 255, 0, 255, 0}),
         kRedGreenBlueWhite},
        {"16-bit 5:6:5", ddsFile(2, 2, rgb565, {0x1F, 0x00, 0xFF, 0xFF, 0x00, 0xF8, 0xE0, 0x07}),
         kRedGreenBlueWhite},
        {"8-bit luminance", ddsFile(2, 2, luminance, {10, 20, 30, 40}),
         {30, 30, 30, 255, 40, 40, 40, 255, 10, 10, 10, 255, 20, 20, 20, 255}},
    };
}

// RGBA whatever the decoder gave: RGB texels take alpha 255.
Bytes asRgba(const DecodedPixels& pixels) {
    if (pixels.channels == 4) return pixels.bytes;
    Bytes rgba;
    for (std::size_t at = 0; at + 3 <= pixels.bytes.size(); at += 3) {
        rgba.insert(rgba.end(), &pixels.bytes[at], &pixels.bytes[at] + 3);
        rgba.push_back(255);
    }
    return rgba;
}

TEST(ImageDdsTest, EveryBlockAndPlainFormatDecodesToItsTexels) {
    for (const DdsCase& c : ddsCases()) {
        SCOPED_TRACE(c.label);
        DecodedPixels platform, own;
        ASSERT_TRUE(decodeImageBytes(c.file.data(), c.file.size(), kDefaultLargestImageSide, platform));
        ASSERT_TRUE(decodeDds(c.file, own));
        // Five- and six-bit colours widen by shifting or by scaling, and thirds round either way.
        EXPECT_LE(testimages::largestDifference(asRgba(platform), c.rgbaBottomRowFirst), 7);
        EXPECT_LE(testimages::largestDifference(asRgba(own), c.rgbaBottomRowFirst), 2);
    }
}

TEST(ImageDdsTest, TheOwnReaderRefusesWhatItCannotRead) {
    const Bytes block = colourBlock(kRed565, kBlue565);
    const Bytes whole = ddsFile(4, 4, kDxt1, block);
    const struct {
        const char* what;
        Bytes file;
    } cases[] = {
        {"blocks cut short", Bytes(whole.begin(), whole.end() - 1)},
        {"header cut short", Bytes(whole.begin(), whole.begin() + 100)},
        {"an unknown four-character code", ddsFile(4, 4, {0x4, "ATI2", 0, 0, 0, 0, 0}, joined(block, block))},
        {"plain pixels of 12 bits", ddsFile(1, 1, {0x40, nullptr, 12, 0xF00, 0xF0, 0xF, 0}, {0, 0})},
        {"zero width", ddsFile(0, 4, kDxt1, block)},
        {"a size beyond the gate", ddsFile(65536, 65536, kDxt1, block)},
        {"not a DDS", Bytes(128, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DecodedPixels pixels;
        EXPECT_FALSE(decodeDds(c.file, pixels));
    }
}

Bytes fileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// ImageMagick's DDS files, read by the platform's decoder (DevIL on Linux) and the own reader.
TEST(ImageDdsTest, TheOwnReaderMatchesThePlatformDecoderOnWrittenFiles) {
    const char* names[] = {"dds-dxt1.dds", "dds-dxt3.dds", "dds-dxt5.dds", "dds-mipmapped.dds",
                           "dds-plain.dds", "dds-dx10-bc1.dds", "dds-dx10-bgra.dds"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        Bytes bytes = fileBytes(testimages::directory() + "/real/" + name);
        DecodedPixels platform, own;
        ASSERT_TRUE(decodeImageBytes(bytes.data(), bytes.size(), kDefaultLargestImageSide, platform));
        PreparedImage image;
        ASSERT_TRUE(prepareImage(bytes, kDefaultLargestImageSide, image));
        ASSERT_TRUE(decodeDds(bytes, own));
        EXPECT_EQ(own.width, platform.width);
        EXPECT_EQ(own.height, platform.height);
        // DevIL widens five and six bits by shifting, the own reader by scaling.
        EXPECT_LE(testimages::largestDifference(asRgba(own), asRgba(platform)), 7);
    }
}

}  // namespace
