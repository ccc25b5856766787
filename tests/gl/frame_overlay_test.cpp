// Whole frames of the program with the real engine and scene: every overlay text where and in
// the colour the frame puts it, and the texture units given back to the scene untouched.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "app/bitmap_font.h"
#include "app/frame.h"
#include "app/shell_state.h"
#include "engine/engine.h"
#include "tests/gl/gl_test_support.h"
#include "tests/gl/texture_units.h"

namespace {

using gltest::Box;
using gltest::FrameCapture;
using gltest::Rgb;

using FrameOverlayTest = gltest::ProgramWindowTest;

struct OverlayText {
    const char* what;
    Box box;
    Rgb colour;
};

const OverlayText kOverlay[] = {
    {"fps label", {930, 722, 958, 744}, gltest::toRgb(1, 1, 1)},
    {"frame rate", {960, 722, 1023, 744}, gltest::toRgb(1, 0, 0)},
    {"caption", {10, 12, 400, 47}, gltest::toRgb(0.4f, 0.8f, 0.9f)},
    {"detail label", {10, 712, 325, 734}, gltest::toRgb(0.1f, 0.2f, 0.9f)},
    {"bump label", {10, 732, 325, 754}, gltest::toRgb(0.1f, 0.2f, 0.9f)},
    {"detail answer", {330, 712, 390, 734}, gltest::toRgb(1, 0, 0)},
    {"bump answer", {330, 732, 390, 754}, gltest::toRgb(1, 0, 0)},
};

void expectOverlay(const FrameCapture& frame) {
    for (const OverlayText& text : kOverlay)
        EXPECT_GT(frame.count(text.box, text.colour, 1), 25) << text.what << " in " << text.colour;
}

// The pixels of `box` that are exactly `colour`, as a mask.
std::vector<bool> maskOf(const FrameCapture& frame, const Box& box, const Rgb& colour) {
    std::vector<bool> mask;
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x)
            mask.push_back(gltest::near(frame.at(x, y), colour, 1));
    return mask;
}

TEST_F(FrameOverlayTest, EveryTextStandsInItsPlaceAndColour) {
    ASSERT_TRUE(engine.isDetailEnabled());
    ASSERT_TRUE(engine.isBumpEnabled());
    ASSERT_FALSE(engine.meshes.all().empty()) << "the scene is loaded";

    EXPECT_TRUE(drawScene());
    const FrameCapture frame;
    expectOverlay(frame);
    GLint depth = -1;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 0);

    // Both answers read "Yes": the same pixels as "Yes" printed alone by the same font.
    engine.disableTexturing();
    const Rgb red = gltest::toRgb(1, 0, 0);
    const struct {
        int y;
        Box box;
    } answers[] = {{730, {330, 712, 390, 734}}, {750, {330, 732, 390, 754}}};
    for (const auto& answer : answers) {
        SCOPED_TRACE("answer on the baseline " + std::to_string(answer.y));
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        smallFont.setColor(1, 0, 0);
        smallFont.print(330, answer.y, "Yes");
        smallFont.setColor(1, 1, 1);
        const FrameCapture alone;
        EXPECT_EQ(maskOf(frame, answer.box, red), maskOf(alone, answer.box, red));
    }
}

TEST_F(FrameOverlayTest, OverlayGivesTheTextureUnitsBackAsTheSceneLeftThem) {
    ASSERT_TRUE(drawScene());
    const gltest::TextureUnits afterScene = gltest::readTextureUnits();
    // The scene's last material leaves textures on, so an overlay drawn through them would show.
    ASSERT_TRUE(afterScene.units[0].texture2d);
    ASSERT_TRUE(afterScene.units[1].texture2d);
    ASSERT_TRUE(afterScene.units[2].texture2d);

    // Without meshes the next frame draws the overlay alone.
    engine.meshes.clear();
    ASSERT_TRUE(drawScene());
    EXPECT_EQ(gltest::readTextureUnits(), afterScene);
    const FrameCapture overlayAlone;
    expectOverlay(overlayAlone);
    EXPECT_TRUE(gltest::recordedBoxes().empty());
}

}  // namespace
