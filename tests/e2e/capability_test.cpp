// The start-up's capability check on drivers that lack extensions: Mesa hides them when told
// through MESA_EXTENSION_OVERRIDE. Each lack gives one "Erreur" box, none is fatal, and without
// DOT3 combining both effects start off.
//
// Mesa cannot hide some extensions on their own: those it always offers share one switch, so
// hiding GL_ARB_multitexture hides GL_EXT_texture_env_combine too (Mesa 22 warns that it "cannot
// be disabled", and hides both). What to expect is therefore worked out from the extension
// string that a probe gets under the same override, by the program's rules.
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <thread>

#include "demo_fixture.h"

using namespace e2e;

namespace {

struct Driver {
    const char* name;
    std::vector<std::string> hidden;
};

const Driver drivers[] = {
    {"WithEverything", {}},
    {"WithoutDot3", {"GL_EXT_texture_env_dot3"}},
    {"WithoutCombine", {"GL_EXT_texture_env_combine"}},
    {"WithoutMultitexture", {"GL_ARB_multitexture"}},
    {"WithoutMultitextureAndDot3", {"GL_ARB_multitexture", "GL_EXT_texture_env_dot3"}},
};

std::string overrideOf(const Driver& driver) {
    std::string text = "MESA_EXTENSION_OVERRIDE=";
    for (const std::string& name : driver.hidden) text += (text.back() == '=' ? "-" : " -") + name;
    return text;
}

// Test listings name the case, not its bytes.
void PrintTo(const Driver& value, std::ostream* out) { *out << value.name; }

class CapabilityTest : public DemoTest, public ::testing::WithParamInterface<Driver> {
protected:
    // The extensions a program gets on this display with the driver's override.
    std::optional<std::set<std::string>> probeExtensions() {
        const std::string report = std::string(E2E_ARTIFACT_DIR) + "/extensions-" + GetParam().name;
        if (!runTool({GL_EXTENSION_PROBE, report}, display.environment({overrideOf(GetParam())}),
                     Milliseconds(10000)))
            return std::nullopt;
        std::ifstream in(report);
        return std::set<std::string>(std::istream_iterator<std::string>(in),
                                     std::istream_iterator<std::string>());
    }

    // Answers every "Erreur" box that comes before the first frame; the width of each.
    std::vector<int> answerErrorBoxes() {
        std::vector<int> widths;
        for (;;) {
            std::optional<WindowInfo> box;
            waitUntil(
                [&] {
                    for (const WindowInfo& window : screen.windowsTitled(capabilityTitle))
                        if (window.viewable) box = window;
                    return box || !demo.running() || captionShown();
                },
                windowTimeout);
            // The boxes are modal: no frame is drawn while one is up, so none comes after.
            if (!box || widths.size() > 3 || !answerBox(capabilityTitle, "Return")) return widths;
            widths.push_back(box->width);
        }
    }
};

}  // namespace

TEST_P(CapabilityTest, TellsWhatIsMissingAndRunsOn) {
    const Driver& driver = GetParam();
    ASSERT_TRUE(launch(1024, 768, {overrideOf(driver)}));
    const std::optional<std::set<std::string>> offered = probeExtensions();
    ASSERT_TRUE(offered) << "the extension probe failed";
    for (const std::string& name : driver.hidden)
        ASSERT_FALSE(offered->count(name)) << "Mesa did not hide " << name;
    const bool multitexture = offered->count("GL_ARB_multitexture") != 0;
    const bool dot3 = offered->count("GL_EXT_texture_env_combine") != 0 &&
                      offered->count("GL_EXT_texture_env_dot3") != 0;

    ASSERT_TRUE(answerBox(startTitle, "Escape"));
    const std::vector<int> boxWidths = answerErrorBoxes();
    EXPECT_EQ(boxWidths.size(), std::size_t((multitexture ? 0 : 1) + (dot3 ? 0 : 1)));
    // The multitexturing message comes first; its text is the longer, so its box the wider.
    if (boxWidths.size() == 2) {
        EXPECT_GT(boxWidths[0], boxWidths[1]);
    }
    ASSERT_TRUE(waitForFrames(firstWindowTitle));
    const Answer both = dot3 ? Answer::Yes : Answer::No;
    EXPECT_EQ(readAnswer(detailBaseline), both);
    EXPECT_EQ(readAnswer(bumpBaseline), both);

    // It runs on, drawing the cubes with what the driver has.
    std::this_thread::sleep_for(Milliseconds(1000));
    EXPECT_TRUE(demo.running());
    EXPECT_TRUE(screen.windowsTitled(capabilityTitle).empty());
    EXPECT_GT(litPixels(screen.grab(sceneArea)), 20000) << "no cubes drawn";
}

INSTANTIATE_TEST_SUITE_P(Drivers, CapabilityTest, ::testing::ValuesIn(drivers),
                         [](const auto& info) { return std::string(info.param.name); });
