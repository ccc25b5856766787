// Bitmap text in a real context: where the glyphs land on the virtual screen and in which
// colour, what print leaves of the matrices, the texts that draw nothing, and the glyph lists
// leaving the pixel-store state alone.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <memory>
#include <string>

#include "app/bitmap_font.h"
#include "tests/gl/gl_test_support.h"

namespace {

using gltest::Box;
using gltest::FrameCapture;
using gltest::Rgb;

// Any handle will do: the platform keeps the selected font per device context.
constexpr platform::DeviceContext kTextDeviceContext = 0x7E57;

class BitmapFontTest : public gltest::OffscreenGlTest {
protected:
    void SetUp() override {
        OffscreenGlTest::SetUp();
        if (HasFatalFailure()) return;
        font = makeFont();
    }
    void TearDown() override {
        font.reset();
        OffscreenGlTest::TearDown();
    }

    static std::unique_ptr<BitmapFont> makeFont() {
        auto made = std::make_unique<BitmapFont>();
        made->create(kTextDeviceContext, 1024, 768, "Arial", 20);
        return made;
    }

    static void clear() { glClear(GL_COLOR_BUFFER_BIT); }

    std::unique_ptr<BitmapFont> font;
};

std::vector<float> currentFloats(GLenum which, int count) {
    std::vector<float> values(16);
    glGetFloatv(which, values.data());
    values.resize(std::size_t(count));
    return values;
}

TEST_F(BitmapFontTest, TextLiesRightOfItsOriginAndAboveItsBaseline) {
    ASSERT_NE(font->lists(), 0u);
    const struct {
        int x, y;
        const char* text;
        float r, g, b;
        int width;  // generous room for the text at 20 pixels
    } cases[] = {
        {330, 730, "Yes", 1, 0, 0, 60},
        {10, 40, "Vorn", 0, 1, 0, 70},
        {930, 740, "fps: ", 1, 1, 1, 60},
        {600, 300, "HHHH", 0.1f, 0.2f, 0.9f, 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        clear();
        font->setColor(c.r, c.g, c.b);
        font->print(c.x, c.y, c.text);
        const FrameCapture frame;
        const Rgb colour = gltest::toRgb(c.r, c.g, c.b);
        const Box aboveBaseline{c.x, c.y - 18, c.x + c.width, c.y + 4};
        EXPECT_GT(frame.count(aboveBaseline, colour, 1), 40);
        // Nothing anywhere else: not left of the origin, not well below the baseline, not
        // higher than the font's cell.
        const int inside = frame.countLit(aboveBaseline);
        EXPECT_EQ(frame.countLit({0, 0, 1023, 767}), inside);
        EXPECT_EQ(frame.countLit({0, 0, c.x - 2, 767}), 0);
        EXPECT_EQ(frame.countLit({0, c.y + 6, 1023, 767}), 0);
        EXPECT_EQ(frame.countLit({0, 0, 1023, c.y - 24}), 0);
        // Capitals stand on the baseline: their lowest row is the row just above it.
        if (std::string(c.text) == "HHHH") {
            EXPECT_GT(frame.countLit({c.x, c.y - 1, c.x + c.width, c.y - 1}), 0);
            EXPECT_EQ(frame.countLit({c.x, c.y, c.x + c.width, c.y + 5}), 0);
        }
    }
}

TEST_F(BitmapFontTest, TheFontColourIsSetBeforeTheRasterPosition) {
    glColor3f(0, 1, 0);
    font->setColor(0, 0, 1);
    font->print(330, 730, "Yes");
    const FrameCapture frame;
    const Box text{330, 712, 390, 734};
    EXPECT_GT(frame.count(text, {0, 0, 255}, 0), 40);
    EXPECT_EQ(frame.count(text, {0, 255, 0}, 0), 0);
    EXPECT_EQ(currentFloats(GL_CURRENT_COLOR, 3), (std::vector<float>{0, 0, 1}));
    EXPECT_EQ(currentFloats(GL_CURRENT_RASTER_COLOR, 3), (std::vector<float>{0, 0, 1}));
}

TEST_F(BitmapFontTest, PrintRestoresTheProjectionAndLeavesTheModelViewIdentity) {
    BitmapFont withoutLists;  // never created: no glyph lists
    const struct {
        const char* what;
        BitmapFont* font;
        const char* text;
    } cases[] = {
        {"a text", font.get(), "Yes"},
        {"an empty text", font.get(), ""},
        {"the byte 255", font.get(), "\xFF"},
        {"a font without lists", &withoutLists, "Yes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-1, 1, -0.75, 0.75, 0.5, 100);
        const std::vector<float> projection = gltest::matrix(GL_PROJECTION_MATRIX);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(3, -2, -7);
        glRotatef(30, 0, 1, 0);
        glMatrixMode(GL_TEXTURE);  // print sets the mode it needs

        c.font->print(330, 730, c.text);

        EXPECT_EQ(gltest::matrix(GL_PROJECTION_MATRIX), projection);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
        EXPECT_EQ(gltest::matrix(GL_MODELVIEW_MATRIX), gltest::identityMatrix());
        GLint depth = 0;
        glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1);
        // A font never created has a 0 x 0 screen, which glOrtho refuses with an error.
        if (c.font->lists() != 0) {
            EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        }
        while (glGetError() != GL_NO_ERROR) {
        }
    }
}

TEST_F(BitmapFontTest, EmptyTextAndByte255DrawNothingAndDoNotAdvance) {
    font->setColor(1, 1, 1);
    const struct {
        const char* what;
        const char* text;
        const char* drawsLike;  // the text whose pixels and final raster position it matches
    } cases[] = {
        {"an empty text", "", ""},
        {"the byte 255 alone", "\xFF", ""},
        {"the byte 255 first", "\xFF" "AB", "AB"},
        {"the byte 255 between", "A\xFF" "B", "AB"},
        {"the byte 255 last", "AB\xFF", "AB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clear();
        font->print(200, 400, c.drawsLike);
        const FrameCapture expected;
        const std::vector<float> expectedRaster = currentFloats(GL_CURRENT_RASTER_POSITION, 2);
        clear();
        font->print(200, 400, c.text);
        const FrameCapture drawn;
        EXPECT_TRUE(drawn == expected);
        EXPECT_EQ(currentFloats(GL_CURRENT_RASTER_POSITION, 2), expectedRaster);
        if (c.drawsLike[0] == '\0') {
            EXPECT_EQ(drawn.countLit({0, 0, 1023, 767}), 0);
            // The raster position stays at the origin of the text: (200, 768 - 400).
            EXPECT_NEAR(expectedRaster[0], 200.0f, 1e-3f);
            EXPECT_NEAR(expectedRaster[1], 368.0f, 1e-3f);
        }
    }
}

TEST_F(BitmapFontTest, GlyphListsLeaveThePixelStoreStateAlone) {
    font->setColor(1, 1, 0);
    font->print(330, 730, "Yes & 0123");
    const FrameCapture reference;

    const struct {
        const char* what;
        GLenum name;
        GLint value;
    } store[] = {
        {"GL_UNPACK_ALIGNMENT", GL_UNPACK_ALIGNMENT, 8},
        {"GL_UNPACK_ROW_LENGTH", GL_UNPACK_ROW_LENGTH, 5},
        {"GL_UNPACK_SKIP_ROWS", GL_UNPACK_SKIP_ROWS, 2},
        {"GL_UNPACK_SKIP_PIXELS", GL_UNPACK_SKIP_PIXELS, 3},
        {"GL_UNPACK_LSB_FIRST", GL_UNPACK_LSB_FIRST, GL_TRUE},
        {"GL_UNPACK_SWAP_BYTES", GL_UNPACK_SWAP_BYTES, GL_TRUE},
    };
    for (const auto& setting : store) glPixelStorei(setting.name, setting.value);
    const std::unique_ptr<BitmapFont> builtUnderOddState = makeFont();
    for (const auto& setting : store) {
        SCOPED_TRACE(setting.what);
        GLint value = -1;
        glGetIntegerv(setting.name, &value);
        EXPECT_EQ(value, setting.value);
    }

    // The glyphs were read when their lists were built, so the odd state changes nothing.
    clear();
    builtUnderOddState->setColor(1, 1, 0);
    builtUnderOddState->print(330, 730, "Yes & 0123");
    const FrameCapture drawn;
    EXPECT_TRUE(drawn == reference);
    EXPECT_GT(drawn.countLit({330, 700, 500, 740}), 100);
}

TEST_F(BitmapFontTest, ReleaseDeletesTheGlyphListsAndTheFontObject) {
    const GLuint lists = font->lists();
    ASSERT_NE(lists, 0u);
    ASSERT_TRUE(glIsList(lists + 'A'));
    font->release();
    EXPECT_FALSE(glIsList(lists + 'A'));
    EXPECT_EQ(font->lists(), 0u);

    // The font object behind them is gone too: its device context has no font to build from.
    const GLuint more = glGenLists(1);
    EXPECT_FALSE(platform::useFontBitmaps(kTextDeviceContext, 'A', 1, more));
    glDeleteLists(more, 1);
}

TEST_F(BitmapFontTest, PlatformReleasesAFontOnceAndOnlyAFontItMade) {
    platform::FontRequest request;
    request.height = 20;
    request.weight = platform::FW_BOLD;
    request.faceName = "Arial";
    const platform::FontHandle made = platform::createFont(request);
    ASSERT_NE(made, 0u);
    EXPECT_TRUE(platform::deleteObject(made));
    EXPECT_FALSE(platform::deleteObject(made)) << "released already";
    EXPECT_FALSE(platform::deleteObject(0));
}

}  // namespace
