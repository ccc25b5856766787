// vorn-view run as authors and scripts run it: exit codes and messages, pictures that come out
// the same byte for byte, and the committed reference pictures, compared with a tolerance.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/view/picture_support.h"

using namespace viewtest;
using testsupport::contentOf;
using testsupport::ToolRun;
namespace fs = std::filesystem;

namespace {

bool displayPresent() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && display[0] != '\0';
}

struct ExitCase {
    const char* label;
    std::vector<std::string> arguments;  // "OUT" stands for a picture in a scratch directory
    int exitCode;
    const char* said;  // a piece of the standard error ("" for none expected)
    bool pictureWritten;
};

class ViewerExitCodes : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ViewerExitCodes, TellWhatHappened) {
    ScratchDirectory scratch;
    const std::string out = scratch.path("out.png").string();
    std::vector<std::string> arguments = GetParam().arguments;
    for (std::string& argument : arguments)
        if (argument == "OUT") argument = out;
    const ToolRun run = runViewer(arguments);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.err;
    EXPECT_NE(run.err.find(GetParam().said), std::string::npos) << run.err;
    EXPECT_EQ(fs::exists(out), GetParam().pictureWritten);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ViewerExitCodes,
    ::testing::Values(
        ExitCase{"Picture", {"scene/example.vnt", "--frames", "2", "--screenshot", "OUT"}, 0,
                 "messagebox: Information: Chargement Termin\xC3\xA9\n", true},
        ExitCase{"MeshFilePicture", {"scene/2cube.vno", "--frames", "1", "--screenshot", "OUT"},
                 0, "", true},
        ExitCase{"MissingFile", {"scene/none.vnt", "--frames", "1", "--screenshot", "OUT"}, 1,
                 "messagebox: Erreur: Impossible d'ouvrir le fichier scene/none.vnt\n", false},
        ExitCase{"NotASceneFile",
                 {"scene/stone_bricks.png", "--frames", "1", "--screenshot", "OUT"}, 1, "scene/stone_bricks.png was refused", false},
        ExitCase{"NoSuchCamera",
                 {"scene/example.vnt", "--camera", "1", "--frames", "1", "--screenshot", "OUT"}, 2,
                 "has no camera 1 (it has 1)", false},
        ExitCase{"PictureCannotBeWritten",
                 {"scene/example.vnt", "--frames", "1", "--screenshot", "/nonexistent/dir/o.png"},
                 1, "could not write /nonexistent/dir/o.png", false},
        ExitCase{"UnknownOption", {"scene/example.vnt", "--spin"}, 2,
                 "vorn-view: error: unknown option --spin\nusage: vorn-view PATH", false},
        ExitCase{"NoArguments", {}, 2, "no file to view", false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ViewerProgram, HelpGoesToStandardOutput) {
    const ToolRun run = runViewer({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("usage: vorn-view PATH", 0), 0u);
    EXPECT_TRUE(run.err.empty());
}

class ViewerPictureRuns : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (GetParam() && !displayPresent()) GTEST_SKIP() << "no display";
    }
};

TEST_P(ViewerPictureRuns, TheSameCommandWritesTheSameBytesAtTheAskedSize) {
    ScratchDirectory scratch;
    const std::vector<std::string> picture = {"scene/example.vnt", "--size", "400x300",
                                              "--frames", "3", "--screenshot"};
    for (const char* name : {"first.png", "second.png"}) {
        std::vector<std::string> arguments = picture;
        arguments.push_back(scratch.path(name).string());
        ASSERT_EQ(runViewer(arguments, GetParam()).exitCode, 0);
    }
    const std::string first = contentOf(scratch.path("first.png"));
    EXPECT_FALSE(first.empty());
    EXPECT_TRUE(first == contentOf(scratch.path("second.png")));
    const Picture read = readPng(scratch.path("first.png"));
    EXPECT_EQ(read.width, 400);
    EXPECT_EQ(read.height, 300);
}

INSTANTIATE_TEST_SUITE_P(Display, ViewerPictureRuns, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "OnADisplay" : "WithoutOne"; });

TEST(ViewerProgram, APictureIsTheSameWithAndWithoutADisplay) {
    if (!displayPresent()) GTEST_SKIP() << "no display";
    ScratchDirectory scratch;
    for (bool onDisplay : {false, true}) {
        const std::string out = scratch.path(onDisplay ? "on.png" : "off.png").string();
        ASSERT_EQ(runViewer({"scene/example.vnt", "--frames", "3", "--screenshot", out}, onDisplay)
                      .exitCode,
                  0);
    }
    EXPECT_TRUE(contentOf(scratch.path("on.png")) == contentOf(scratch.path("off.png")));
}

struct ReferenceCase {
    const char* name;  // reference/NAME.png
    std::vector<std::string> arguments;
};

class ViewerReferencePictures : public ::testing::TestWithParam<ReferenceCase> {};

// The references are the pictures of the program's own size, reduced four times each way.
// Another Mesa or another font may move a few pixels; a changed view or scene moves thousands.
TEST_P(ViewerReferencePictures, MatchWithinTheTolerance) {
    const std::string name = std::string(GetParam().name) + ".png";
    const fs::path reference = fs::path(VIEW_REFERENCE_DIR) / name;
    const fs::path artifacts = VIEW_ARTIFACT_DIR;
    fs::create_directories(artifacts);
    std::vector<std::string> arguments = GetParam().arguments;
    for (const char* option : {"--frames", "3", "--screenshot"}) arguments.push_back(option);
    arguments.push_back((artifacts / ("full-" + name)).string());
    ASSERT_EQ(runViewer(arguments).exitCode, 0);

    const Picture drawn = reduced(readPng(artifacts / ("full-" + name)), 4);
    ASSERT_TRUE(writePng(drawn, artifacts / name));
    const Picture expected = readPng(reference);
    ASSERT_FALSE(expected.empty()) << "no reference picture " << reference;
    ASSERT_EQ(drawn.width, expected.width);
    ASSERT_EQ(drawn.height, expected.height);
    const int allowed = drawn.width * drawn.height / 100;
    EXPECT_LE(differingPixels(drawn, expected, 24), allowed)
        << "compare " << (artifacts / name) << " with " << reference
        << "; docs/view-reference-pictures.md says how to renew the references";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ViewerReferencePictures,
    ::testing::Values(ReferenceCase{"example-camera", {"scene/example.vnt"}},
                      ReferenceCase{"two-cubes-orbit", {"scene/2cube.vno"}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (c == '-') c = '_';
        return name;
    });

}  // namespace
