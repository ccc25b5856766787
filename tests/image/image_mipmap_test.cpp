// Mipmap levels halved from a picture of any size: each side halved and rounded down, each
// texel the mean of the texels it covers, the last one of an odd side covering three.
#include <gtest/gtest.h>

#include <vector>

#include "image/mipmap.h"

namespace {

using Texels = std::vector<unsigned char>;

// A grey picture: each value repeated over the channels.
DecodedPixels grey(int width, int height, int channels, const std::vector<int>& values) {
    DecodedPixels picture{width, height, channels, {}};
    for (int value : values)
        for (int c = 0; c < channels; ++c) picture.bytes.push_back(static_cast<unsigned char>(value));
    return picture;
}

TEST(MipmapTest, EachTexelIsTheRoundedMeanOfTheTexelsItCovers) {
    const struct {
        const char* what;
        DecodedPixels larger;
        DecodedPixels halved;
    } cases[] = {
        {"2 x 2 to one texel, rounded", grey(2, 2, 3, {0, 1, 1, 1}), grey(1, 1, 3, {1})},
        {"an odd row's last texel covers three", grey(5, 1, 3, {10, 20, 30, 40, 50}), grey(2, 1, 3, {15, 40})},
        {"three texels make one", grey(3, 1, 4, {0, 30, 60}), grey(1, 1, 4, {30})},
        {"an odd column, bottom row first", grey(1, 3, 4, {90, 0, 0}), grey(1, 1, 4, {30})},
        {"a side of 1 stays 1", grey(1, 4, 3, {0, 100, 200, 250}), grey(1, 2, 3, {50, 225})},
        {"3 x 3 to the mean of all nine", grey(3, 3, 3, {9, 0, 0, 0, 0, 0, 0, 0, 0}), grey(1, 1, 3, {1})},
        {"1 x 1 stays as it is", grey(1, 1, 3, {77}), grey(1, 1, 3, {77})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedPixels halved = halvedPicture(c.larger);
        EXPECT_EQ(halved.width, c.halved.width);
        EXPECT_EQ(halved.height, c.halved.height);
        EXPECT_EQ(halved.channels, c.halved.channels);
        EXPECT_EQ(halved.bytes, c.halved.bytes);
    }
}

TEST(MipmapTest, AnOddSizedPictureHalvesDownToOneTexelWithoutLosingAColumnOrRow) {
    // Sides as the driver expects them for levels of a 127 x 16 picture.
    const int widths[] = {63, 31, 15, 7, 3, 1, 1};
    const int heights[] = {8, 4, 2, 1, 1, 1, 1};
    // Black but for a white last column and top row: a level that dropped them goes black.
    DecodedPixels level{127, 16, 4, Texels(127 * 16 * 4, 0)};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 127; ++x)
            if (x == 126 || y == 15)
                for (int c = 0; c < 4; ++c) level.bytes[std::size_t((y * 127 + x) * 4 + c)] = 255;
    for (std::size_t at = 0; at < std::size(widths); ++at) {
        level = halvedPicture(level);
        SCOPED_TRACE(at + 1);
        ASSERT_EQ(level.width, widths[at]);
        ASSERT_EQ(level.height, heights[at]);
        ASSERT_EQ(level.bytes.size(), std::size_t(level.width * level.height * 4));
        const unsigned char topRight = level.bytes.back();
        EXPECT_GT(topRight, 0) << "the last column and row still show";
    }
}

}  // namespace
