// The texture list on the image files that ImageMagick writes and on hostile ones: every real
// picture uploaded at its true size with its reference's texels, row 0 the bottom row, and
// every hostile file reported by its box while the list goes on with an empty texture.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "image/decode.h"
#include "platform/platform.h"
#include "render/texture_list.h"
#include "tests/gl/gl_test_support.h"
#include "tests/support/drawn_texture.h"
#include "tests/gl/image_files.h"
#include "tests/image/test_images.h"

namespace {

using testimages::largestDifference;

using Texels = std::vector<unsigned char>;

class TextureImageFilesTest : public gltest::TextureListGlTest {
protected:
    GLint levelParameter(int id, GLenum what) const {
        glBindTexture(GL_TEXTURE_2D, list->all().at(std::size_t(id)).glTexture);
        GLint value = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, what, &value);
        return value;
    }

    struct Upload {
        GLint width = 0, height = 0;
        Texels texels;  // RGB, bottom row first
    };

    // The single level of the texture made from `path`.
    Upload upload(const std::string& path) {
        const int id = list->addTexture(path.c_str(), 0, 0);
        Upload level{levelParameter(id, GL_TEXTURE_WIDTH), levelParameter(id, GL_TEXTURE_HEIGHT), {}};
        level.texels.resize(std::size_t(level.width) * std::size_t(level.height) * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, level.texels.data());
        return level;
    }
};

// Every picture drawn texel for texel as the image library decodes it, with every filter: the
// mipmapped ones too, which must not scale a side that is no power of two or lose the rows of
// texels that are no multiple of four bytes (the odd-sized images of the table).
TEST_F(TextureImageFilesTest, EveryRealImageIsDrawnAsDecodedWithEveryFilter) {
    for (const testimages::RealImage& image : testimages::realImages()) {
        DecodedPixels decoded;
        if (!decodeImageFile(image.path.c_str(), kDefaultLargestImageSide, decoded)) continue;
        const Texels expected = testimages::rgbTexels(decoded);
        for (int filterMode = 0; filterMode <= 3; ++filterMode) {
            SCOPED_TRACE(image.path + " with filter mode " + std::to_string(filterMode));
            const Texels pixels = testsupport::drawnTexture(*list, image.path, filterMode, decoded.width,
                                                            decoded.height, gltest::kWidth, gltest::kHeight);
            EXPECT_LE(largestDifference(pixels, expected), 1);
        }
    }
    EXPECT_TRUE(gltest::recordedBoxes().empty());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TextureImageFilesTest, EveryRealImageIsUploadedAtItsSizeWithItsReferenceTexels) {
    const Texels picture = upload(testimages::directory() + "/real/picture.png").texels;
    ASSERT_EQ(picture.size(), 6u * 4u * 3u);
    EXPECT_EQ(Texels(picture.begin(), picture.begin() + 3), (Texels{0, 0, 255})) << "row 0 is the bottom";
    EXPECT_EQ(Texels(picture.end() - 3, picture.end()), (Texels{0, 255, 0})) << "the last row the top";

    for (const testimages::RealImage& image : testimages::realImages()) {
        SCOPED_TRACE(image.path);
        const int id = list->addTexture(image.path.c_str(), 2, 0);
        EXPECT_EQ(list->all().at(std::size_t(id)).width, image.width);
        EXPECT_EQ(list->all().at(std::size_t(id)).height, image.height);
        EXPECT_GT(levelParameter(id, GL_TEXTURE_WIDTH), 0) << "a mipmapped texture";
        const Upload level = upload(image.path);
        EXPECT_EQ(level.width, image.width);
        EXPECT_EQ(level.height, image.height);
        EXPECT_LE(largestDifference(level.texels, upload(image.referencePath).texels), image.tolerance);
    }
    EXPECT_TRUE(gltest::recordedBoxes().empty());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TextureImageFilesTest, EveryHostileImageIsReportedAndGetsATextureWithNoImage) {
    const long peakBefore = testimages::peakResidentKilobytes();
    int expectedId = 0;
    for (const std::string& path : testimages::hostileImages()) {
        SCOPED_TRACE(path);
        const int id = list->addTexture(path.c_str(), 2, 0);
        EXPECT_EQ(id, expectedId++);
        ASSERT_EQ(gltest::recordedBoxes().size(), 1u);
        const gltest::RecordedBox& box = gltest::recordedBoxes().front();
        EXPECT_EQ(box.text, "Probleme de chargement du fichier " + path);
        EXPECT_EQ(box.caption, "Erreur");
        EXPECT_EQ(box.style, platform::MB_OK);
        gltest::recordedBoxes().clear();
        const Texture& texture = list->all().back();
        EXPECT_STREQ(texture.fileName, path.c_str());
        EXPECT_EQ(texture.width, 0);
        EXPECT_EQ(texture.height, 0);
        EXPECT_NE(texture.glTexture, 0u);
        EXPECT_EQ(levelParameter(id, GL_TEXTURE_WIDTH), 0) << "no image behind the texture";
    }
    EXPECT_GT(expectedId, 100);
    EXPECT_LT(testimages::peakResidentKilobytes() - peakBefore, 64 * 1024) << "kilobytes";
}

TEST_F(TextureImageFilesTest, TheContextsLargestTextureSideLoadsAndOneMoreIsRefused) {
    GLint largestSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largestSide);
    ASSERT_GT(largestSide, 0);
    gltest::TempDirectory files;
    // One texel high, so that the pixels stay far under the memory limit.
    const std::string largest = files.write(
        "largest.bmp", gltest::bmpFile(gltest::Picture::solid(largestSide, 1, 9, 9, 9)));
    const std::string tooWide = files.write(
        "too-wide.bmp", gltest::bmpFile(gltest::Picture::solid(largestSide + 1, 1, 9, 9, 9)));

    EXPECT_EQ(upload(largest).width, largestSide);
    EXPECT_TRUE(gltest::recordedBoxes().empty());
    EXPECT_EQ(upload(tooWide).width, 0);
    ASSERT_EQ(gltest::recordedBoxes().size(), 1u);
    EXPECT_EQ(gltest::recordedBoxes().front().text, "Probleme de chargement du fichier " + tooWide);
}

}  // namespace
