// Light markers drawn in a real OpenGL context: the state a marker leaves behind and the pixels
// of its sphere and cube, read back from the back buffer. Needs a display (DISPLAY).
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "platform/platform.h"

namespace {

// An odd number of pixels over a square of 8.04 scene units centred on the origin: the
// centre of pixel 100 is the origin, and every pixel is 0.04 units wide.
constexpr int side = 201;
constexpr double halfWidth = 4.02;
constexpr double unitsPerPixel = 2 * halfWidth / side;

struct Rgb {
    int r, g, b;
};

Rgb toRgb(const LightColor& color) {
    auto channel = [](float v) { return int(std::lround(v * 255.0f)); };
    return {channel(color.red), channel(color.green), channel(color.blue)};
}

class Frame {
public:
    Frame() : pixels(side * side * 3) {
        glFinish();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, side, side, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    }
    Rgb at(int column, int row) const {
        const unsigned char* p = &pixels[(row * side + column) * 3];
        return {p[0], p[1], p[2]};
    }
    // Whether a pixel of this colour lies within one pixel of the scene point (x, y).
    bool showsNear(double x, double y, const Rgb& colour) const {
        const int column = int(std::floor((x + halfWidth) / unitsPerPixel));
        const int row = int(std::floor((y + halfWidth) / unitsPerPixel));
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (close(at(column + dx, row + dy), colour)) return true;
        return false;
    }
    int countOf(const Rgb& colour) const {
        int count = 0;
        for (int row = 0; row < side; ++row)
            for (int column = 0; column < side; ++column)
                if (close(at(column, row), colour)) ++count;
        return count;
    }
    static bool close(const Rgb& a, const Rgb& b) {
        return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
    }

private:
    std::vector<unsigned char> pixels;
};

std::array<float, 4> currentColor() {
    std::array<float, 4> c{};
    glGetFloatv(GL_CURRENT_COLOR, c.data());
    return c;
}

GLint integer(GLenum which) {
    GLint value = 0;
    glGetIntegerv(which, &value);
    return value;
}

std::array<float, 16> modelView() {
    std::array<float, 16> m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

class LightMarkerGlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const char* display = std::getenv("DISPLAY");
        hasDisplay = display != nullptr && display[0] != '\0';
        if (hasDisplay) contextMade = platform::createOffscreenContext(side, side);
    }
    static void TearDownTestSuite() {
        if (contextMade) platform::destroyOffscreenContext();
    }

    void SetUp() override {
        if (!hasDisplay) GTEST_SKIP() << "no display: set DISPLAY (Xvfb will do)";
        ASSERT_TRUE(contextMade) << "no OpenGL context on " << std::getenv("DISPLAY");
        glViewport(0, 0, side, side);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-halfWidth, halfWidth, -halfWidth, halfWidth, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glDisable(GL_CULL_FACE);
        glActiveTexture(GL_TEXTURE0);
        glDrawBuffer(GL_BACK);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override {
        if (contextMade) {
            EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        }
    }

    static inline bool hasDisplay = false;
    static inline bool contextMade = false;
    Engine engine;
};

// Whatever the state before, a marker leaves the matrix stack as it was, the colour white
// and 2D texturing on, and nothing else changed.
struct StateBefore {
    bool texturing;
    std::array<float, 4> color;
    int pushes;
    bool lighting;
};

class MarkerStateTest : public LightMarkerGlTest,
                        public ::testing::WithParamInterface<StateBefore> {};

TEST_P(MarkerStateTest, LeavesStackColourAndTexturingAsPromised) {
    const StateBefore& before = GetParam();
    engine.lights.add("lamp", {0.5f, -1, 2}, {1, 0, 0}, 3.0f, 0);
    for (int i = 0; i < before.pushes; ++i) {
        glPushMatrix();
        glTranslatef(0.1f, 0, 0);
    }
    if (before.texturing) glEnable(GL_TEXTURE_2D);
    else glDisable(GL_TEXTURE_2D);
    if (before.lighting) glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glColor4fv(before.color.data());
    const GLint depth = integer(GL_MODELVIEW_STACK_DEPTH);
    const auto matrix = modelView();

    engine.drawLightMarker(0);

    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_EQ(modelView(), matrix);
    EXPECT_EQ(currentColor(), (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(bool(glIsEnabled(GL_LIGHTING)), before.lighting);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
    for (int i = 0; i < before.pushes; ++i) glPopMatrix();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
}

INSTANTIATE_TEST_SUITE_P(
    LightMarkerGl, MarkerStateTest,
    ::testing::Values(StateBefore{false, {0.2f, 0.3f, 0.4f, 0.5f}, 0, false},
                      StateBefore{true, {0, 0, 0, 0}, 1, false},
                      StateBefore{false, {1, 1, 1, 1}, 3, true},
                      StateBefore{true, {0, 1, 0, 1}, 0, true}));

TEST_F(LightMarkerGlTest, MarkerKeepsTheActiveTextureUnit) {
    if (integer(GL_MAX_TEXTURE_UNITS) < 2) GTEST_SKIP() << "one texture unit";
    engine.lights.add("lamp", {}, {1, 1, 1}, 1.0f, 0);
    glActiveTexture(GL_TEXTURE1);
    engine.drawLightMarker(0);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE1);
    glActiveTexture(GL_TEXTURE0);
}

// The sphere and the cube in the light's colour; nothing else lit.
struct PixelCase {
    LightColor color;
    float radius;
};

class MarkerPixelsTest : public LightMarkerGlTest,
                         public ::testing::WithParamInterface<PixelCase> {};

TEST_P(MarkerPixelsTest, SphereAndCubeShowInTheLightsColour) {
    const auto [color, radius] = GetParam();
    engine.lights.add("lamp", {}, {color.red, color.green, color.blue}, radius, 0);
    engine.drawLightMarkers();
    const Frame frame;
    const Rgb rgb = toRgb(color);
    const Rgb black{0, 0, 0};

    // The cube, 0.2 units across, at the centre; beyond it along the x axis nothing.
    EXPECT_TRUE(Frame::close(frame.at(100, 100), rgb));
    for (double at : {-0.06, 0.06}) {
        EXPECT_TRUE(Frame::close(frame.at(100 + int(std::lround(at / unitsPerPixel)), 100), rgb));
        EXPECT_TRUE(Frame::close(frame.at(100, 100 + int(std::lround(at / unitsPerPixel))), rgb));
    }
    EXPECT_TRUE(Frame::close(frame.at(100 + 5, 100), black));
    EXPECT_TRUE(Frame::close(frame.at(100 - 5, 100), black));

    // Seen along z, the meridians through the poles run along the y axis up to the radius.
    const double r = radius;
    if (r > 0) {
        EXPECT_TRUE(frame.showsNear(0, r * 0.5, rgb));
        EXPECT_TRUE(frame.showsNear(0, r - 0.1, rgb));
        EXPECT_TRUE(frame.showsNear(0, -(r - 0.1), rgb));
    }
    EXPECT_FALSE(frame.showsNear(0, r + 0.2, rgb));
    EXPECT_FALSE(frame.showsNear(r * 0.72 + 0.2, r * 0.72 + 0.2, rgb));
    // Only black and the light's colour, apart from the edges that blend nothing here.
    EXPECT_EQ(frame.countOf(rgb) + frame.countOf(black), side * side);
    if (r == 0) {
        EXPECT_LT(frame.countOf(rgb), 50);
    }
}

INSTANTIATE_TEST_SUITE_P(LightMarkerGl, MarkerPixelsTest,
                         ::testing::Values(PixelCase{{1, 0, 0}, 3.0f},
                                           PixelCase{{0, 1, 0}, 2.0f},
                                           PixelCase{{1, 0.5f, 0.25f}, 3.0f},
                                           PixelCase{{0.2f, 0.4f, 1}, 1.0f},
                                           PixelCase{{1, 0, 0}, 0.0f}));

TEST_F(LightMarkerGlTest, MarkerSitsAtTheLightsPosition) {
    engine.lights.add("lamp", {2, -1, 0}, {0, 1, 0}, 0.0f, 0);
    engine.drawLightMarkers();
    const Frame frame;
    EXPECT_TRUE(frame.showsNear(2, -1, {0, 255, 0}));
    EXPECT_FALSE(frame.showsNear(0, 0, {0, 255, 0}));
}

TEST_F(LightMarkerGlTest, EngineOperationsWithNothingToDrawLeaveTheirColours) {
    glColor3f(1, 0, 0);
    engine.drawLightMarkers();
    EXPECT_EQ(currentColor(), (std::array<float, 4>{1, 1, 1, 1}));
    glColor3f(1, 0, 0);
    engine.drawLightMarker(4);  // no such light, and no colour calls of its own
    EXPECT_EQ(currentColor(), (std::array<float, 4>{1, 0, 0, 1}));
    engine.cameras.add("cam", {}, {}, 54);
    glColor3f(1, 0, 0);
    engine.drawCamera(0);
    EXPECT_EQ(currentColor(), (std::array<float, 4>{1, 1, 1, 1}));
    glColor3f(1, 0, 0);
    engine.drawCamera(9);
    EXPECT_EQ(currentColor(), (std::array<float, 4>{1, 1, 1, 1}));
    glColor3f(1, 0, 0);
    engine.drawCameras();
    EXPECT_EQ(currentColor(), (std::array<float, 4>{1, 1, 1, 1}));
    const Frame frame;
    EXPECT_EQ(frame.countOf({0, 0, 0}), side * side) << "cameras draw nothing";
}

std::vector<std::string>& answeredBoxes() {
    static std::vector<std::string> boxes;
    return boxes;
}

int answerAndRecord(const char* text, const char* caption, unsigned) {
    answeredBoxes().push_back(std::string(caption) + ": " + text);
    return platform::IDOK;
}

// The documented example with its real images, from the repository root.
TEST_F(LightMarkerGlTest, ExampleSceneLoadsWithItsImages) {
    platform::setMessageBoxResponder(answerAndRecord);
    engine.init();
    answeredBoxes().clear();
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(VORN_SOURCE_DIR);
    engine.loadSceneDescription("scene/example.vnt");
    std::filesystem::current_path(before);
    platform::setMessageBoxResponder(nullptr);

    EXPECT_EQ(answeredBoxes(), std::vector<std::string>{"Information: Chargement Termin\xC3\xA9"});
    ASSERT_EQ(engine.textures.all().size(), 6u);
    for (const Texture& texture : engine.textures.all()) EXPECT_GT(texture.width, 0);
    EXPECT_EQ(engine.lights.all().size(), 2u);
    EXPECT_EQ(engine.meshes.all().size(), 1u);
    engine.drawLightMarkers();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

}  // namespace
