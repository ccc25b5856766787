// The installed demo started as users start it, from a folder without a scene: by its path,
// by its name through PATH as the desktop's menu runs it, and through a link elsewhere. It
// must find its scene and images (no "Erreur" box) and draw the cubes.
#include <unistd.h>

#include <thread>

#include "demo_fixture.h"
#include "installed_paths.h"
#include "tests/support/tool_run.h"

using namespace e2e;
using namespace installtest;

namespace {

enum class Start { byPath, byNameThroughPath, throughALink };

struct StartCase {
    const char* name;
    Start start;
};

const StartCase startCases[] = {
    {"ByItsPath", Start::byPath},
    {"ByItsNameAsTheMenuDoes", Start::byNameThroughPath},
    {"ThroughALinkInAnotherFolder", Start::throughALink},
};

void PrintTo(const StartCase& value, std::ostream* out) { *out << value.name; }

class InstalledDemoTest : public DemoTest, public ::testing::WithParamInterface<StartCase> {
protected:
    testsupport::TestFolder elsewhere{"install-demo"};
};

TEST_P(InstalledDemoTest, FindsItsSceneFromAFolderWithoutOne) {
    const std::string launcher = (binFolder / "vorn-demo").string();
    std::vector<std::string> environment;
    switch (GetParam().start) {
    case Start::byPath:
        demoCommand = {launcher};
        break;
    case Start::byNameThroughPath:
        demoCommand = {"/bin/sh", "-c", "exec vorn-demo"};
        environment.push_back("PATH=" + binFolder.string() + ":/usr/bin:/bin");
        break;
    case Start::throughALink: {
        const auto link = elsewhere.path() / "links" / "vorn-demo";
        std::filesystem::create_directories(link.parent_path());
        std::filesystem::create_symlink(launcher, link);
        demoCommand = {link.string()};
        break;
    }
    }
    demoFolder = elsewhere.path().string();
    ASSERT_FALSE(std::filesystem::exists(elsewhere.path() / "scene"));

    ASSERT_TRUE(launch(1024, 768, environment));
    ASSERT_TRUE(answerBox(startTitle, "Escape"));
    ASSERT_TRUE(waitForFrames(firstWindowTitle)) << "no frames; a box up?";
    std::this_thread::sleep_for(Milliseconds(500));
    EXPECT_TRUE(screen.windowsTitled(capabilityTitle).empty()) << "an \"Erreur\" box is up";
    EXPECT_GT(litPixels(screen.grab(sceneArea)), 20000) << "no cubes drawn";
    EXPECT_TRUE(demo.running());
}

INSTANTIATE_TEST_SUITE_P(Starts, InstalledDemoTest, ::testing::ValuesIn(startCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The same test sees it when the data is not found: the demo built here, started where
// there is no scene, stops at the loader's box.
TEST_F(DemoTest, TheBuiltDemoInAFolderWithoutASceneSaysSo) {
    testsupport::TestFolder empty("install-demo");
    demoFolder = empty.path().string();
    ASSERT_TRUE(launch(1024, 768));
    ASSERT_TRUE(answerBox(startTitle, "Escape"));
    EXPECT_TRUE(waitForWindow(capabilityTitle)) << "no \"Erreur\" box";
}

}  // namespace
