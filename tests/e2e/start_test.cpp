// Start-up as the user meets it: the fullscreen question, fullscreen where the screen has a
// 1024 x 768 mode, the windowed fallback where it has not, and the way out when that is refused.
#include <thread>

#include "demo_fixture.h"

using namespace e2e;

namespace {

struct BoxAnswer {
    std::string title;
    std::string key;  // Return answers the first button (Yes), Escape the last (No)
};

struct StartCase {
    const char* name;
    int screenWidth, screenHeight;
    std::vector<BoxAnswer> answers;
    bool fullscreen;  // the window hides the mouse cursor
};

const StartCase startCases[] = {
    {"WindowedWhenAnsweringNo", 1024, 768, {{startTitle, "Escape"}}, false},
    {"FullscreenWhenTheScreenHasTheMode", 1024, 768, {{startTitle, "Return"}}, true},
    {"WindowedWhenAnsweringNoOnALargerScreen", 1280, 1024, {{startTitle, "Escape"}}, false},
    {"WindowedWhenTheFallbackIsAccepted", 1280, 1024,
     {{startTitle, "Return"}, {fallbackTitle, "Return"}}, false},
};

// Test listings name the case, not its bytes.
void PrintTo(const StartCase& value, std::ostream* out) { *out << value.name; }

class StartTest : public DemoTest, public ::testing::WithParamInterface<StartCase> {};

}  // namespace

TEST_F(DemoTest, AsksAboutFullscreenBeforeOpeningAnyWindow) {
    ASSERT_TRUE(launch(1024, 768));
    EXPECT_EQ(screen.windowsTitled(startTitle).size(), 1u);
    // The question is modal: nothing else opens while it waits for its answer.
    std::this_thread::sleep_for(Milliseconds(1000));
    EXPECT_TRUE(demo.running());
    EXPECT_EQ(screen.windowsTitled(startTitle).size(), 1u);
    EXPECT_TRUE(screen.windowsTitled(firstWindowTitle).empty());
    EXPECT_TRUE(screen.windowsTitled(fallbackTitle).empty());
}

TEST_P(StartTest, OpensTheWindowWithItsFullClientArea) {
    const StartCase& start = GetParam();
    ASSERT_TRUE(launch(start.screenWidth, start.screenHeight));
    for (const BoxAnswer& answer : start.answers)
        ASSERT_TRUE(answerBox(answer.title, answer.key)) << "no box \"" << answer.title << "\"";

    const std::optional<WindowInfo> window = waitForFrames(firstWindowTitle);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->x, 0);
    EXPECT_EQ(window->y, 0);
    EXPECT_EQ(window->width, 1024);
    EXPECT_EQ(window->height, 768);
    EXPECT_EQ(screen.cursorHiddenAt(512, 384), start.fullscreen);
    // Without the fallback question it never appears; with it, it has been answered.
    EXPECT_TRUE(screen.windowsTitled(fallbackTitle).empty());
    EXPECT_TRUE(demo.running());
}

INSTANTIATE_TEST_SUITE_P(Answers, StartTest, ::testing::ValuesIn(startCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DemoTest, RefusingTheWindowedFallbackEndsWithoutAWindow) {
    ASSERT_TRUE(launch(1280, 1024));
    ASSERT_TRUE(answerBox(startTitle, "Return"));
    ASSERT_TRUE(answerBox(fallbackTitle, "Escape"));
    const std::optional<WindowInfo> closing = waitForWindow(errorTitle);
    ASSERT_TRUE(closing) << "no box \"" << errorTitle << "\"";
    EXPECT_TRUE(screen.windowsTitled(firstWindowTitle).empty());
    ASSERT_TRUE(answerBox(errorTitle, "Return"));

    EXPECT_EQ(demo.waitForExit(exitTimeout), std::optional<int>(0));
    EXPECT_TRUE(screen.windowsTitled(firstWindowTitle).empty());
}
