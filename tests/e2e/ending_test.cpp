// The two ways out of the running program, Escape and the window's close button: both end it
// at once with exit code 0.
#include "demo_fixture.h"

using namespace e2e;

namespace {

struct Ending {
    const char* name;
    // Asks the program to end; the key, if one is held, is let go after the exit.
    std::function<bool(X11Session&, WindowId)> ask;
    const char* heldKey;
};

const Ending endings[] = {
    {"Escape", [](X11Session& screen, WindowId window) { return screen.keyDown(window, "Escape"); },
     "Escape"},
    {"CloseButton", [](X11Session& screen, WindowId window) { return screen.requestClose(window); },
     nullptr},
};

// Test listings name the case, not its bytes.
void PrintTo(const Ending& value, std::ostream* out) { *out << value.name; }

class EndingTest : public DemoTest, public ::testing::WithParamInterface<Ending> {};

}  // namespace

TEST_P(EndingTest, EndsWithExitCodeZero) {
    const Ending& ending = GetParam();
    const std::optional<WindowInfo> window = launchWindowed();
    ASSERT_TRUE(window);
    ASSERT_TRUE(ending.ask(screen, window->id));
    const std::optional<int> exitCode = demo.waitForExit(exitTimeout);
    if (ending.heldKey != nullptr) screen.keyUp(ending.heldKey);
    EXPECT_EQ(exitCode, std::optional<int>(0));
    EXPECT_TRUE(screen.windowsTitled(firstWindowTitle).empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingTest, ::testing::ValuesIn(endings),
                         [](const auto& info) { return std::string(info.param.name); });
