// vorn-import where models are damaged or careless: a reading step that crashes or hangs, triangles
// without area, and images named the way a game engine looks them up rather than as they lie.
#include "import_fixture.h"

#include <sstream>

#include "tools/import/image_format.h"

#include <gmock/gmock.h>

using namespace importtest;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

std::string smallPng() {
    const std::uint8_t pixels[2 * 2 * 3] = {200, 10, 10, 10, 200, 10, 10, 10, 200, 90, 90, 90};
    const vornimport::Bytes png = vornimport::encodePng(pixels, 2, 2, 3);
    return std::string(png.begin(), png.end());
}

void writeTexturedTriangle(const ImportFolder& folder, const std::string& mapReference) {
    folder.write("tri.obj", "mtllib tri.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nusemtl m\n"
                            "f 1/1 2/2 3/3\n");
    folder.write("tri.mtl", "newmtl m\nKd 1 1 1\nmap_Kd " + mapReference + "\n");
}

struct FaultCase {
    const char* fault;
    const char* arguments;
    const char* reason;
};

struct SearchCase {
    const char* reference;
    const char* imageFile;  // where the image really lies, below the model's folder
    const char* arguments;
};

}  // namespace

TEST(ImportIsolation, AReadingStepThatCrashesOrHangsIsRefusedAndLeavesNothing) {
    const FaultCase cases[] = {
        {"abort", "", "vorn-import: Assimp stopped while reading tri.obj (signal 6)\n"},
        {"segfault", "", "vorn-import: Assimp stopped while reading tri.obj (signal 11)\n"},
        {"hang", " --time-limit 1", "vorn-import: Assimp did not finish reading tri.obj in 1 second\n"},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.fault);
        ImportFolder folder;
        writeTexturedTriangle(folder, "absent.png");
        const ToolRun run = runIn(folder.path(), std::string("VORN_IMPORT_TEST_FAULT=") + c.fault + " '" +
                                                     VORN_IMPORT + "' tri.obj -o out" + c.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, c.reason);  // the one line, and nothing Assimp printed
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(folder.contents(), (std::set<std::string>{"tri.mtl", "tri.obj"}));
    }
}

TEST(ImportData, TrianglesWithoutAreaAreDroppedCountedAndNeverChecked) {
    ImportFolder folder;
    // The second triangle's corners lie on one line; the third repeats a corner.
    folder.write("flat.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 2 0 0\nf 1 2 3\nf 1 2 4\nf 1 1 3\n");
    const ToolRun run = runImport(folder.path(), "flat.obj");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("triangles:  1\n"));
    EXPECT_THAT(run.out, HasSubstr(", 2 triangles without area\n"));
    const InspectedScene scene = inspectScene(folder.path(), "flat.vnt");
    EXPECT_EQ(scene.faces.size(), 1u);
    const ToolRun check = runIn(folder.path(), std::string("'") + VORN_CHECK + "' flat.vno");
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_THAT(check.out + check.err, ::testing::Not(HasSubstr("degenerate-face")));
}

TEST(ImportImages, ImagesNamedAsAnEngineLooksThemUpAreFound) {
    const SearchCase cases[] = {
        {"skin.tga", "skin.png", ""},
        {"skin", "skin.png", ""},
        {"/home/artist/Desktop/lower.jpg", "lower.png", ""},
        {"maps/wall.bmp", "maps/wall.png", ""},
        {"face.png", "download/textures/face.png", " --textures download"},
        {"models/enkiskin.tga", "download/skins/enkiskin.png", " --textures download"},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.reference);
        ImportFolder folder;
        writeTexturedTriangle(folder, c.reference);
        folder.write(c.imageFile, smallPng());
        const ToolRun run = runImport(folder.path(), std::string("tri.obj -o out") + c.arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_THAT(run.err, ::testing::Not(HasSubstr("not found")));
        EXPECT_THAT(run.out, HasSubstr(" 0 missing)\n"));
        const InspectedScene scene = inspectScene(folder.path(), "out/tri.vnt");
        ASSERT_EQ(scene.faces.size(), 1u);
        EXPECT_THAT(scene.baseTextureOf(scene.faces[0]), HasSubstr("png"));
    }
}

TEST(ImportImages, AMissingImageSaysWhereItWasLookedFor) {
    ImportFolder folder;
    writeTexturedTriangle(folder, "gone.tga");
    folder.write("download/readme.txt", "nothing here\n");
    const ToolRun run = runImport(folder.path(), "tri.obj --textures download");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.err, StartsWith("tri.obj: warning: image not found: gone.tga (tried its name and the extensions"));
    EXPECT_THAT(run.err, HasSubstr("below download"));
    EXPECT_THAT(run.out, HasSubstr(" 1 missing)\n"));
    EXPECT_EQ(runImport(folder.path(), "tri.obj --textures nowhere").exitCode, 1);
}

TEST(ImportImages, AMissingImageIsWarnedOnceWithTheMaterialsThatUseItAndCountedOnce) {
    ImportFolder folder;
    std::string obj = "mtllib four.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nvt 0 0\nvt 1 0\nvt 0 1\n";
    std::string mtl;
    const char* maps[] = {"gone.png", "other.tga", "gone.png", "gone.png"};
    for (int m = 0; m < 4; ++m) {
        const std::string name = "m" + std::to_string(m);
        mtl += "newmtl " + name + "\nKd 1 1 1\nmap_Kd " + maps[m] + "\n";
        // Each material on a face of its own, the last face turned so that none is a copy.
        obj += "usemtl " + name + "\nf " + (m == 3 ? "2/1 4/2 3/3" : "1/1 2/2 3/3") + "\n";
    }
    folder.write("four.obj", obj);
    folder.write("four.mtl", mtl);
    const ToolRun run = runImport(folder.path(), "four.obj");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> warnings;
    std::istringstream lines(run.err);
    for (std::string line; std::getline(lines, line);) warnings.push_back(line);
    ASSERT_EQ(warnings.size(), 2u) << run.err;
    EXPECT_THAT(warnings[0], StartsWith("four.obj: warning: image not found: gone.png (tried"));
    EXPECT_THAT(warnings[0], ::testing::EndsWith("), used by 3 materials"));
    EXPECT_THAT(warnings[1], StartsWith("four.obj: warning: image not found: other.tga (tried"));
    EXPECT_THAT(warnings[1], ::testing::EndsWith("), used by 1 material"));
    EXPECT_THAT(run.out, HasSubstr(" 2 missing)\n"));
}
