// The keys of the running program: keypad 1 and 2 flip the effect switches shown in the
// overlay, and the view turns by itself and further with each arrow key.
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

// How far the cubes turn in a second, as the sum over short steps of the lit pixels that
// change: roughly proportional to the angle turned as long as each step turns them a little
// (a cube turned by 90 degrees has its silhouette back, so one long step would not do).
int turnInOneSecond(X11Session& screen) {
    constexpr int steps = 10;
    int turn = 0;
    Image before = screen.grab(sceneArea);
    for (int step = 0; step < steps; ++step) {
        std::this_thread::sleep_for(Milliseconds(100));
        Image after = screen.grab(sceneArea);
        turn += silhouetteChange(before, after);
        before = std::move(after);
    }
    return turn;
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

    for (const char* arrow : {"Up", "Down", "Right", "Left"}) {
        SCOPED_TRACE(arrow);
        const int byItself = turnInOneSecond(screen);
        EXPECT_GT(byItself, 500) << "the view stands still";
        ASSERT_TRUE(screen.keyDown(window->id, arrow));
        const int withArrow = turnInOneSecond(screen);
        ASSERT_TRUE(screen.keyUp(arrow));
        // One degree per frame on top of 3 to 4 degrees per second: at ten frames a second
        // already three times the turn.
        EXPECT_GT(withArrow, 2 * byItself) << withArrow << " against " << byItself;
    }
}
