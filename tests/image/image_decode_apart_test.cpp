// The Linux decoders' child process: a decoder that crashes, hangs, refuses or lies about its
// picture takes only the child with it, and a good decoder's pixels come back whole.
#include <gtest/gtest.h>

#include <IL/il.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "image/decode_apart.h"
#include "image/decode_devil.h"
#include "image/decoders.h"
#include "tests/image/test_images.h"

namespace {

using Texels = std::vector<unsigned char>;

Texels fileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Texels{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(ImageDecodeTest, ADecoderThatCrashesOrHangsTakesOnlyItsChildProcessWithIt) {
    startDecoders();
    // DevIL's XPM reader crashes on the XPM files ImageMagick writes (SDL2_image reads them).
    const Texels xpm = fileBytes(testimages::directory() + "/real/xpm.xpm");
    ASSERT_FALSE(xpm.empty());
    DecodedPixels pixels;
    EXPECT_FALSE(decodeApart(
        [&](DecodedPixels& made) { return decodeWithDevil(IL_XPM, xpm.data(), xpm.size(), made); },
        kDefaultLargestImageSide, pixels));
    EXPECT_TRUE(pixels.bytes.empty());

    const struct {
        const char* what;
        std::function<bool(DecodedPixels&)> decode;
    } failures[] = {
        {"an abort", [](DecodedPixels&) -> bool { std::abort(); }},
        {"a hang, stopped at the deadline", [](DecodedPixels&) -> bool {
             for (;;) pause();
         }},
        {"a decoder that says no", [](DecodedPixels&) { return false; }},
        {"pixels that do not fill the picture",
         [](DecodedPixels& made) {
             made = DecodedPixels{2, 2, 3, Texels(11)};
             return true;
         }},
        {"a picture wider than the caller allows",
         [](DecodedPixels& made) {
             made = DecodedPixels{kDefaultLargestImageSide + 1, 1, 3, Texels(3 * (kDefaultLargestImageSide + 1))};
             return true;
         }},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.what);
        EXPECT_FALSE(decodeApart(failure.decode, kDefaultLargestImageSide, pixels));
    }

    // DevIL on a format it reads well: the pixels come back, bottom row first.
    const Texels bmp = fileBytes(testimages::directory() + "/real/bmp-v3.bmp");
    ASSERT_TRUE(decodeApart(
        [&](DecodedPixels& made) { return decodeWithDevil(IL_BMP, bmp.data(), bmp.size(), made); },
        kDefaultLargestImageSide, pixels));
    EXPECT_EQ(pixels.width, 6);
    EXPECT_EQ(pixels.height, 4);
    ASSERT_EQ(pixels.channels, 3);
    EXPECT_EQ(Texels(pixels.bytes.begin(), pixels.bytes.begin() + 3), (Texels{0, 0, 255}));
}

}  // namespace
