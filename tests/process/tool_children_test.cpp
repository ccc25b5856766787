// The programs' children do not outlive them: vorn-check killed with SIGKILL while an image's
// decoder hangs leaves neither its decoding process nor the decoder's child running.
#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/process_tree.h"

namespace {

using namespace std::chrono_literals;

TEST(ToolChildrenTest, ACheckKilledWhileAnImageDecodesLeavesNoChildRunning) {
    // The decoding process, and its child for the first image, stuck in its decoder.
    const pid_t tool = testsupport::startProgram(
        {VORN_CHECK, "scene/2cube.vno"}, VORN_SOURCE_DIR, {{"VORN_IMAGE_TEST_FAULT", "hang"}});
    ASSERT_GT(tool, 0);
    const std::vector<pid_t> children = testsupport::waitForDescendants(tool, 2, 10s);
    ASSERT_EQ(children.size(), 2u) << "the decoding process and the decoder's child";
    testsupport::killAndReap(tool);
    EXPECT_TRUE(testsupport::stillRunningAfter(children, 1s).empty());
}

}  // namespace
