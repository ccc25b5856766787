// The demo killed with SIGKILL leaves no child running: neither its decoding process, nor the
// child that decodes an image ahead stuck in its decoder, nor the child that SDL2 shows the
// start question from outlives it by a second.
#include <signal.h>

#include "demo_fixture.h"
#include "tests/support/process_tree.h"

using namespace e2e;
using namespace std::chrono_literals;

TEST_F(DemoTest, KilledWhileAnImageDecodesTheDemoLeavesNoChildRunning) {
    // The images are decoded ahead while the start question waits for its answer.
    ASSERT_TRUE(launch(1024, 768, {"VORN_IMAGE_TEST_FAULT=hang"}));
    // SDL2 shows the question from a child of its own where it forks for message boxes.
    const std::vector<pid_t> children = testsupport::waitForDescendants(demo.pid(), 3, 10s);
    ASSERT_GE(children.size(), 2u) << "the decoding process and the decoder's child";
    kill(demo.pid(), SIGKILL);
    EXPECT_EQ(demo.waitForExit(exitTimeout), std::optional<int>(128 + SIGKILL));
    EXPECT_TRUE(testsupport::stillRunningAfter(children, 1s).empty());
}
