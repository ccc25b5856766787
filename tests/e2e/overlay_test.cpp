// The text overlay in the running program: each text in its colour at its place, read back
// from the screen. The glyphs are one-bit bitmaps, so their pixels carry the colour unblended.
#include "demo_fixture.h"

using namespace e2e;

namespace {

struct OverlayPart {
    const char* name;
    Area area;
    Rgb colour;
    int fewestPixels;  // well under what the text gives, well over stray texture pixels
};

const OverlayPart overlayParts[] = {
    {"caption \"Vorn Engine Development\"", captionArea, captionColour, 1500},
    {"white \"fps: \"", fpsLabelArea, white, 80},
    {"red frame rate", fpsNumberArea, red, 20},
    {"blue labels of both switches", labelsArea, labelColour, 1500},
    {"red answers of both switches", answersArea, red, 150},
};

// Some pixels around the part's place: its text must not have strayed there.
Area surroundings(const Area& area) {
    constexpr int margin = 10;
    return Area{std::max(0, area.left - margin), std::max(0, area.top - margin),
                std::min(1024, area.right + margin), std::min(768, area.bottom + margin)};
}

}  // namespace

TEST_F(DemoTest, DrawsEachOverlayTextInItsColourAtItsPlace) {
    ASSERT_TRUE(launchWindowed());
    for (const OverlayPart& part : overlayParts) {
        SCOPED_TRACE(part.name);
        const int inside = countColour(screen.grab(part.area), part.colour);
        const int around = countColour(screen.grab(surroundings(part.area)), part.colour);
        EXPECT_GE(inside, part.fewestPixels);
        // Nearly all of the colour nearby lies in the part's own box ("fps: " ends a few
        // pixels into the number's box, as its trailing space is narrower than the gap).
        EXPECT_GE(inside * 10, around * 9) << inside << " of " << around;
    }
}

TEST_F(DemoTest, StartsWithBothEffectsOnWhenTheDriverHasDot3) {
    ASSERT_TRUE(launchWindowed());
    EXPECT_EQ(readAnswer(detailBaseline), Answer::Yes);
    EXPECT_EQ(readAnswer(bumpBaseline), Answer::Yes);
}
