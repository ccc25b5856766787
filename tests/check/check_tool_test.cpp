// vorn-check run as scene authors run it: what goes to standard output and standard error,
// the exit codes, JSON, and images read through the engine's image library.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/tool_run.h"

namespace fs = std::filesystem;
using testsupport::ToolRun;

namespace {

class CheckTool : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text) {
        return folder.write(name, text);
    }

    // Runs the tool in the repository root, where scene/ is.
    ToolRun check(const std::string& arguments) {
        using testsupport::quoted;
        return testsupport::runCaptured(
            "cd " + quoted(VORN_SOURCE_DIR) + " && " + quoted(VORN_CHECK) + " " + arguments,
            directory);
    }

    const testsupport::TestFolder folder{"vorn-check-tool"};
    const fs::path& directory = folder.path();
};

// A mesh file with one face, whose texture is `image`, and whose line 9 is `scrollU`.
std::string meshFile(const std::string& image, const std::string& scrollU = "0.0") {
    return "FICHIER_VNO\nTEXTURE\n" + image + "\nREPEAT\nFIN_TEXTURE\n"
           "m\nb\n0\n" + scrollU + "\n0\n0\nd\n-1\n0\n0\n0\nb\n-1\n0\ne\nFIN_ALL_MATERIAUX\n"
           "mesh\nname\n0, 0, 0\n0, 0, 0\n1, 1, 1\n"
           "face\n0\n0, 1, 0\n"
           "c\n0, 0, 0\n0, 0\n0, 0\n0, 0\n1, 1, 1\ne\n"
           "c\n1, 0, 0\n1, 0\n1, 0\n1, 0\n1, 1, 1\ne\n"
           "c\n0, 0, 1\n0, 1\n0, 1\n0, 1\n1, 1, 1\ne\n"
           "end\nFIN_MESH\n";
}

}  // namespace

TEST_F(CheckTool, TheDemoSceneChecksClean) {
    const ToolRun run = check("scene/2cube.vno scene/example.vnt");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "0 errors, 0 warnings\n");
}

TEST_F(CheckTool, AnErrorExitsWithOne) {
    const std::string path = write("word.vno", meshFile("scene/detail_dots.bmp", "corner"));
    const ToolRun run = check("'" + path + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, path + ":9:1: error: the base scroll u of material 0 expects a number, "
                              "found 'corner'; the engine reads 0 [number-expected]\n");
    EXPECT_EQ(run.err, "1 error, 0 warnings\n");
}

TEST_F(CheckTool, WarningsAloneExitWithZero) {
    const std::string path = write("px.vno", meshFile("scene/detail_dots.bmp", "0.5px"));
    const ToolRun run = check("'" + path + "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, path + ":9:4: warning: the engine reads the base scroll u of material 0 "
                              "as '0.5' and ignores 'px' [text-after-number]\n");
    EXPECT_EQ(run.err, "0 errors, 1 warning\n");
}

TEST_F(CheckTool, JsonIsOneArray) {
    const std::string path = write("px.vno", meshFile("scene/detail_dots.bmp", "0.5px"));
    const ToolRun run = check("--json '" + path + "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "[{\"file\":\"" + path + "\",\"line\":9,\"column\":4,"
                       "\"severity\":\"warning\",\"code\":\"text-after-number\",\"message\":"
                       "\"the engine reads the base scroll u of material 0 as '0.5' and ignores "
                       "'px'\"}]\n");
    EXPECT_EQ(check("--json scene/2cube.vno").out, "[]\n");
}

// Images go through the engine's image decoding, as textures are read: a missing file and a
// file that is no image are both errors, at the line that names them.
TEST_F(CheckTool, ImagesAreReadThroughTheEngineImageLibrary) {
    const std::string garbage = write("garbage.png", "not an image at all");
    const std::string broken = write("broken.vno", meshFile(garbage));
    const std::string missing = write("missing.vno", meshFile((directory / "none.png").string()));
    const ToolRun run = check("'" + broken + "' '" + missing + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out,
              broken + ":3:1: error: the image '" + garbage +
                  "' cannot be read by the engine's image code; the engine draws without it "
                  "[image-unreadable]\n" +
                  missing + ":3:1: error: the image '" + (directory / "none.png").string() +
                  "' does not exist; the engine draws without it [image-missing]\n");
    EXPECT_EQ(run.err, "2 errors, 0 warnings\n");
}

TEST_F(CheckTool, UsageAndFilesThatCannotBeOpenedExitWithTwo) {
    const ToolRun help = check("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: vorn-check [--json] PATH...\n", 0), 0u);
    EXPECT_EQ(help.err, "");

    const ToolRun none = check("");
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err.rfind("vorn-check: no file to check\nusage: vorn-check", 0), 0u);

    const ToolRun unknown = check("--strict scene/2cube.vno");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err.rfind("vorn-check: unknown option '--strict'\n", 0), 0u);

    // The files that open are checked all the same.
    const std::string word = write("word.vno", meshFile("scene/detail_dots.bmp", "corner"));
    const ToolRun missing = check("scene/none.vno '" + word + "' scene");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.out.find("[number-expected]"), std::string::npos);
    EXPECT_EQ(missing.err,
              "vorn-check: cannot open 'scene/none.vno': No such file or directory\n"
              "vorn-check: cannot open 'scene': it is a directory\n"
              "1 error, 0 warnings\n");
}

TEST_F(CheckTool, ADoubleDashEndsTheOptions) {
    const ToolRun run = check("-- --json");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind("vorn-check: cannot open '--json': No such file or directory\n", 0), 0u);
}
