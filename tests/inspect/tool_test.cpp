// vorn-inspect run as scene authors run it: exit codes, the message box lines on standard
// error, and the JSON on standard output, with a display and without one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/tool_run.h"

namespace fs = std::filesystem;
using testsupport::quoted;
using testsupport::runCaptured;
using testsupport::TestFolder;
using testsupport::ToolRun;

namespace {

// A Windows-1252 name as the message box lines show it: é (0xE9) in UTF-8.
std::string shownAsUtf8(const std::string& name) {
    std::string shown;
    for (char c : name) shown += c == '\xE9' ? std::string("\xC3\xA9") : std::string(1, c);
    return shown;
}

class InspectTool : public ::testing::TestWithParam<bool> {
protected:
    fs::path write(const std::string& name, const std::string& text) {
        return folder.write(name, text);
    }

    // Runs the tool in the repository root (where scene/ is), without a display when asked.
    ToolRun inspect(const std::string& arguments) {
        return runCaptured(std::string("cd ") + quoted(VORN_SOURCE_DIR) + " && " +
                               (GetParam() ? "" : "env -u DISPLAY ") + quoted(VORN_INSPECT) +
                               " " + arguments,
                           folder.path());
    }

    const TestFolder folder{"vorn-inspect"};
    const fs::path& directory = folder.path();
};

const char* kOneFace =
    "FICHIER_VNO\nTEXTURE\nscene/detail_dots.bmp\nREPEAT\nFIN_TEXTURE\n"
    "m\nb\n0\n0.0\n0.01\n0\nd\n-1\n0\n0\n0\nb\n-1\n2.5\ne\nFIN_ALL_MATERIAUX\n"
    "mesh\nfl\xE9ur\n0.0, -1.0, 0.0\n0.0, 45.0, 0.0\n2.0, 1.0, 2.0\n"
    "face\n0\n0.0, 1.0, 0.0\n"
    "c\n-1.0, 0.0, -1.0\n0.0, 0.0\n0.0, 0.0\n0.0, 0.0\n1.0, 1.0, 1.0\ne\n"
    "c\n1.0, 0.0, -1.0\n1.0, 0.0\n4.0, 0.0\n1.0, 0.0\n1.0, 1.0, 1.0\ne\n"
    "c\n0.0, 0.0, 1.0\n0.5, 1.0\n2.0, 4.0\n0.5, 1.0\n0.1, 0.2, 0.3\ne\n"
    "end\nFIN_MESH\n";

}  // namespace

TEST_P(InspectTool, PrintsTheDemoScene) {
    const ToolRun run = inspect("scene/2cube.vno");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("{\"load\":0,\"textures\":[{\"id\":0,", 0), 0u) << run.out.substr(0, 80);
    EXPECT_NE(run.out.find("\"materials\":[{\"id\":0,"), std::string::npos);
    EXPECT_NE(run.out.find("\"meshes\":[{\"id\":0,"), std::string::npos);
    EXPECT_EQ(run.out.back(), '\n');
}

TEST_P(InspectTool, PrintsEveryListExactly) {
    const fs::path file = write("one.vno", kOneFace);
    const ToolRun run = inspect("'" + file.string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"load\":0,"
              "\"textures\":[{\"id\":0,\"fileName\":\"scene/detail_dots.bmp\",\"width\":128,"
              "\"height\":128,\"filterMode\":2,\"wrapMode\":0}],"
              "\"materials\":[{\"id\":0,\"baseTexture\":0,\"baseScrollU\":0,"
              "\"baseScrollV\":0.00999999978,\"baseSphereMap\":false,\"detailTexture\":-1,"
              "\"detailScrollU\":0,\"detailScrollV\":0,\"detailSphereMap\":false,"
              "\"bumpTexture\":-1,\"bumpParameter\":2.5}],"
              "\"meshes\":[{\"id\":0,\"name\":\"fl\\u00E9ur\",\"position\":[0,-1,0],"
              "\"rotation\":[0,45,0],\"scale\":[2,1,2],\"materialIds\":[0],"
              "\"faces\":[{\"materialId\":0,\"normal\":[0,1,0],\"vertices\":["
              "{\"position\":[-1,0,-1],\"base\":[0,0],\"detail\":[0,0],\"bump\":[0,0],"
              "\"color\":[1,1,1]},"
              "{\"position\":[1,0,-1],\"base\":[1,0],\"detail\":[4,0],\"bump\":[1,0],"
              "\"color\":[1,1,1]},"
              "{\"position\":[0,0,1],\"base\":[0.5,1],\"detail\":[2,4],\"bump\":[0.5,1],"
              "\"color\":[0.100000001,0.200000003,0.300000012]}]}]}]}\n");
}

struct RefusedCase {
    const char* name;
    const char* content;  // nullptr: the file does not exist
    const char* message;  // the box, as printed; the path follows where it ends in a blank
};

TEST_P(InspectTool, RefusedFilesExitWithOneAndSayWhy) {
    const RefusedCase cases[] = {
        {"missing.vno", nullptr, "messagebox: Erreur: Impossible d'ouvrir le fichier "},
        {"magic.vno", "FICHIER_VNO \nTEXTURE\n", "messagebox: Erreur: Format de fichier inconnu"},
        {"empty.vno", "", "messagebox: Erreur: Format de fichier inconnu"},
    };
    for (const RefusedCase& c : cases) {
        const fs::path file = c.content ? write(c.name, c.content) : directory / c.name;
        const ToolRun run = inspect("'" + file.string() + "'");
        EXPECT_EQ(run.exitCode, 1) << c.name;
        std::string expected = c.message;
        if (expected.back() == ' ') expected += file.string();
        EXPECT_EQ(run.err, expected + "\n") << c.name;
        EXPECT_EQ(run.out, "{\"load\":-1,\"textures\":[],\"materials\":[],\"meshes\":[]}\n");
    }
}

TEST_P(InspectTool, UnreadableImageIsReportedAndTheFileStillLoads) {
    std::string text = kOneFace;
    const std::string good = "scene/detail_dots.bmp";
    text.replace(text.find(good), good.size(), "scene/no-such-image.png");
    const fs::path file = write("image.vno", text);
    const ToolRun run = inspect("'" + file.string() + "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err,
              "messagebox: Erreur: Probleme de chargement du fichier scene/no-such-image.png\n");
    EXPECT_NE(run.out.find("\"fileName\":\"scene/no-such-image.png\",\"width\":0,\"height\":0"),
              std::string::npos);
}

TEST_P(InspectTool, SceneDescriptionAddsCamerasAndLights) {
    const ToolRun run = inspect("--scene scene/example.vnt");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "messagebox: Information: Chargement Termin\xC3\xA9\n");
    EXPECT_NE(run.out.find("\"cameras\":[{\"id\":0,\"name\":\"Camera01\",\"position\":[0,0.5,-1.5],"
                           "\"target\":[0,0,0],\"fieldOfView\":54}]"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"lights\":[{\"id\":0,\"name\":\"Sun\",\"position\":[1,1,-1],"
                           "\"color\":[1,0.899999976,0.600000024],\"radius\":1,\"tag\":0},"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"meshes\":[{\"id\":0,\"name\":\"2cube\""), std::string::npos);
}

TEST_P(InspectTool, SceneDescriptionsRefusedOrEmpty) {
    struct Case {
        const char* name;
        const char* content;
        int exitCode;
        const char* message;  // the path follows where it ends in a blank; "" for no box
    };
    const Case cases[] = {
        {"missing.vnt", nullptr, 1, "messagebox: Erreur: Impossible d'ouvrir le fichier "},
        {"kind.vnt", "FICHIER_VNO\n", 1, "messagebox: Erreur: Fichier Non Valide:  "},
        {"second.vnt", "FICHIER_VNS\nCAMERA\nc\n0,0,0\n0,0,0\n\n", 0, ""},
        {"short.vnt", "FICHIER_VNT\nCAMERA\nc\n", 0,
         "messagebox: Erreur: Fin de fichier inattendue dans le fichier "},
        // Names that are not UTF-8: the outcome does not hang on how the box shows them.
        {"caf\xE9.vnt", nullptr, 1, "messagebox: Erreur: Impossible d'ouvrir le fichier "},
        {"bad\xE9.vnt", "FICHIER_VNO\n", 1, "messagebox: Erreur: Fichier Non Valide:  "},
    };
    for (const Case& c : cases) {
        const fs::path file = c.content ? write(c.name, c.content) : directory / c.name;
        const ToolRun run = inspect("--scene '" + file.string() + "'");
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name;
        std::string expected = c.message;
        if (!expected.empty()) expected += shownAsUtf8(file.string()) + "\n";
        EXPECT_EQ(run.err, expected) << c.name;
        EXPECT_NE(run.out.find("\"cameras\":[],\"lights\":[]}"), std::string::npos) << c.name;
    }
}

TEST_P(InspectTool, HelpGoesToStandardOutput) {
    const ToolRun run = inspect("--help");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("usage: vorn-inspect", 0), 0u);
    EXPECT_EQ(run.err, "");
}

TEST_P(InspectTool, WrongUsageExitsWithTwo) {
    for (const char* arguments : {"", "a b", "''", "--scene", "--scene ''", "--frobnicate"}) {
        const ToolRun run = inspect(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_EQ(run.err.rfind("usage: vorn-inspect", 0), 0u) << arguments;
        EXPECT_EQ(run.out, "");
    }
}

INSTANTIATE_TEST_SUITE_P(DisplayOrNot, InspectTool, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Display" : "NoDisplay"; });
