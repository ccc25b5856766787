// TGA files built in code, 2 x 2 pixels (red, green on the bottom row, blue, white on top):
// the four origins, run-length packets across rows, colour maps with a first index and
// 16-bit entries, grey; decoded by the platform's decoders.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/decode.h"
#include "tests/image/test_images.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct TgaHeader {
    unsigned imageType;
    unsigned mapFirst = 0, mapLength = 0, mapBits = 0;
    unsigned bits = 24;
    unsigned descriptor = 0;  // 0x20 top row first, 0x10 right to left
};

Bytes tgaFile(const TgaHeader& h, const Bytes& map, const Bytes& pixels) {
    const auto le16 = [](unsigned v) { return Bytes{static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)}; };
    Bytes file = {0, static_cast<unsigned char>(h.mapLength > 0 ? 1 : 0), static_cast<unsigned char>(h.imageType)};
    for (unsigned field : {h.mapFirst, h.mapLength}) {
        const Bytes bytes = le16(field);
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    file.push_back(static_cast<unsigned char>(h.mapBits));
    for (unsigned field : {0u, 0u, 2u, 2u}) {  // origin, width, height
        const Bytes bytes = le16(field);
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    file.push_back(static_cast<unsigned char>(h.bits));
    file.push_back(static_cast<unsigned char>(h.descriptor));
    file.insert(file.end(), map.begin(), map.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

// BGR, as TGA keeps its colours.
const Bytes kRed = {0, 0, 255}, kGreen = {0, 255, 0}, kBlue = {255, 0, 0}, kWhite = {255, 255, 255};
const Bytes kPicture = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};

Bytes joined(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(ImageTgaTest, OriginsRunsColourMapsAndGreyDecodeToTheirPixels) {
    const Bytes map = joined({kRed, kGreen, kBlue, kWhite});
    const Bytes map16 = {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0xFF, 0x7F};  // 5:5:5
    const testimages::BuiltImage cases[] = {
        {"bottom left", tgaFile({2}, {}, joined({kRed, kGreen, kBlue, kWhite})), kPicture},
        {"top left", tgaFile({2, 0, 0, 0, 24, 0x20}, {}, joined({kBlue, kWhite, kRed, kGreen})), kPicture},
        {"bottom right", tgaFile({2, 0, 0, 0, 24, 0x10}, {}, joined({kGreen, kRed, kWhite, kBlue})), kPicture},
        {"top right", tgaFile({2, 0, 0, 0, 24, 0x30}, {}, joined({kWhite, kBlue, kGreen, kRed})), kPicture},
        {"a run across rows", tgaFile({10}, {}, joined({{0x82}, kRed, {0x00}, kWhite})),
         {255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 255, 255}},
        {"colour-mapped", tgaFile({1, 0, 4, 24, 8}, map, {0, 1, 2, 3}), kPicture},
        {"colour-mapped from index 2", tgaFile({1, 2, 4, 24, 8}, map, {2, 3, 4, 5}), kPicture},
        {"colour-mapped with runs", tgaFile({9, 0, 4, 24, 8}, map, {0x00, 0, 0x00, 1, 0x81, 3}),
         {255, 0, 0, 0, 255, 0, 255, 255, 255, 255, 255, 255}},
        {"a map of 16-bit entries", tgaFile({1, 0, 4, 16, 8}, map16, {0, 1, 2, 3}), kPicture},
        {"grey, top left", tgaFile({3, 0, 0, 0, 8, 0x20}, {}, {10, 20, 30, 40}),
         {30, 30, 30, 40, 40, 40, 10, 10, 10, 20, 20, 20}},
        {"grey with runs", tgaFile({11, 0, 0, 0, 8}, {}, {0x81, 50, 0x01, 60, 70}),
         {50, 50, 50, 50, 50, 50, 60, 60, 60, 70, 70, 70}},
    };
    for (const testimages::BuiltImage& c : cases) {
        SCOPED_TRACE(c.label);
        DecodedPixels pixels;
        ASSERT_TRUE(decodeImageBytes(c.file.data(), c.file.size(), kDefaultLargestImageSide, pixels));
        EXPECT_EQ(pixels.width, 2);
        EXPECT_EQ(pixels.height, 2);
        // Five-bit entries widen to eight bits by shifting or by scaling: 248 or 255.
        const Bytes rgb = testimages::rgbTexels(pixels);
        ASSERT_EQ(rgb.size(), c.rgbBottomRowFirst.size());
        for (std::size_t i = 0; i < rgb.size(); ++i) EXPECT_NEAR(rgb[i], c.rgbBottomRowFirst[i], 7) << i;
    }
}

}  // namespace

namespace {

TEST(ImageTgaTest, ColourMapsThatCannotBeReadAreRefused) {
    const struct {
        const char* what;
        Bytes file;
    } cases[] = {
        {"a map that would pass 65535 entries from index 0",
         tgaFile({1, 65000, 1000, 24, 8}, Bytes(3000, 0), {0, 0, 0, 0})},
        {"a map cut short", tgaFile({1, 0, 4, 24, 8}, Bytes(6, 0), {})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DecodedPixels pixels;
        EXPECT_FALSE(decodeImageBytes(c.file.data(), c.file.size(), kDefaultLargestImageSide, pixels));
    }
}

}  // namespace
