// BMP variants built in code, 4 x 2 pixels of a four-colour palette: OS/2 2.x and V2 headers,
// RLE8 and RLE4 runs, decoded by the platform's decoders and by stb_image after the rewrite
// that the Windows build makes; and what that rewrite refuses.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/bmp_rewrite.h"
#include "image/decode.h"
#include "image/decode_stb.h"
#include "tests/image/test_images.h"

namespace {

using Bytes = std::vector<unsigned char>;

void append(Bytes& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// Black, red, green, blue, as BMP keeps them: blue, green, red, unused.
const Bytes kPalette = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};

Bytes bmpFile(std::uint32_t headerSize, unsigned bits, std::uint32_t compression, const Bytes& data,
              std::int32_t height = 2) {
    const std::uint32_t offset = 14 + headerSize + std::uint32_t(kPalette.size());
    Bytes file = {'B', 'M'};
    append(file, offset + std::uint32_t(data.size()), 4);
    append(file, 0, 4);
    append(file, offset, 4);
    Bytes header;
    append(header, headerSize, 4);
    append(header, 4, 4);
    append(header, std::uint32_t(height), 4);
    append(header, 1, 2);
    append(header, bits, 2);
    append(header, compression, 4);
    header.resize(headerSize, 0);
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), kPalette.begin(), kPalette.end());
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// Bottom row red, green, blue, black; top row blue, blue, red, green.
const Bytes kPlain8 = {1, 2, 3, 0, 3, 3, 1, 2};
const Bytes kPicture = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0,
                        0, 0, 255, 0, 0, 255, 255, 0, 0, 0, 255, 0};

struct BmpCase {
    const char* label;
    Bytes file;
    Bytes rgbBottomRowFirst;
};

Bytes rgbOf(const DecodedPixels& pixels) {
    Bytes rgb;
    for (std::size_t at = 0; at + 3 <= pixels.bytes.size(); at += std::size_t(pixels.channels))
        rgb.insert(rgb.end(), &pixels.bytes[at], &pixels.bytes[at] + 3);
    return rgb;
}

TEST(ImageBmpTest, HeaderVersionsAndRunLengthBitmapsDecodeToTheirPixels) {
    const BmpCase cases[] = {
        {"the usual 40-byte header", bmpFile(40, 8, 0, kPlain8), kPicture},
        {"OS/2 2.x, 64-byte header", bmpFile(64, 8, 0, kPlain8), kPicture},
        {"V2, 52-byte header", bmpFile(52, 8, 0, kPlain8), kPicture},
        {"4 bits a pixel", bmpFile(40, 4, 0, {0x12, 0x30, 0, 0, 0x33, 0x12, 0, 0}), kPicture},
        {"RLE8: runs, a padded literal, end of line and of bitmap",
         bmpFile(40, 8, 1, {1, 1, 0, 3, 2, 3, 0, 0, 0, 0, 2, 3, 1, 1, 1, 2, 0, 1}), kPicture},
        {"RLE4: a literal and runs of two halves",
         bmpFile(40, 4, 2, {0, 4, 0x12, 0x30, 0, 0, 2, 0x33, 2, 0x12, 0, 1}), kPicture},
        {"RLE8: a jump leaves its pixels at index 0",
         bmpFile(40, 8, 1, {1, 1, 0, 2, 2, 1, 1, 2, 0, 1}),
         {255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0}},
    };
    for (const BmpCase& c : cases) {
        SCOPED_TRACE(c.label);
        DecodedPixels pixels;
        ASSERT_TRUE(decodeImageBytes(c.file.data(), c.file.size(), kDefaultLargestImageSide, pixels));
        EXPECT_EQ(pixels.width, 4);
        EXPECT_EQ(pixels.height, 2);
        EXPECT_EQ(rgbOf(pixels), c.rgbBottomRowFirst);
        // The rewrite that the Windows build makes for stb_image, on every platform.
        Bytes rewritten = c.file;
        DecodedPixels fromStb;
        if (bmpNeedsRewrite(rewritten)) {
            ASSERT_TRUE(rewriteBmpForStb(rewritten));
        }
        ASSERT_TRUE(decodeWithStb(rewritten, fromStb));
        EXPECT_EQ(rgbOf(fromStb), c.rgbBottomRowFirst);
    }
}

TEST(ImageBmpTest, TheRewriteForStbRefusesWhatHasNoPlainEquivalent) {
    const struct {
        const char* what;
        Bytes file;
    } cases[] = {
        {"OS/2 Huffman coding", bmpFile(64, 1, 3, Bytes(8, 0))},
        {"OS/2 RLE24", bmpFile(64, 24, 4, Bytes(8, 0))},
        {"a top-down RLE8 bitmap", bmpFile(40, 8, 1, {4, 1, 0, 0, 4, 2, 0, 1}, -2)},
        {"RLE8 at 4 bits a pixel", bmpFile(40, 4, 1, {4, 1, 0, 1})},
        {"a literal past the end", bmpFile(40, 8, 1, {0, 200, 1, 2})},
        {"an unknown header size", bmpFile(100, 8, 0, kPlain8)},
        {"pixels said to start inside the header",
         Bytes{'B', 'M', 0x78, 4, 0x81, 0x15, 0, 1, 0x10, 0x61, 0, 0, 0, 0, 40, 0, 0, 0, 6, 0, 0, 0, 4,
               0, 0, 0, 1, 0, 8, 0, 1, 0, 0, 0}},
        {"cut inside the header", Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 64, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = c.file;
        EXPECT_TRUE(bmpNeedsRewrite(bytes));
        EXPECT_FALSE(rewriteBmpForStb(bytes));
    }
}

}  // namespace
