// Image decoding without OpenGL, as texture loading and file checking use it: every real
// picture at its true size with its reference's texels, every hostile file refused without a
// large allocation, the size gate's limits and the choice of format by content.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "image/decode.h"
#include "image/format.h"
#include "image/header.h"
#include "tests/image/test_images.h"

namespace {

using testimages::largestDifference;

using Texels = std::vector<unsigned char>;

// The decoded picture as RGB, bottom row first; empty when the file does not decode.
Texels decodedTexels(const std::string& path, int largestSide = kDefaultLargestImageSide) {
    DecodedPixels pixels;
    Texels texels;
    if (!decodeImageFile(path.c_str(), largestSide, pixels)) return texels;
    for (std::size_t at = 0; at < pixels.bytes.size(); at += std::size_t(pixels.channels))
        texels.insert(texels.end(), &pixels.bytes[at], &pixels.bytes[at] + 3);
    return texels;
}

TEST(ImageDecodeTest, ThePictureHasItsCornerColoursBottomRowFirst) {
    const Texels texels = decodedTexels(testimages::directory() + "/real/picture.png");
    ASSERT_EQ(texels.size(), 6u * 4u * 3u);
    auto at = [&](int x, int rowFromBottom) {
        const unsigned char* texel = &texels[(std::size_t(rowFromBottom) * 6 + std::size_t(x)) * 3];
        return std::vector<int>{texel[0], texel[1], texel[2]};
    };
    EXPECT_EQ(at(0, 3), (std::vector<int>{255, 0, 0})) << "top left red";
    EXPECT_EQ(at(5, 3), (std::vector<int>{0, 255, 0})) << "top right lime";
    EXPECT_EQ(at(0, 0), (std::vector<int>{0, 0, 255})) << "bottom left blue";
    EXPECT_EQ(at(5, 0), (std::vector<int>{255, 255, 255})) << "bottom right white";
}

#ifdef _WIN32
// What only the Linux decoders read: Windows refuses these files cleanly.
const std::set<std::string> kLinuxOnly = {
    "hdr.hdr", "ico.ico", "mng.mng", "pcx.pcx", "pcx-palette.pcx",
    "pnm-bitmap.pbm", "pnm-text.ppm", "sgi.sgi", "sun.ras", "tiff.tiff", "tiff-lzw.tif",
    "webp-lossless.webp", "webp-lossy.webp", "xpm.xpm"};
#else
const std::set<std::string> kLinuxOnly;
#endif

TEST(ImageDecodeTest, EveryRealImageDecodesAtItsSizeWithItsReferenceTexels) {
    const auto images = testimages::realImages();
    ASSERT_GT(images.size(), 50u);
    for (const testimages::RealImage& image : images) {
        SCOPED_TRACE(image.path);
        DecodedPixels pixels;
        if (kLinuxOnly.count(std::filesystem::path(image.path).filename().string()) != 0) {
            EXPECT_FALSE(decodeImageFile(image.path.c_str(), kDefaultLargestImageSide, pixels));
            continue;
        }
        EXPECT_TRUE(decodeImageFile(image.path.c_str(), kDefaultLargestImageSide, pixels));
        EXPECT_EQ(pixels.width, image.width);
        EXPECT_EQ(pixels.height, image.height);
        const Texels reference = decodedTexels(image.referencePath);
        ASSERT_EQ(reference.size(), std::size_t(image.width * image.height * 3));
        EXPECT_LE(largestDifference(decodedTexels(image.path), reference), image.tolerance);
    }
}

TEST(ImageDecodeTest, EveryHostileImageIsRefusedWithoutALargeAllocation) {
    const auto paths = testimages::hostileImages();
    ASSERT_GT(paths.size(), 100u);
    const long peakBefore = testimages::peakResidentKilobytes();
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        DecodedPixels pixels{-1, -1, 3, Texels(3)};
        EXPECT_FALSE(decodeImageFile(path.c_str(), kDefaultLargestImageSide, pixels));
        EXPECT_EQ(pixels.width, 0);
        EXPECT_EQ(pixels.height, 0);
        EXPECT_TRUE(pixels.bytes.empty());
    }
    EXPECT_LT(testimages::peakResidentKilobytes() - peakBefore, 64 * 1024) << "kilobytes";
}

TEST(ImageDecodeTest, FilesThatAreNotImagesAreRefused) {
    const std::string real = testimages::directory() + "/real";
    const std::string cases[] = {real + "/missing.png", real, real + "/manifest.txt", ""};
    for (const std::string& path : cases) {
        SCOPED_TRACE(path);
        DecodedPixels pixels;
        EXPECT_FALSE(decodeImageFile(path.c_str(), kDefaultLargestImageSide, pixels));
    }
}

TEST(ImageDecodeTest, TheLargestSideComesFromTheCaller) {
    const std::string path = testimages::directory() + "/real/picture.png";
    const struct {
        int largestSide;
        bool decodes;
    } cases[] = {{5, false}, {6, true}, {1, false}, {0, false}, {kDefaultLargestImageSide, true}};
    for (const auto& sample : cases) {
        SCOPED_TRACE(sample.largestSide);
        DecodedPixels pixels;
        EXPECT_EQ(decodeImageFile(path.c_str(), sample.largestSide, pixels), sample.decodes);
    }
}

TEST(ImageSizeGateTest, RefusesZeroSidesSidesAboveTheLargestAndPixelsOverTheLimit) {
    const struct {
        const char* what;
        std::int64_t width, height, layers;
        int largestSide;
        bool passes;
    } cases[] = {
        {"one pixel", 1, 1, 1, 16384, true},
        {"zero width", 0, 4, 1, 16384, false},
        {"zero height", 4, 0, 1, 16384, false},
        {"negative side", -4, 4, 1, 16384, false},
        {"no layers", 4, 4, 0, 16384, false},
        {"side at the largest", 16384, 1, 1, 16384, true},
        {"side above the largest", 16385, 1, 1, 16384, false},
        {"exactly the limit", 8192, 8192, 1, 16384, true},
        {"one row over the limit", 8192, 8193, 1, 16384, false},
        {"layers over the limit", 4096, 4096, 5, 16384, false},
        {"layers at the limit", 4096, 4096, 4, 16384, true},
        {"sides that overflow 64 bits", 4294967295, 4294967295, 1, 2147483647, false},
        {"layers that overflow 64 bits", 2, 2, INT64_MAX, 16384, false},
    };
    for (const auto& sample : cases) {
        SCOPED_TRACE(sample.what);
        ImageHeader header;
        header.width = sample.width;
        header.height = sample.height;
        header.layers = sample.layers;
        EXPECT_EQ(passesSizeGate(header, sample.largestSide), sample.passes);
    }
}

TEST(ImageFormatTest, TheContentNamesTheFormat) {
    const struct {
        const char* what;
        std::string bytes;
        ImageFormat format;
    } cases[] = {
        {"PNG", std::string("\x89PNG\r\n\x1A\n", 8), ImageFormat::Png},
        {"JPEG", "\xFF\xD8\xFF\xE0", ImageFormat::Jpeg},
        {"GIF", "GIF89a", ImageFormat::Gif},
        {"BMP", "BM", ImageFormat::Bmp},
        {"TIFF", std::string("II*\0", 4), ImageFormat::Tiff},
        {"WebP", std::string("RIFF\1\0\0\0WEBPVP8L", 16), ImageFormat::Webp},
        {"RIFF but not WebP", std::string("RIFF\1\0\0\0WAVEfmt ", 16), ImageFormat::Unknown},
        {"WEBP without RIFF", std::string("RIFX\1\0\0\0WEBPVP8L", 16), ImageFormat::Unknown},
        {"DDS", "DDS |", ImageFormat::Dds},
        {"PNM", "P6\n1 1\n255\n", ImageFormat::Pnm},
        {"P followed by a letter", "Pa 1 1", ImageFormat::Unknown},
        {"text", "This is not a picture, only text saved with the wrong name.", ImageFormat::Unknown},
        {"nothing", "", ImageFormat::Unknown},
        {"a TGA header", std::string("\0\0\2\0\0\0\0\0\0\0\0\0\6\0\4\0\x18\x20", 18), ImageFormat::Tga},
        {"a TGA of an unknown type", std::string("\0\0\7\0\0\0\0\0\0\0\0\0\6\0\4\0\x18\x20", 18),
         ImageFormat::Unknown},
        {"zeros", std::string(64, '\0'), ImageFormat::Unknown},
    };
    for (const auto& sample : cases) {
        SCOPED_TRACE(sample.what);
        EXPECT_EQ(formatOfContent(reinterpret_cast<const unsigned char*>(sample.bytes.data()),
                                  sample.bytes.size()),
                  sample.format);
    }
}

}  // namespace

namespace {

struct BuiltImageCase {
    const char* label;
    std::vector<unsigned char> file;
    std::vector<unsigned char> rgbaBottomRowFirst;
};

void append16(std::vector<unsigned char>& bytes, unsigned value) {
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

// 2 x 2, image type 3 at 16 bits a pixel: 8 grey, 8 alpha, bottom row first.
std::vector<unsigned char> greyAlphaTga() {
    std::vector<unsigned char> file = {0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    append16(file, 2);
    append16(file, 2);
    file.push_back(16);
    file.push_back(8);  // eight alpha bits, origin bottom left
    for (unsigned char byte : {10, 255, 20, 128, 30, 0, 40, 64}) file.push_back(byte);
    return file;
}

}  // namespace

TEST(ImageDecodeTest, KindsOfFileThatOtherReadersDecodeAreDecodedAlike) {
    const BuiltImageCase cases[] = {
        {"grey and alpha TGA", greyAlphaTga(),
         {10, 10, 10, 255, 20, 20, 20, 128, 30, 30, 30, 0, 40, 40, 40, 64}},
    };
    for (const BuiltImageCase& c : cases) {
        SCOPED_TRACE(c.label);
        DecodedPixels pixels;
        ASSERT_TRUE(decodeImageBytes(c.file.data(), c.file.size(), kDefaultLargestImageSide, pixels));
        EXPECT_EQ(pixels.channels, 4);
        // Five-bit colours widen to eight bits by shifting or by scaling: 248 or 255.
        EXPECT_LE(largestDifference(pixels.bytes, c.rgbaBottomRowFirst), 7);
    }
}
