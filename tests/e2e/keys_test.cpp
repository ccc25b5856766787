// The keys of the running program: keypad 1 and 2 flip the effect switches shown in the
// overlay, the view turns by itself and further with the arrows, F1 reopens in the other mode.
#include <thread>

#include "demo_fixture.h"

using namespace e2e;

namespace {

struct SwitchKey {
    const char* name;
    const char* key;
    int baseline;       // the answer that the key flips
    int otherBaseline;  // the answer that must stay
};

const SwitchKey switchKeys[] = {
    {"DetailOnKeypad1", "KP_1", detailBaseline, bumpBaseline},
    {"BumpOnKeypad2", "KP_2", bumpBaseline, detailBaseline},
};

// Test listings name the case, not its bytes.
void PrintTo(const SwitchKey& value, std::ostream* out) { *out << value.name; }

class SwitchKeyTest : public DemoTest, public ::testing::WithParamInterface<SwitchKey> {};

// Lit pixels of the scene that change from one picture to the next: roughly proportional to
// how far the cubes turned, as long as they turn a little.
int turnOver(X11Session& screen, Milliseconds interval, const std::function<void()>& during) {
    const Image before = screen.grab(sceneArea);
    during();
    std::this_thread::sleep_for(interval);
    return silhouetteChange(before, screen.grab(sceneArea));
}

}  // namespace

TEST_P(SwitchKeyTest, EachPressFlipsOneAnswerOnce) {
    const SwitchKey& keySwitch = GetParam();
    const std::optional<WindowInfo> window = launchWindowed();
    ASSERT_TRUE(window);
    ASSERT_EQ(readAnswer(keySwitch.baseline), Answer::Yes);

    for (Answer expected : {Answer::No, Answer::Yes}) {
        ASSERT_TRUE(pressSwitchKey(window->id, keySwitch.key));
        EXPECT_TRUE(waitForAnswer(keySwitch.baseline, expected))
            << "reads " << readAnswer(keySwitch.baseline) << ", not " << expected;
        // One press, one flip: it still reads so a while after the key is up.
        std::this_thread::sleep_for(Milliseconds(700));
        EXPECT_EQ(readAnswer(keySwitch.baseline), expected);
        EXPECT_EQ(readAnswer(keySwitch.otherBaseline), Answer::Yes);
    }
}

INSTANTIATE_TEST_SUITE_P(Keypad, SwitchKeyTest, ::testing::ValuesIn(switchKeys),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DemoTest, TurnsTheViewByItselfAndFurtherWithEachArrow) {
    const std::optional<WindowInfo> window = launchWindowed();
    ASSERT_TRUE(window);
    EXPECT_GT(litPixels(screen.grab(sceneArea)), 20000) << "no cubes drawn";

    const Milliseconds interval(1000);
    for (const char* arrow : {"Up", "Down", "Right", "Left"}) {
        SCOPED_TRACE(arrow);
        const int byItself = turnOver(screen, interval, [] {});
        EXPECT_GT(byItself, 500) << "the view stands still";
        std::string pressed;
        const int withArrow = turnOver(screen, interval, [&] {
            if (screen.keyDown(window->id, arrow)) pressed = arrow;
        });
        ASSERT_EQ(pressed, arrow);
        ASSERT_TRUE(screen.keyUp(arrow));
        // One degree per frame on top of 3 to 4 degrees per second.
        EXPECT_GT(withArrow * 2, byItself * 3) << withArrow << " against " << byItself;
    }
}
