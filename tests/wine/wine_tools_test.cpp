// vorn-check.exe and vorn-inspect.exe under Wine against vorn-check and vorn-inspect built
// here, on the same files from the same folder: the same exit code and the same bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "child_process.h"
#include "tests/view/picture_support.h"
#include "virtual_display.h"
#include "wine_prefix.h"

using namespace e2e;

namespace {

constexpr Milliseconds toolTimeout(60000);

struct ToolCase {
    const char* name;
    const char* tool;  // vorn-check or vorn-inspect
    std::vector<std::string> arguments;
};

const ToolCase toolCases[] = {
    {"CheckTheDemosScene", "vorn-check", {"scene/2cube.vno", "scene/example.vnt"}},
    {"CheckTheDemosSceneAsJson", "vorn-check", {"--json", "scene/2cube.vno"}},
    {"CheckMeshFilesOutsideTheFormat", "vorn-check",
     {"tests/fuzz/mesh_corpus/cut_in_face.vno", "tests/fuzz/mesh_corpus/crlf.vno",
      "tests/fuzz/mesh_corpus/no_texture_entry.vno", "tests/fuzz/mesh_corpus/full_tables.vno"}},
    {"CheckSceneDescriptionsOutsideTheFormat", "vorn-check",
     {"tests/fuzz/scene_corpus/open_texture_block.vnt", "tests/fuzz/scene_corpus/cut_in_light.vnt",
      "tests/fuzz/scene_corpus/odd_numbers.vnt", "tests/fuzz/scene_corpus/crlf.vnt",
      "tests/fuzz/scene_corpus/second_kind.vnt"}},
    {"CheckBrokenFilesAsJson", "vorn-check",
     {"--json", "tests/fuzz/scene_corpus/cut_in_light.vnt", "tests/fuzz/scene_files/room.vno"}},
    {"CheckAFileThatIsNotThere", "vorn-check", {"scene/no-such-file.vno"}},
    {"CheckWithoutArguments", "vorn-check", {}},
    {"InspectTheDemosMesh", "vorn-inspect", {"scene/2cube.vno"}},
    {"InspectAMeshWithoutItsImage", "vorn-inspect", {"tests/fuzz/scene_files/room.vno"}},
    {"InspectACutMesh", "vorn-inspect", {"tests/fuzz/mesh_corpus/cut_in_face.vno"}},
};

struct ToolRun {
    std::optional<int> exitCode;
    std::string output;  // stdout and stderr
};

class WineTools : public ::testing::TestWithParam<std::tuple<ToolCase, const char*>> {
protected:
    void SetUp() override { ASSERT_TRUE(display.start(640, 480, Milliseconds(10000))); }
    void TearDown() override { display.stop(); }

    ToolRun run(std::vector<std::string> command, const std::string& outputName) {
        const std::string outputPath = std::string(WINE_ARTIFACT_DIR) + "/" + outputName;
        for (const std::string& argument : std::get<0>(GetParam()).arguments)
            command.push_back(argument);
        ChildProcess child;
        const std::vector<std::string> environment = display.environment(
            {winePrefixSetting(), "WINEDEBUG=-all"});
        if (!child.start(command, SpawnOptions{environment, VORN_SOURCE_DIR, outputPath, {}}))
            return {};
        ToolRun result{child.waitForExit(toolTimeout), {}};
        std::ifstream file(outputPath, std::ios::binary);
        result.output.assign(std::istreambuf_iterator<char>(file), {});
        return result;
    }

    VirtualDisplay display;
};

std::string linuxTool(const std::string& tool) {
    return tool == "vorn-check" ? VORN_CHECK_PROGRAM : VORN_INSPECT_PROGRAM;
}

}  // namespace

TEST_P(WineTools, TheWindowsToolSaysWhatTheLinuxToolSays) {
    const auto& [toolCase, folder] = GetParam();
    std::filesystem::create_directories(WINE_ARTIFACT_DIR);
    const std::string name = std::string(toolCase.name) + "_" + folder;
    const ToolRun onLinux = run({linuxTool(toolCase.tool)}, name + ".linux.txt");
    const ToolRun onWindows = run({WINE_RUN, std::string(VORN_WINDOWS_PROGRAMS) + "/" + folder + "/" +
                                           toolCase.tool + ".exe"},
                            name + ".windows.txt");
    ASSERT_TRUE(onLinux.exitCode.has_value());
    EXPECT_EQ(onWindows.exitCode, onLinux.exitCode);
    EXPECT_FALSE(onLinux.output.empty());
    EXPECT_EQ(onWindows.output, onLinux.output);
}

INSTANTIATE_TEST_SUITE_P(Files, WineTools,
                         ::testing::Combine(::testing::ValuesIn(toolCases),
                                            ::testing::Values("vorn-win32", "vorn-win64")),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::string(std::get<1>(info.param)).substr(5);
                         });

// vorn-view.exe's offscreen picture of the example scene against vorn-view's: the same scene
// and overlay, drawn by the same Mesa; the glyphs come from GDI there and FreeType here, so the
// pictures are compared in 8 x 8 averages.
class WineViewer : public ::testing::TestWithParam<const char*> {};

TEST_P(WineViewer, DrawsThePictureTheLinuxViewerDraws) {
    VirtualDisplay display;
    ASSERT_TRUE(display.start(640, 480, Milliseconds(10000)));
    std::filesystem::create_directories(WINE_ARTIFACT_DIR);
    const std::string folder = GetParam();
    const std::string linuxPicture = std::string(WINE_ARTIFACT_DIR) + "/view." + folder + ".linux.png";
    const std::string windowsPicture = std::string(WINE_ARTIFACT_DIR) + "/view." + folder + ".windows.png";
    const std::vector<std::string> arguments = {"scene/example.vnt", "--frames", "3", "--screenshot"};
    const std::vector<std::string> environment =
        display.environment({winePrefixSetting(), "WINEDEBUG=-all"});
    std::vector<std::string> onLinux = {VORN_VIEW_PROGRAM};
    std::vector<std::string> onWindows = {WINE_RUN, std::string(VORN_WINDOWS_PROGRAMS) + "/" + folder +
                                                        "/vorn-view.exe"};
    onLinux.insert(onLinux.end(), arguments.begin(), arguments.end());
    onWindows.insert(onWindows.end(), arguments.begin(), arguments.end());
    onLinux.push_back(linuxPicture);
    onWindows.push_back(windowsPicture);
    for (const auto& command : {onLinux, onWindows}) {
        ChildProcess viewer;
        ASSERT_TRUE(viewer.start(command, SpawnOptions{environment, VORN_SOURCE_DIR, "", {}}));
        EXPECT_EQ(viewer.waitForExit(toolTimeout), std::optional<int>(0)) << command[0];
    }
    const viewtest::Picture expected = viewtest::readPng(linuxPicture);
    const viewtest::Picture drawn = viewtest::readPng(windowsPicture);
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(drawn.width, expected.width);
    ASSERT_EQ(drawn.height, expected.height);
    const viewtest::Picture small = viewtest::reduced(drawn, 8);
    const viewtest::Picture smallExpected = viewtest::reduced(expected, 8);
    EXPECT_LT(viewtest::differingPixels(small, smallExpected, 48), small.width * small.height / 50);
    // The overlay's caption colour, drawn on both.
    const viewtest::Rgb caption{102, 204, 230};
    EXPECT_GT(viewtest::countNear(drawn, caption, 30), viewtest::countNear(expected, caption, 30) / 2);
}

INSTANTIATE_TEST_SUITE_P(Architectures, WineViewer, ::testing::Values("vorn-win32", "vorn-win64"),
                         [](const auto& info) { return std::string(info.param).substr(5); });
