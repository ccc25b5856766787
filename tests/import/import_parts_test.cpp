// The pieces of an import on their own, in process, so that they also run under the
// sanitizers: option parsing, light reach, record names, image signatures, finding image
// files, all-or-nothing writing, and broken model data read and dropped.
#include "image/write.h"
#include "tools/import/child_process.h"
#include "tools/import/image_export.h"
#include "tools/import/image_format.h"
#include "tools/import/import_options.h"
#include "tools/import/importer.h"
#include "tools/import/output_plan.h"
#include "tools/import/scene_objects.h"
#include "tools/import/staged_output.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <filesystem>
#include <sstream>

#include "tests/support/tool_run.h"

namespace fs = std::filesystem;
using namespace vornimport;
using testsupport::contentOf;
using ::testing::HasSubstr;

namespace {

// A folder of the running test's own, removed afterwards.
class TempFolder : public testsupport::TestFolder {
public:
    TempFolder() : TestFolder("vorn-import-parts") {}
};

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// An import of `model` in `folder`, written there, with paths from there.
ImportOptions optionsIn(const TempFolder& folder, const std::string& model) {
    ImportOptions options;
    options.model = (folder.path() / model).string();
    options.outDir = folder.path().string();
    options.root = folder.path().string();
    return options;
}

}  // namespace

TEST(ImportArguments, OptionsTakeTheirValuesInEitherSpelling) {
    const ParsedArguments parsed = parseArguments(
        {"-o", "out", "--root=/srv/game", "model.obj", "--scale", "0.01", "--detail=grain.png", "--detail-scale", "4",
         "--no-shade"});
    ASSERT_EQ(parsed.outcome, ParsedArguments::run) << parsed.problem;
    EXPECT_EQ(parsed.options.model, "model.obj");
    EXPECT_EQ(parsed.options.outDir, "out");
    EXPECT_EQ(parsed.options.root, "/srv/game");
    EXPECT_FLOAT_EQ(parsed.options.scale, 0.01f);
    EXPECT_EQ(parsed.options.detailImage, "grain.png");
    EXPECT_FLOAT_EQ(parsed.options.detailScale, 4.0f);
    EXPECT_FALSE(parsed.options.shade);
}

TEST(ImportArguments, DefaultsAndTheEndOfOptions) {
    const ParsedArguments parsed = parseArguments({"--", "-odd name.obj"});
    ASSERT_EQ(parsed.outcome, ParsedArguments::run);
    EXPECT_EQ(parsed.options.model, "-odd name.obj");
    EXPECT_EQ(parsed.options.outDir, ".");
    EXPECT_EQ(parsed.options.root, ".");
    EXPECT_EQ(parsed.options.scale, 1.0f);
    EXPECT_EQ(parsed.options.detailScale, 8.0f);
    EXPECT_TRUE(parsed.options.shade);
    EXPECT_EQ(parseArguments({"a.obj", "-h"}).outcome, ParsedArguments::help);
    EXPECT_EQ(parseArguments({"--scale", "1e39", "a.obj"}).outcome, ParsedArguments::usageError);
    EXPECT_EQ(parseArguments({"--root=", "a.obj"}).outcome, ParsedArguments::usageError);
}

TEST(ImportLights, ReachIsWhereAttenuationReaches1In256) {
    struct Case {
        float constant, linear, quadratic, reach;
    };
    const Case cases[] = {
        {1, 0, 1, std::sqrt(255.0f)},  // 1 + d^2 = 256
        {0, 0, 1, 16},                 // the inverse square of physical light
        {1, 1, 0, 255},                // 1 + d = 256
        {1, 1, 1, 15.4772f},           // d^2 + d - 255 = 0
        {1, 0, 0, 0},                  // never fades
        {0, 0, 0, 0},
        {300, 0, 0, 0},                // never that strong to begin with
        {1, -1, 0, 0},
        {NAN, INFINITY, 1, 16},        // broken numbers count as none: d^2 = 256 is left
    };
    for (const Case& c : cases)
        EXPECT_NEAR(reachOf(c.constant, c.linear, c.quadratic), c.reach, 1e-3f)
            << c.constant << " " << c.linear << " " << c.quadratic;
}

TEST(ImportNames, RecordTextIsOneLineAndNeverSplitsACharacter) {
    EXPECT_EQ(recordText("Lamp\r\n01\t", 253), "Lamp  01 ");
    EXPECT_EQ(recordText(std::string(300, 'x'), 253), std::string(253, 'x'));
    // "é" is two bytes: a cut through it goes before it.
    EXPECT_EQ(recordText(std::string(98, 'a') + "\xC3\xA9z", 99), std::string(98, 'a'));
    EXPECT_EQ(recordText("", 99), "");
}

TEST(ImportPaths, PathsStartAtTheRoot) {
    EXPECT_EQ(pathFromRoot("out/a-textures/white.png", "."), "out/a-textures/white.png");
    EXPECT_EQ(pathFromRoot("game/out/a.vno", "game"), "out/a.vno");
    EXPECT_EQ(pathFromRoot("out/a.vno", "game"), "../out/a.vno");
    EXPECT_EQ(pathFromRoot("/tmp/x/../y/a.vno", "/tmp"), "y/a.vno");
}

// The engine's own rule decides: a file is copied under the extension of its format only when
// the engine decodes it as it is, whatever its name.
TEST(ImportImages, FilesTheEngineReadsAsTheyAreKeepTheirFormat) {
    const std::uint8_t rgb[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    const PixelRows rows{2, 2, 3, rgb};
    const Bytes png = encodeImage(ImageFormat::Png, rows);
    std::string pcx(128, '\0');
    pcx[0] = 0x0A, pcx[1] = 1, pcx[2] = 1, pcx[3] = 8, pcx[8] = 1, pcx[10] = 1, pcx[65] = 3, pcx[66] = 2;
    const std::string pnm = "P6\n2 2\n255\n";
    const struct {
        const char* what;
        Bytes bytes;
        std::string_view extension;
    } cases[] = {
        {"PNG", png, "png"},
        {"PNG cut short", Bytes(png.begin(), png.begin() + std::ptrdiff_t(png.size() / 2)), ""},
        {"BMP", encodeImage(ImageFormat::Bmp, rows), "bmp"},
        {"TGA, told without a name", encodeImage(ImageFormat::Tga, rows), "tga"},
        {"binary PPM", bytesOf(pnm + std::string(12, '\x40')), "pnm"},
        {"PPM without its pixels", bytesOf(pnm), ""},
        {"PCX version 1 header without pixels", bytesOf(pcx), ""},
        {"text", bytesOf("not a picture"), ""},
        {"nothing", {}, ""},
    };
    for (const auto& sample : cases) EXPECT_EQ(extensionIfReadAsIs(sample.bytes), sample.extension) << sample.what;
}

TEST(ImportImages, ConversionDecodesWhatStbReadsAndRefusesTheRest) {
    const Bytes hdr = bytesOf(std::string("#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 1 +X 2\n\x80\x40\x20\x81\x80\x40\x20\x81", 52));
    const Bytes png = convertToPng(hdr);
    ASSERT_FALSE(png.empty());
    EXPECT_EQ(extensionIfReadAsIs(png), "png");
    EXPECT_TRUE(convertToPng(bytesOf("not a picture")).empty());
    EXPECT_TRUE(convertToPng({}).empty());
    // A header that promises a picture of 2^30 pixels is not decoded.
    std::string huge = "P5\n32768 32768\n255\n";
    EXPECT_TRUE(convertToPng(bytesOf(huge + std::string(64, '\0'))).empty());
}

TEST(ImportImages, FilesAreFoundByExactNameThenInAnyCaseThenByBareName) {
    TempFolder folder;
    folder.write("model/Maps/Wood Grain.png", "w");
    folder.write("model/ao.tga", "a");
    const fs::path model = folder.path() / "model";
    EXPECT_EQ(findImageFile("Maps/Wood Grain.png", model), model / "Maps/Wood Grain.png");
    EXPECT_EQ(findImageFile("maps\\WOOD GRAIN.PNG", model), model / "Maps/Wood Grain.png");
    EXPECT_EQ(findImageFile("Maps/Wood%20Grain.png", model), model / "Maps/Wood Grain.png");
    EXPECT_EQ(findImageFile("C:\\Users\\artist\\AO.TGA", model), model / "ao.tga");
    EXPECT_EQ(findImageFile((model / "ao.tga").string(), "/"), model / "ao.tga");
    EXPECT_EQ(findImageFile("file://" + (model / "ao.tga").string(), "/"), model / "ao.tga");
    EXPECT_EQ(findImageFile("missing.png", model), fs::path());
    EXPECT_EQ(findImageFile("Maps", model), fs::path());  // a folder is no image
    EXPECT_EQ(findImageFile("", model), fs::path());
}

TEST(ImportOutput, AFailedWriteLeavesNothingBehind) {
    TempFolder folder;
    folder.write("blocked", "a file, not a folder");
    const std::vector<PlannedFile> files{{folder.path() / "new/a.txt", "a"},
                                         {folder.path() / "new/deeper/b.txt", "b"},
                                         {folder.path() / "blocked/c.txt", "c"}};
    std::string problem;
    EXPECT_FALSE(writeAllOrNothing(files, problem));
    EXPECT_THAT(problem, HasSubstr("blocked"));
    EXPECT_FALSE(fs::exists(folder.path() / "new"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(ImportOutput, AWriteReplacesEarlierFilesWhole) {
    TempFolder folder;
    folder.write("out/a.txt", "an older and longer text");
    std::string problem;
    ASSERT_TRUE(writeAllOrNothing({{folder.path() / "out/a.txt", "new"}}, problem)) << problem;
    EXPECT_EQ(contentOf(folder.path() / "out/a.txt"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() / "out"), fs::directory_iterator()), 1);
}

TEST(ImportData, BrokenFacesNeverReachTheMeshFile) {
    TempFolder folder;
    // Faces that name vertices 7 and 4000000000, a vertex at infinity and one whose colour
    // is not a number; two whole faces, one of them a quad; a line and a point.
    folder.write("broken.ply",
                 "ply\nformat ascii 1.0\nelement vertex 6\nproperty float x\nproperty float y\nproperty float z\n"
                 "property uchar red\nproperty uchar green\nproperty uchar blue\n"
                 "element face 8\nproperty list uchar uint vertex_indices\nend_header\n"
                 "0 0 0 255 0 0\n1 0 0 0 255 0\n1 1 0 0 0 255\n0 1 0 255 255 255\n2 inf 0 0 0 0\n3 3 3 1 1 1\n"
                 "3 0 1 2\n4 0 1 2 3\n3 0 1 7\n3 0 1 4000000000\n3 0 4 2\n3 0 1 5\n2 0 1\n1 3\n");
    std::ostringstream out, err;
    ImportOptions options = optionsIn(folder, "broken.ply");
    options.outDir = (folder.path() / "out").string();
    options.shade = false;
    ASSERT_EQ(runImport(options, out, err), 0) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("triangles:  4\n"));
    EXPECT_THAT(out.str(), HasSubstr("dropped:    1 point, 1 line, 3 broken faces, 0 triangles without area\n"));
    const std::string mesh = contentOf(folder.path() / "out/broken.vno");
    EXPECT_EQ(mesh.find("inf"), std::string::npos);
    EXPECT_THAT(mesh, HasSubstr("\nFACE 3\n"));
    EXPECT_THAT(mesh, ::testing::Not(HasSubstr("\nFACE 4\n")));
    EXPECT_THAT(mesh, HasSubstr("\nout/broken-textures/white.png\nREPEAT\n"));
}

TEST(ImportData, CornersThatTheScaleOverflowsAreDroppedToo) {
    TempFolder folder;
    folder.write("far.ply",
                 "ply\nformat ascii 1.0\nelement vertex 4\nproperty float x\nproperty float y\nproperty float z\n"
                 "element face 2\nproperty list uchar int vertex_indices\nend_header\n"
                 "0 0 0\n1 0 0\n0 1 0\n100 0 0\n3 0 1 2\n3 0 3 2\n");
    std::ostringstream out, err;
    ImportOptions options = optionsIn(folder, "far.ply");
    options.scale = 1e37f;
    ASSERT_EQ(runImport(options, out, err), 0) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("triangles:  1\n"));
    EXPECT_THAT(out.str(), HasSubstr("1 broken face, 0 triangles without area\n"));
    EXPECT_EQ(contentOf(folder.path() / "far.vno").find("inf"), std::string::npos);
}

TEST(ImportOutput, AFolderWhereTheSceneWouldGoStopsTheImportBeforeAnyRename) {
    TempFolder folder;
    folder.write("tri.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    fs::create_directories(folder.path() / "tri.vnt");
    std::ostringstream out, err;
    EXPECT_EQ(runImport(optionsIn(folder, "tri.obj"), out, err), 1);
    EXPECT_THAT(err.str(), HasSubstr("tri.vnt: is a folder"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

// The child's deadline: a base, and more for every megabyte of input it says it read.
TEST(ImportChild, TheDeadlineGrowsWithTheInputTheWorkReads) {
    const struct {
        const char* what;
        std::uint64_t inputBytes;
        vornimport::ChildOutcome::Kind kind;
        double seconds;
    } cases[] = {
        {"no input: the base alone", 0, vornimport::ChildOutcome::timedOut, 1},
        {"a megabyte: two seconds more", 1 << 20, vornimport::ChildOutcome::finished, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const vornimport::ChildOutcome outcome = vornimport::runInChild(
            [&](vornimport::ChildProgress& progress) {
                progress.inputRead(c.inputBytes);
                std::this_thread::sleep_for(std::chrono::milliseconds(1800));
                return std::string("read");
            },
            {1, 2});
        EXPECT_EQ(outcome.kind, c.kind);
        EXPECT_EQ(outcome.seconds, c.seconds);
        EXPECT_EQ(outcome.result, c.kind == vornimport::ChildOutcome::finished ? "read" : "");
    }
}
