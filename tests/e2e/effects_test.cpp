// What the effect switches do to the cubes themselves, read from the screen while the scene
// turns: the bump map darkens the cubes, the detail map adds fine grain; and F1 draws the
// same scene again.
#include <cmath>
#include <thread>

#include "demo_fixture.h"

using namespace e2e;

namespace {

bool lit(const Rgb& pixel) { return pixel.r + pixel.g + pixel.b > 40; }

// The look of the cubes: how bright their pixels are, and how much neighbouring pixels
// differ (fine grain), averaged over a few grabs so that the turning matters little.
struct Look {
    double brightness = 0;
    double grain = 0;
    double litPixels = 0;
};

Look lookOf(const Image& image) {
    const int width = image.area.right - image.area.left;
    const int height = image.area.bottom - image.area.top;
    double brightness = 0, grain = 0;
    long count = 0, pairs = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb& p = image.pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            if (!lit(p)) continue;
            brightness += (p.r + p.g + p.b) / 3.0;
            ++count;
            if (x + 1 < width) {
                const Rgb& q = image.pixels[std::size_t(y) * std::size_t(width) + std::size_t(x + 1)];
                if (lit(q)) {
                    grain += std::abs((p.r + p.g + p.b) - (q.r + q.g + q.b)) / 3.0;
                    ++pairs;
                }
            }
        }
    Look look;
    look.litPixels = double(count);
    if (count) look.brightness = brightness / double(count);
    if (pairs) look.grain = grain / double(pairs);
    return look;
}

Look averageLook(X11Session& screen) {
    constexpr int grabs = 4;
    Look sum;
    for (int i = 0; i < grabs; ++i) {
        const Look look = lookOf(screen.grab(sceneArea));
        sum.brightness += look.brightness / grabs;
        sum.grain += look.grain / grabs;
        sum.litPixels += look.litPixels / grabs;
        std::this_thread::sleep_for(Milliseconds(150));
    }
    return sum;
}

}  // namespace

TEST_F(DemoTest, BumpMapDarkensTheCubesAndKeypad2TakesItAway) {
    const std::optional<WindowInfo> window = launchWindowed();
    ASSERT_TRUE(window);
    const Look withBump = averageLook(screen);
    ASSERT_GT(withBump.litPixels, 20000) << "no cubes drawn";
    ASSERT_TRUE(pressSwitchKey(window->id, "KP_2"));
    ASSERT_TRUE(waitForAnswer(bumpBaseline, Answer::No));
    const Look withoutBump = averageLook(screen);
    EXPECT_GT(withoutBump.brightness, withBump.brightness * 1.04)
        << withBump.brightness << " then " << withoutBump.brightness;
}

TEST_F(DemoTest, DetailMapAddsGrainAndKeypad1TakesItAway) {
    const std::optional<WindowInfo> window = launchWindowed();
    ASSERT_TRUE(window);
    const Look withDetail = averageLook(screen);
    ASSERT_GT(withDetail.litPixels, 20000) << "no cubes drawn";
    ASSERT_TRUE(pressSwitchKey(window->id, "KP_1"));
    ASSERT_TRUE(waitForAnswer(detailBaseline, Answer::No));
    const Look withoutDetail = averageLook(screen);
    EXPECT_GT(withDetail.grain, withoutDetail.grain * 1.05)
        << withDetail.grain << " then " << withoutDetail.grain;
}

TEST_F(DemoTest, F1DrawsTheSameSceneAgain) {
    const std::optional<WindowInfo> first = launchWindowed();
    ASSERT_TRUE(first);
    const Look before = averageLook(screen);
    ASSERT_GT(before.litPixels, 20000) << "no cubes drawn";
    ASSERT_TRUE(screen.pressKey(first->id, "F1", keyHold));
    ASSERT_TRUE(waitForFrames(switchedWindowTitle));
    const Look after = averageLook(screen);
    // The same two cubes with the same textures: as many pixels and as bright, give or take
    // the turn that the reload's time adds.
    EXPECT_NEAR(after.litPixels, before.litPixels, before.litPixels * 0.35);
    EXPECT_NEAR(after.brightness, before.brightness, before.brightness * 0.15);
    EXPECT_NEAR(after.grain, before.grain, before.grain * 0.3);
}
