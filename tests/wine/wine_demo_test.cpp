// vorn-demo.exe, 32- and 64-bit, under Wine as a Windows user meets it: the start question and
// its text, the window with the cubes and the overlay, the switches, F1 where the screen has no
// 1024 x 768 mode and the fallback question, Escape; and vorn-view.exe's box with the
// Windows-1252 text of the scene loader. Wine's trace of the message boxes shows the texts each
// box was given, as Unicode.
#include <fstream>
#include <iterator>
#include <thread>

#include "demo_fixture.h"
#include "wine_prefix.h"

using namespace e2e;

namespace {

// On a screen larger than the demo's mode, ChangeDisplaySettingsA finds no 1024 x 768.
constexpr int screenWidth = 1280, screenHeight = 1024;
// Wine waits about two seconds for a window to hide when there is no window manager.
constexpr Milliseconds switchHold(150);

class WineDemoTest : public DemoTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        const std::string folder = std::string(VORN_WINDOWS_PROGRAMS) + "/" + GetParam();
        demoCommand = {WINE_RUN, folder + "/vorn-demo.exe"};
        demoFolder = folder;
        overlayFollowsWindow = true;
    }
    static std::vector<std::string> wineEnvironment() {
        return {winePrefixSetting(), "WINEDEBUG=-all,trace+msgbox",
                "LIBGL_ALWAYS_SOFTWARE=1"};
    }
    // Whether a box was given this text, as Wine's trace quotes it.
    bool boxShowedText(const std::string& quoted) {
        std::ifstream log(artifactPath(".log"), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(log), {}};
        return text.find("MSGBOX_OnInit L\"" + quoted + "\"") != std::string::npos;
    }
    bool pressSwitch(WindowId window, const std::string& key) {
        return screen.pressKey(window, key, switchHold);
    }
};

}  // namespace

TEST_P(WineDemoTest, RunsAsOnWindowsFromTheQuestionToEscape) {
    ASSERT_TRUE(launch(screenWidth, screenHeight, wineEnvironment()));
    EXPECT_TRUE(waitUntil([&] { return boxShowedText("Fullscreen Mode?"); }, windowTimeout));
    ASSERT_TRUE(answerBox(startTitle, "n"));

    const std::optional<WindowInfo> window = waitForFrames(firstWindowTitle);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->width, 1024);
    EXPECT_EQ(window->height, 768);
    EXPECT_GT(litPixels(screen.grab(onScreen(sceneArea))), 20000) << "no cubes";
    EXPECT_GT(countColour(screen.grab(onScreen(labelsArea)), labelColour), 300) << "no labels";
    EXPECT_TRUE(waitForAnswer(detailBaseline, Answer::Yes)) << readAnswer(detailBaseline);
    EXPECT_TRUE(waitForAnswer(bumpBaseline, Answer::Yes)) << readAnswer(bumpBaseline);

    ASSERT_TRUE(pressSwitch(window->id, "KP_1"));
    EXPECT_TRUE(waitForAnswer(detailBaseline, Answer::No)) << readAnswer(detailBaseline);
    ASSERT_TRUE(pressSwitch(window->id, "KP_2"));
    EXPECT_TRUE(waitForAnswer(bumpBaseline, Answer::No)) << readAnswer(bumpBaseline);
    EXPECT_EQ(readAnswer(detailBaseline), Answer::No);

    ASSERT_TRUE(screen.pressKey(window->id, "F1", keyHold));
    ASSERT_TRUE(answerBox(fallbackTitle, "Return")) << "no box \"" << fallbackTitle << "\"";
    EXPECT_TRUE(boxShowedText("The Requested Fullscreen Mode Is Not Supported By\\nYour Video "
                              "Card. Use Windowed Mode Instead?"));
    const std::optional<WindowInfo> second = waitForFrames(switchedWindowTitle);
    ASSERT_TRUE(second);
    EXPECT_TRUE(screen.windowsTitled(firstWindowTitle).empty());
    EXPECT_EQ(second->width, 1024);
    EXPECT_EQ(second->height, 768);
    // The new start-up turns both maps on again.
    EXPECT_TRUE(waitForAnswer(detailBaseline, Answer::Yes)) << readAnswer(detailBaseline);

    ASSERT_TRUE(screen.pressKey(second->id, "Escape", keyHold));
    EXPECT_EQ(demo.waitForExit(exitTimeout), std::optional<int>(0));
}

INSTANTIATE_TEST_SUITE_P(Architectures, WineDemoTest, ::testing::Values("vorn-win32", "vorn-win64"),
                         [](const auto& info) {
                             return std::string(info.param).substr(5);  // win32, win64
                         });

// The scene loader's "Chargement Termin\xE9": MessageBoxA gets the byte 0xE9 as it is, and
// Windows' ANSI code page makes it an e with an acute accent (U+00E9).
TEST_P(WineDemoTest, TheViewersBoxShowsTheWindows1252TextAsItIs) {
    std::vector<std::string> command = demoCommand;
    command.back() = demoFolder + "/vorn-view.exe";
    command.push_back("scene/example.vnt");
    demoCommand = command;
    ASSERT_TRUE(display.start(screenWidth, screenHeight, windowTimeout));
    ASSERT_TRUE(screen.connect(display.name(), display.environment(), windowTimeout));
    ASSERT_TRUE(demo.start(demoCommand, SpawnOptions{display.environment(wineEnvironment()),
                                                     demoFolder, artifactPath(".log"), {}}));
    ASSERT_TRUE(answerBox("Information", "Return"));
    EXPECT_TRUE(boxShowedText("Chargement Termin\\00e9"));
    const std::optional<WindowInfo> viewer = waitForWindow("vorn-view: example.vnt");
    ASSERT_TRUE(viewer);
    ASSERT_TRUE(screen.pressKey(viewer->id, "Escape", keyHold));
    EXPECT_EQ(demo.waitForExit(exitTimeout), std::optional<int>(0));
}
