// The layer's image work against Mesa's own GLU on a real context: gluBuild2DMipmaps' chain
// of levels, read back level by level, equals the layer's scaling to a power of two and its
// halving byte for byte, and the power of two GLU picks for a side is the layer's.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <random>
#include <vector>

#include "fixedfunction/pixels.h"
#include "platform/platform.h"

namespace {

class GluOracleTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!platform::createOffscreenContext(64, 64)) GTEST_SKIP() << "no OpenGL context";
    }
    void TearDown() override { platform::destroyOffscreenContext(); }
};

std::vector<std::uint8_t> noise(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(size);
    for (std::uint8_t& byte : bytes) byte = std::uint8_t(random() & 0xFF);
    return bytes;
}

struct ChainCase {
    int width, height, channels;
};

class MipmapChainTest : public GluOracleTest, public ::testing::WithParamInterface<ChainCase> {};

TEST_P(MipmapChainTest, EveryLevelEqualsGlus) {
    const ChainCase c = GetParam();
    const GLenum format = c.channels == 4 ? GL_RGBA : GL_RGB;
    const std::vector<std::uint8_t> image = noise(std::size_t(c.width) * std::size_t(c.height) * std::size_t(c.channels), 7);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, c.channels, c.width, c.height, format, GL_UNSIGNED_BYTE, image.data()), 0);
    int width = fixedfunction::nearestPowerOfTwo(c.width), height = fixedfunction::nearestPowerOfTwo(c.height);
    std::vector<std::uint8_t> expected = image;
    if (width != c.width || height != c.height)
        expected = fixedfunction::scaleImage(c.channels, c.width, c.height, image.data(), width, height);
    for (int level = 0;; ++level) {
        std::vector<std::uint8_t> read(std::size_t(width) * std::size_t(height) * std::size_t(c.channels));
        glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, read.data());
        ASSERT_EQ(read, expected) << "level " << level;
        if (width == 1 && height == 1) break;
        expected = fixedfunction::halveImage(c.channels, width, height, expected.data());
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
    }
    glDeleteTextures(1, &texture);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MipmapChainTest,
                         ::testing::Values(ChainCase{64, 64, 3}, ChainCase{64, 64, 4}, ChainCase{32, 8, 3},
                                           ChainCase{4, 16, 4}, ChainCase{1, 8, 3}, ChainCase{48, 40, 3},
                                           ChainCase{100, 20, 4}, ChainCase{7, 5, 3}, ChainCase{96, 96, 3}));

TEST(GluPowerOfTwo, RoundsByTheTwoHighestBits) {
    const int cases[][2] = {{1, 1}, {2, 2}, {3, 4}, {5, 4}, {6, 8}, {7, 8}, {100, 128}, {640, 512}, {768, 1024}, {256, 256}};
    for (const auto& c : cases) EXPECT_EQ(fixedfunction::nearestPowerOfTwo(c[0]), c[1]) << c[0];
}

}  // namespace
