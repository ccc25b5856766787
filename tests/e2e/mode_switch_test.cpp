// F1 in the running program: the window closes and a new one, "Vorn Eng Dev", opens in the
// other mode, with the start-up run again; where fullscreen is not to be had, the fallback asks.
#include "demo_fixture.h"

using namespace e2e;

namespace {

struct BoxAnswer {
    std::string title;
    std::string key;
};

struct ModeSwitch {
    const char* name;
    int screenWidth, screenHeight;
    std::vector<BoxAnswer> answers;  // boxes between F1 and the new window
    bool reopens;                    // otherwise the program ends, with exit code 0
    bool fullscreen;
};

const ModeSwitch modeSwitches[] = {
    {"ToFullscreen", 1024, 768, {}, true, true},
    {"ToTheWindowedFallback", 1280, 1024, {{fallbackTitle, "Return"}}, true, false},
    {"EndsWhenTheFallbackIsRefused", 1280, 1024,
     {{fallbackTitle, "Escape"}, {errorTitle, "Return"}}, false, false},
};

// Test listings name the case, not its bytes.
void PrintTo(const ModeSwitch& value, std::ostream* out) { *out << value.name; }

class ModeSwitchTest : public DemoTest, public ::testing::WithParamInterface<ModeSwitch> {};

}  // namespace

TEST_P(ModeSwitchTest, ReplacesTheWindowFromWindowedMode) {
    const ModeSwitch& change = GetParam();
    const std::optional<WindowInfo> first =
        launchWindowed({}, change.screenWidth, change.screenHeight);
    ASSERT_TRUE(first);
    // Turn the detail map off first: the new start-up must turn it back on.
    ASSERT_TRUE(pressSwitchKey(first->id, "KP_1"));
    ASSERT_TRUE(waitForAnswer(detailBaseline, Answer::No));

    ASSERT_TRUE(screen.pressKey(first->id, "F1", keyHold));
    for (const BoxAnswer& answer : change.answers)
        ASSERT_TRUE(answerBox(answer.title, answer.key)) << "no box \"" << answer.title << "\"";

    if (!change.reopens) {
        EXPECT_EQ(demo.waitForExit(exitTimeout), std::optional<int>(0));
        EXPECT_TRUE(screen.windowsTitled(switchedWindowTitle).empty());
        return;
    }
    const std::optional<WindowInfo> second = waitForFrames(switchedWindowTitle);
    ASSERT_TRUE(second);
    EXPECT_TRUE(screen.windowsTitled(firstWindowTitle).empty());
    EXPECT_EQ(second->width, 1024);
    EXPECT_EQ(second->height, 768);
    EXPECT_EQ(screen.cursorHiddenAt(512, 384), change.fullscreen);
    EXPECT_TRUE(waitForAnswer(detailBaseline, Answer::Yes)) << readAnswer(detailBaseline);
    EXPECT_EQ(readAnswer(bumpBaseline), Answer::Yes);
}

INSTANTIATE_TEST_SUITE_P(F1, ModeSwitchTest, ::testing::ValuesIn(modeSwitches),
                         [](const auto& info) { return std::string(info.param.name); });
