// vorn-import on a damaged model that sends Assimp into a loop: refused in seconds with the
// default deadline, a slow read counted out on a terminal, and no child left running when the
// tool itself is killed with SIGKILL.
#include "import_fixture.h"

#include "tests/support/process_tree.h"

#include <gmock/gmock.h>

#include <chrono>
#include <fstream>
#include <iterator>

using namespace importtest;
using namespace std::chrono_literals;
using ::testing::HasSubstr;

namespace {

// A PLY of one face whose "end_header" has one letter changed: Assimp reads on for ever. Kept
// in the fuzz corpus, its first byte being the corpus's choice of format.
std::string loopingPly() {
    std::ifstream kept(VORN_SOURCE_DIR "/tests/fuzz/import_crashes/timeout-9d702fa464475952b12340d163f307503e35bf7c",
                       std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(kept), std::istreambuf_iterator<char>()};
    return bytes.empty() ? bytes : bytes.substr(1);
}

}  // namespace

TEST(ImportDeadline, ADamagedModelOfAFewBytesThatLoopsAssimpIsRefusedInSeconds) {
    ImportFolder folder;
    const std::string ply = loopingPly();
    ASSERT_THAT(ply, HasSubstr("end_heater"));
    folder.write("loop.ply", ply);
    const auto start = std::chrono::steady_clock::now();
    const ToolRun run = runImport(folder.path(), "loop.ply -o out");
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "vorn-import: Assimp did not finish reading loop.ply in 10 seconds\n");
    EXPECT_LT(took, 20s);
    EXPECT_EQ(folder.contents(), (std::set<std::string>{"loop.ply"}));
}

TEST(ImportDeadline, KilledWhileAssimpLoopsTheToolLeavesNoChildRunning) {
    ImportFolder folder;
    folder.write("loop.ply", loopingPly());
    const pid_t tool = testsupport::startProgram({VORN_IMPORT, "loop.ply", "-o", "out"}, folder.path().string());
    ASSERT_GT(tool, 0);
    // The image decoding process, and the child that runs Assimp.
    const std::vector<pid_t> children = testsupport::waitForDescendants(tool, 2, 10s);
    ASSERT_EQ(children.size(), 2u);
    testsupport::killAndReap(tool);
    EXPECT_TRUE(testsupport::stillRunningAfter(children, 1s).empty());
}

TEST(ImportDeadline, ASlowReadIsCountedOutOnATerminalOnly) {
    ImportFolder folder;
    folder.write("tri.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    const std::string command = std::string("VORN_IMPORT_TEST_FAULT=hang '") + VORN_IMPORT + "' tri.obj --time-limit 4";
    // script gives the tool a terminal for its standard streams.
    const ToolRun onTerminal = runIn(folder.path(), "script -qec " + testsupport::quoted(command) + " /dev/null");
    EXPECT_THAT(onTerminal.out, HasSubstr("\rreading tri.obj: 2 s"));
    EXPECT_THAT(onTerminal.out, HasSubstr("\rreading tri.obj: 3 s"));
    EXPECT_THAT(onTerminal.out, HasSubstr("\r\x1b[Kvorn-import: Assimp did not finish reading tri.obj in 4 seconds"));
    const ToolRun redirected = runIn(folder.path(), command);
    EXPECT_EQ(redirected.err, "vorn-import: Assimp did not finish reading tri.obj in 4 seconds\n");
}
