// Drawing follows the window's minimised state alone: an unmapped window draws nothing, whatever
// focus events come after, and a fullscreen window that loses the focus stays up and drawing.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "demo_fixture.h"

using namespace e2e;

namespace {

class MinimiseTest : public DemoTest {
protected:
    // The program with the frame counter preloaded.
    std::vector<std::string> countingEnvironment() {
        countPath = (std::filesystem::temp_directory_path() /
                     ("vorn-swaps-" + std::to_string(getpid()) + ".txt"))
                        .string();
        return {"LD_PRELOAD=" SWAP_COUNTER_LIBRARY, "VORN_SWAP_COUNT_FILE=" + countPath};
    }

    long long swaps() const {
        std::ifstream in(countPath);
        long long count = -1;
        in >> count;
        return count;
    }

    // Frames presented over the time given.
    long long swapsDuring(Milliseconds time) const {
        const long long before = swaps();
        std::this_thread::sleep_for(time);
        return swaps() - before;
    }

    void TearDown() override {
        DemoTest::TearDown();
        if (!countPath.empty()) unlink(countPath.c_str());
    }

    std::string countPath;
};

}  // namespace

TEST_F(MinimiseTest, AnUnmappedWindowDrawsNothingUntilItIsMappedAgain) {
    const std::optional<WindowInfo> window = launchWindowed(countingEnvironment());
    ASSERT_TRUE(window);
    // The keyboard focus on the window, as after a key press: unmapping takes it away again,
    // and that focus loss arrives after the minimise.
    ASSERT_TRUE(screen.pressKey(window->id, "shift", Milliseconds(50)));
    ASSERT_GT(swapsDuring(Milliseconds(500)), 0);  // and SDL has counted the focus

    ASSERT_TRUE(screen.unmap(window->id));
    std::this_thread::sleep_for(Milliseconds(500));  // the program takes in the events
    EXPECT_EQ(swapsDuring(Milliseconds(1000)), 0);
    EXPECT_TRUE(demo.running());

    ASSERT_TRUE(screen.map(window->id));
    EXPECT_TRUE(waitUntil([&] { return swapsDuring(Milliseconds(200)) > 0; }, windowTimeout));
}

TEST_F(MinimiseTest, FullscreenKeepsDrawingWithoutTheFocus) {
    ASSERT_TRUE(launch(1024, 768, countingEnvironment()));
    ASSERT_TRUE(answerBox(startTitle, "Return"));
    const std::optional<WindowInfo> window = waitForFrames(firstWindowTitle);
    ASSERT_TRUE(window);
    ASSERT_TRUE(screen.pressKey(window->id, "shift", Milliseconds(50)));
    // SDL holds a focus change back for a moment: one taken away at once never counted.
    std::this_thread::sleep_for(Milliseconds(500));

    screen.watchMinimiseRequests();
    ASSERT_TRUE(screen.takeFocus());
    std::this_thread::sleep_for(Milliseconds(500));
    EXPECT_FALSE(screen.minimiseRequested());
    EXPECT_GT(swapsDuring(Milliseconds(500)), 0);
    EXPECT_TRUE(screen.cursorHiddenAt(512, 384)) << "the fullscreen window went away";
}
