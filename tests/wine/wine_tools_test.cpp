// vorn-check.exe and vorn-inspect.exe under Wine against vorn-check and vorn-inspect built
// here, on the same files from the same folder: the same exit code and the same text, line for
// line (Windows writes its text streams with CR LF line ends).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "child_process.h"
#include "virtual_display.h"

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
    std::string output;  // stdout and stderr, CR LF line ends made LF
};

std::string withoutCarriageReturns(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

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
            {"WINEPREFIX=" WINE_PREFIX, "WINEDEBUG=-all"});
        if (!child.start(command, SpawnOptions{environment, VORN_SOURCE_DIR, outputPath, {}}))
            return {};
        ToolRun result{child.waitForExit(toolTimeout), {}};
        std::ifstream file(outputPath, std::ios::binary);
        result.output = withoutCarriageReturns({std::istreambuf_iterator<char>(file), {}});
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
