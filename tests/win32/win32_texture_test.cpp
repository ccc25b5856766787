// The Windows build's texture upload (GL's own calls, no ILUT) under Wine: every picture of
// the image table, odd-sized ones included, drawn texel for texel as it decodes, with every
// filter, in the Win32 platform's offscreen context.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "image/decode.h"
#include "platform/platform.h"
#include "render/texture_list.h"
#include "tests/image/test_images.h"
#include "tests/support/drawn_texture.h"

namespace {

constexpr int kViewSide = 256;  // larger than every picture of the table

TEST(Win32Textures, EveryRealImageIsDrawnAsDecodedWithEveryFilter) {
    ASSERT_TRUE(platform::createOffscreenContext(kViewSide, kViewSide));
    {
        TextureList list;
        int drawn = 0;
        for (const testimages::RealImage& image : testimages::realImages()) {
            DecodedPixels decoded;
            // Formats the Windows build refuses never reach the list, whose box would wait.
            if (!decodeImageFile(image.path.c_str(), kDefaultLargestImageSide, decoded)) continue;
            const std::vector<unsigned char> expected = testimages::rgbTexels(decoded);
            for (int filterMode = 0; filterMode <= 3; ++filterMode) {
                SCOPED_TRACE(image.path + " with filter mode " + std::to_string(filterMode));
                const std::vector<unsigned char> pixels = testsupport::drawnTexture(
                    list, image.path, filterMode, decoded.width, decoded.height, kViewSide, kViewSide);
                EXPECT_LE(testimages::largestDifference(pixels, expected), 1);
            }
            ++drawn;
        }
        EXPECT_GT(drawn, 30);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
    platform::destroyOffscreenContext();
}

}  // namespace
