// The scene description loader on files the tests write: the worked example, the kind line,
// the top-level keywords, each kind of block, numbers, messages and the file's end.
#include <cmath>
#include <limits>

#include "scene_fixture.h"

using scenetext::lines;

namespace {

std::string withCrLf(const std::vector<std::string>& texts) { return lines(texts, "\r\n"); }

}  // namespace

// The worked example, with either kind of line end, adds one of everything and says so.
class WorkedExampleTest : public SceneDescriptionTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(WorkedExampleTest, AddsEveryEntryAndReportsCompletion) {
    loadText(lines(scenetext::workedExample(meshPath), GetParam()));

    EXPECT_EQ(boxes(), std::vector<Box>{box(completed, "Information")});
    // The scene's own texture, then the one that the mesh file names.
    ASSERT_EQ(textureNames(), (std::vector<std::string>{"textures/stone.bmp", "room_walls.png"}));
    EXPECT_EQ(engine.textures.all()[0].filterMode, 2);
    EXPECT_EQ(engine.textures.all()[0].wrapMode, 0);

    ASSERT_EQ(cameraNames(), std::vector<std::string>{"Camera01"});
    const Camera& camera = engine.cameras.all()[0];
    EXPECT_EQ(camera.id, 0);
    EXPECT_EQ(camera.position, (Vector3{0, 5, -20}));
    EXPECT_EQ(camera.target, (Vector3{0, 0, 0}));
    EXPECT_EQ(camera.fieldOfView, 54);

    ASSERT_EQ(lightNames(), std::vector<std::string>{"Lamp01"});
    const Light& light = engine.lights.all()[0];
    EXPECT_EQ(light.id, 0);
    EXPECT_EQ(light.position, (Vector3{10, 20.5f, 5}));
    EXPECT_EQ(light.color.red, 1.0f);
    EXPECT_EQ(light.color.green, 0.9f);
    EXPECT_EQ(light.color.blue, 0.6f);
    EXPECT_EQ(light.radius, 3.0f);
    EXPECT_EQ(light.tag, 0);

    ASSERT_EQ(meshNames(), std::vector<std::string>{"room"});
    EXPECT_EQ(engine.meshes.all()[0].position, (Vector3{1, 2, 3}));
}

INSTANTIATE_TEST_SUITE_P(SceneDescription, WorkedExampleTest, ::testing::Values("\n", "\r\n"));

// The first line must be one kind line whole, line end included.
struct KindCase {
    const char* name;
    std::string firstLine;  // written before a texture block and the end line
    bool accepted;          // the blocks are read
    bool invalid;           // "Fichier Non Valide:  " is shown
};

class KindLineTest : public SceneDescriptionTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(KindLineTest, DecidesWhetherTheBlocksAreRead) {
    const KindCase& c = GetParam();
    const std::string path = loadText(c.firstLine + lines({"TEXTURE", "a.png", "FIN_TEXTURE",
                                                           "FIN_FICHIER_VNT"}));
    std::vector<Box> expected;
    if (c.invalid) expected.push_back(box(invalidFile + path));
    if (c.accepted) expected.push_back(box(completed, "Information"));
    EXPECT_EQ(boxes(), expected);
    EXPECT_EQ(engine.textures.all().size(), c.accepted ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    SceneDescription, KindLineTest,
    ::testing::Values(KindCase{"SceneKind", "FICHIER_VNT\n", true, false},
                      KindCase{"SceneKindCrLf", "FICHIER_VNT\r\n", true, false},
                      KindCase{"SecondKindIsLeftUnread", "FICHIER_VNS\n", false, false},
                      KindCase{"SecondKindCrLf", "FICHIER_VNS\r\n", false, false},
                      KindCase{"TrailingBlank", "FICHIER_VNT \n", false, true},
                      KindCase{"LeadingBlank", " FICHIER_VNT\n", false, true},
                      KindCase{"LowerCase", "fichier_vnt\n", false, true},
                      KindCase{"LongerWord", "FICHIER_VNTX\n", false, true},
                      KindCase{"MeshFileKind", "FICHIER_VNO\n", false, true},
                      KindCase{"CrNotBeforeLf", "FICHIER_VNT\r\r\n", false, true},
                      KindCase{"NulInsideTheLine", std::string("FICHIER_VNT\0\n", 13), false, true},
                      KindCase{"BlankLine", "\n", false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SceneDescriptionTest, KindLineWithoutLineEndOrEmptyFileIsNotValid) {
    for (const std::string& text : {std::string("FICHIER_VNT"), std::string("FICHIER_VNS"),
                                    std::string("FICHIER_VNT\r"), std::string()}) {
        platform::fake::reset();
        const std::string path = loadText(text);
        EXPECT_EQ(boxes(), std::vector<Box>{box(invalidFile + path)}) << text;
    }
    EXPECT_TRUE(engine.textures.all().empty());
}

// Top-level lines: a keyword at the start of the line decides, in a fixed order; anything else
// is skipped line by line.
struct TopLevelCase {
    const char* name;
    std::vector<std::string> body;  // between the kind line and the end line
    std::vector<std::string> textures;
    std::vector<std::string> cameras;
    std::vector<std::string> lights;
};

class TopLevelTest : public SceneDescriptionTest,
                     public ::testing::WithParamInterface<TopLevelCase> {};

TEST_P(TopLevelTest, AddsWhatTheKeywordsOpen) {
    const TopLevelCase& c = GetParam();
    std::vector<std::string> all = {"FICHIER_VNT"};
    all.insert(all.end(), c.body.begin(), c.body.end());
    all.push_back("FIN_FICHIER_VNT");
    loadText(lines(all));
    EXPECT_EQ(boxes(), std::vector<Box>{box(completed, "Information")});
    EXPECT_EQ(textureNames(), c.textures);
    EXPECT_EQ(cameraNames(), c.cameras);
    EXPECT_EQ(lightNames(), c.lights);
    EXPECT_TRUE(engine.meshes.all().empty());
}

INSTANTIATE_TEST_SUITE_P(
    SceneDescription, TopLevelTest,
    ::testing::Values(
        TopLevelCase{"Empty", {}, {}, {}, {}},
        TopLevelCase{"FreeTextAndBlankLinesBetweenBlocks",
                     {"a comment", "", "   ", "TEXTURE", "t.png", "FIN_TEXTURE", "", "more words",
                      "CAMERA", "cam", "1,2,3", "4,5,6", "", "\t", "LUMIERE", "lamp", "0,0,0",
                      "1,1,1", "2", "", "trailing"},
                     {"t.png"}, {"cam"}, {"lamp"}},
        TopLevelCase{"LowerCaseKeywordsAreFreeText",
                     {"texture", "t.png", "fin_texture", "camera", "cam", "1,2,3", "4,5,6", "",
                      "lumiere", "lamp", "0,0,0", "1,1,1", "2", "", "mesh", "m.vno"},
                     {}, {}, {}},
        TopLevelCase{"KeywordsAreLinePrefixes",
                     {"TEXTURES of the walls", "t.png", "FIN_TEXTURES", "CAMERAS", "cam",
                      "1,2,3", "4,5,6", "", "LUMIERE01", "lamp", "0,0,0", "1,1,1", "2", ""},
                     {"t.png"}, {"cam"}, {"lamp"}},
        TopLevelCase{"KeywordLaterInTheLineIsFreeText",
                     {" CAMERA", "the CAMERA", "xTEXTURE", "x", "FIN_TEXTURE"}, {}, {}, {}},
        TopLevelCase{"TextureBlockTakesEveryLineAsAName",
                     {"TEXTURE", "", "FIN_FICHIER_VNT", "CAMERA", "LUMIERE", " FIN_TEXTURE",
                      "fin_texture", "FIN_TEXTURE"},
                     {"", "FIN_FICHIER_VNT", "CAMERA", "LUMIERE", " FIN_TEXTURE", "fin_texture"},
                     {}, {}},
        TopLevelCase{"EmptyTextureBlock", {"TEXTURE", "FIN_TEXTURE"}, {}, {}, {}},
        TopLevelCase{"NameGivenTwiceMakesTwoTextures",
                     {"TEXTURE", "same.png", "same.png", "FIN_TEXTURE", "TEXTURE", "same.png",
                      "FIN_TEXTURE"},
                     {"same.png", "same.png", "same.png"}, {}, {}},
        TopLevelCase{"CameraLinesAreTakenByPosition",
                     {"CAMERA", "LUMIERE", "TEXTURE", "MESH", "FIN_FICHIER_VNT"}, {}, {"LUMIERE"},
                     {}},
        TopLevelCase{"LightLinesAreTakenByPosition",
                     {"LUMIERE", "CAMERA", "TEXTURE", "MESH", "FIN_TEXTURE", "FIN_FICHIER_VNT"},
                     {}, {}, {"CAMERA"}},
        TopLevelCase{"LowerCaseCameraBlockIsSkippedLineByLine",
                     {"camera", "Cam1", "1,2,3", "4,5,6", "", "LUMIERE", "lamp", "0,0,0",
                      "1,1,1", "1", ""},
                     {}, {}, {"lamp"}},
        TopLevelCase{"NamesKeepTheirBlanks",
                     {"TEXTURE", " spaced name.png ", "FIN_TEXTURE", "CAMERA", "  cam  ",
                      "1,2,3", "4,5,6", "", "LUMIERE", "\tlamp", "0,0,0", "1,1,1", "1", ""},
                     {" spaced name.png "}, {"  cam  "}, {"\tlamp"}},
        TopLevelCase{"IgnoredLineMayHoldAnything",
                     {"CAMERA", "cam", "1,2,3", "4,5,6", "anything at all", "LUMIERE", "lamp",
                      "0,0,0", "1,1,1", "1", "CAMERA"},
                     {}, {"cam"}, {"lamp"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SceneDescriptionTest, NothingAfterTheEndLineIsRead) {
    loadText(lines({"FICHIER_VNT", "FIN_FICHIER_VNT and more", "CAMERA", "cam", "1,2,3",
                    "4,5,6", "", "TEXTURE"}));
    EXPECT_EQ(boxes(), std::vector<Box>{box(completed, "Information")});
    EXPECT_TRUE(engine.cameras.all().empty());
}

TEST_F(SceneDescriptionTest, BlocksAreAddedInFileOrderWithTheirFixedValues) {
    loadText(lines({"FICHIER_VNT", "CAMERA", "first", "0,0,0", "0,0,1", "", "LUMIERE", "red",
                    "1,1,1", "1,0,0", "4", "", "CAMERA", "second", "9,9,9", "0,0,0", "",
                    "LUMIERE", "blue", "2,2,2", "0,0,1", "5", "", "FIN_FICHIER_VNT"}));
    EXPECT_EQ(cameraNames(), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(lightNames(), (std::vector<std::string>{"red", "blue"}));
    for (const Camera& camera : engine.cameras.all()) EXPECT_EQ(camera.fieldOfView, 54);
    for (const Light& light : engine.lights.all()) EXPECT_EQ(light.tag, 0);
    EXPECT_EQ(engine.cameras.all()[1].id, 1);
    EXPECT_EQ(engine.lights.all()[1].id, 1);
    EXPECT_EQ(engine.lights.all()[1].radius, 5.0f);
}

TEST_F(SceneDescriptionTest, EveryTextureIsMipmappedAndRepeating) {
    loadText(lines({"FICHIER_VNT", "TEXTURE", "a.png", "b.tga", "FIN_TEXTURE", "FIN_FICHIER_VNT"}));
    ASSERT_EQ(engine.textures.all().size(), 2u);
    for (const Texture& texture : engine.textures.all()) {
        EXPECT_EQ(texture.filterMode, 2);
        EXPECT_EQ(texture.wrapMode, 0);
    }
    EXPECT_EQ(engine.textures.all()[1].id, 1);
}

// A line of three values: the first from the start, each next one after the first comma that
// follows; values the line runs out of read as 0.
struct TripleCase {
    const char* text;
    Vector3 expected;
};

class TripleLineTest : public SceneDescriptionTest,
                       public ::testing::WithParamInterface<TripleCase> {};

TEST_P(TripleLineTest, ReadsPositionsTargetsAndColoursAlike) {
    const std::string& text = GetParam().text;
    loadText(lines({"FICHIER_VNT", "CAMERA", "cam", text, text, "", "LUMIERE", "lamp", text, text,
                    "1", "", "FIN_FICHIER_VNT"}));
    ASSERT_EQ(engine.cameras.all().size(), 1u);
    ASSERT_EQ(engine.lights.all().size(), 1u);
    const Vector3& expected = GetParam().expected;
    EXPECT_EQ(engine.cameras.all()[0].position, expected);
    EXPECT_EQ(engine.cameras.all()[0].target, expected);
    EXPECT_EQ(engine.lights.all()[0].position, expected);
    const LightColor& color = engine.lights.all()[0].color;
    EXPECT_EQ((Vector3{color.red, color.green, color.blue}), expected);
}

INSTANTIATE_TEST_SUITE_P(SceneDescription, TripleLineTest,
                         ::testing::Values(TripleCase{"1,2,3", {1, 2, 3}},
                                           TripleCase{"1, 2, 3", {1, 2, 3}},
                                           TripleCase{"  -1.5e1 ,\t+2 , 3xyz", {-15, 2, 3}},
                                           TripleCase{"0.25,-0.5,.75", {0.25f, -0.5f, 0.75f}},
                                           TripleCase{"1,2,3,4", {1, 2, 3}},
                                           TripleCase{"1,2", {1, 2, 0}},
                                           TripleCase{"7", {7, 0, 0}},
                                           TripleCase{"", {0, 0, 0}},
                                           TripleCase{"1;2;3", {1, 0, 0}},
                                           TripleCase{"1 2 3", {1, 0, 0}},
                                           TripleCase{"1,,3", {1, 0, 3}},
                                           TripleCase{",,7", {0, 0, 7}},
                                           TripleCase{"a,b,c", {0, 0, 0}},
                                           TripleCase{"1x,2y,3z", {1, 2, 3}},
                                           TripleCase{"0x10,1e2,-0", {16, 100, 0}}));

// The radius is truncated toward zero before it is stored.
struct RadiusLineCase {
    const char* text;
    float stored;
};

class RadiusLineTest : public SceneDescriptionTest,
                       public ::testing::WithParamInterface<RadiusLineCase> {};

TEST_P(RadiusLineTest, StoresTheWholePart) {
    loadText(lines({"FICHIER_VNT", "LUMIERE", "lamp", "0,0,0", "1,1,1", GetParam().text, "",
                    "FIN_FICHIER_VNT"}));
    ASSERT_EQ(engine.lights.all().size(), 1u);
    const float radius = engine.lights.all()[0].radius;
    EXPECT_EQ(radius, GetParam().stored);
    EXPECT_FALSE(std::signbit(radius) && radius == 0.0f) << "a radius of minus zero";
}

INSTANTIATE_TEST_SUITE_P(SceneDescription, RadiusLineTest,
                         ::testing::Values(RadiusLineCase{"3.8", 3.0f}, RadiusLineCase{"2.75", 2.0f},
                                           RadiusLineCase{"0.9", 0.0f}, RadiusLineCase{"-1.5", -1.0f},
                                           RadiusLineCase{"-0.5", 0.0f}, RadiusLineCase{"4", 4.0f},
                                           RadiusLineCase{" 7.99 metres", 7.0f},
                                           RadiusLineCase{"1e3", 1000.0f}, RadiusLineCase{"", 0.0f},
                                           RadiusLineCase{"wide", 0.0f},
                                           RadiusLineCase{"1,5", 1.0f},
                                           // Cut as read, not first rounded to a float.
                                           RadiusLineCase{"2.99999999", 2.0f},
                                           RadiusLineCase{"-0.99999999", 0.0f},
                                           // Beyond the whole numbers a radius can hold.
                                           RadiusLineCase{"1e30", 2147483648.0f},
                                           RadiusLineCase{"-1e30", -2147483648.0f},
                                           RadiusLineCase{"inf", 2147483648.0f},
                                           RadiusLineCase{"nan", 0.0f}));

TEST_F(SceneDescriptionTest, LongLinesAreReadIn254CharacterPieces) {
    const std::string longName(300, 'n');
    const std::string longest(253, 'c');
    loadText(lines({"FICHIER_VNT", "TEXTURE", longName, "FIN_TEXTURE", "CAMERA", longest,
                    "1,2,3", "4,5,6", "", "FIN_FICHIER_VNT"}));
    // The first piece has no line end; the rest of the line is the next name.
    EXPECT_EQ(textureNames(), (std::vector<std::string>{std::string(254, 'n'),
                                                        std::string(46, 'n')}));
    EXPECT_EQ(cameraNames(), std::vector<std::string>{longest});
}

TEST_F(SceneDescriptionTest, LongestLineWithCrLfIsStillOneLine) {
    // 253 characters and CR LF: text mode folds the pair into one line end.
    const std::string longest(253, 'c');
    loadText(withCrLf({"FICHIER_VNT", "CAMERA", longest, "1,2,3", "4,5,6", "", "FIN_FICHIER_VNT"}));
    EXPECT_EQ(cameraNames(), std::vector<std::string>{longest});
    EXPECT_EQ(boxes(), std::vector<Box>{box(completed, "Information")});
}

TEST_F(SceneDescriptionTest, CrLfLineEndsAreNotPartOfNamesOrPaths) {
    loadText(withCrLf({"FICHIER_VNT", "TEXTURE", "t.png", "", "FIN_TEXTURE", "CAMERA", "cam",
                       "1,2,3", "4,5,6", "", "LUMIERE", "lamp", "0,0,0", "1,1,1", "2.5", "",
                       "MESH", meshPath, "FIN_FICHIER_VNT"}));
    EXPECT_EQ(boxes(), std::vector<Box>{box(completed, "Information")});
    EXPECT_EQ(textureNames(), (std::vector<std::string>{"t.png", "", "room_walls.png"}));
    EXPECT_EQ(cameraNames(), std::vector<std::string>{"cam"});
    EXPECT_EQ(lightNames(), std::vector<std::string>{"lamp"});
    EXPECT_EQ(engine.lights.all()[0].radius, 2.0f);
    EXPECT_EQ(meshNames(), std::vector<std::string>{"room"});
}

TEST_F(SceneDescriptionTest, OnlyACarriageReturnBeforeTheLineFeedEndsTheLine) {
    loadText("FICHIER_VNT\nCAMERA\nc\ram\r\n1,2,3\n4,5,6\n\nFIN_FICHIER_VNT\n");
    EXPECT_EQ(cameraNames(), std::vector<std::string>{"c\ram"});
}

TEST_F(SceneDescriptionTest, LoadingTwiceAddsEverythingAgainWithNewIds) {
    const std::string path = write(lines(scenetext::workedExample(meshPath)));
    engine.loadSceneDescription(path.c_str());
    engine.loadSceneDescription(path.c_str());
    const Box done = box(completed, "Information");
    EXPECT_EQ(boxes(), (std::vector<Box>{done, done}));
    EXPECT_EQ(cameraNames(), (std::vector<std::string>{"Camera01", "Camera01"}));
    EXPECT_EQ(engine.cameras.all()[1].id, 1);
    EXPECT_EQ(lightNames(), (std::vector<std::string>{"Lamp01", "Lamp01"}));
    EXPECT_EQ(engine.lights.all()[1].id, 1);
    // The scene's texture twice; the mesh file shares its own texture by name.
    EXPECT_EQ(textureNames(), (std::vector<std::string>{"textures/stone.bmp", "room_walls.png",
                                                        "textures/stone.bmp"}));
    EXPECT_EQ(engine.textures.all()[2].id, 2);
    EXPECT_EQ(meshNames(), (std::vector<std::string>{"room", "room"}));
}

TEST_F(SceneDescriptionTest, MeshEntriesGoThroughTheMeshLoader) {
    const std::string missing = (dir / "absent.vno").string();
    const std::string notMesh = write("not a mesh file\n", "other.vno");
    loadText(lines({"FICHIER_VNT", "MESH", missing, "MESH", notMesh, "MESHES", meshPath,
                    "CAMERA", "after", "0,0,0", "0,0,0", "", "FIN_FICHIER_VNT"}));
    EXPECT_EQ(boxes(), (std::vector<Box>{box(openFailure + missing),
                                         box("Format de fichier inconnu"),
                                         box(completed, "Information")}));
    EXPECT_EQ(meshNames(), std::vector<std::string>{"room"});
    EXPECT_EQ(textureNames(), std::vector<std::string>{"room_walls.png"});
    EXPECT_EQ(cameraNames(), std::vector<std::string>{"after"});
}

TEST_F(SceneDescriptionTest, MissingFileAddsNothing) {
    const std::string path = (dir / "absent.vnt").string();
    engine.loadSceneDescription(path.c_str());
    EXPECT_EQ(boxes(), std::vector<Box>{box(openFailure + path)});
    engine.loadSceneDescription(dir.string().c_str());  // a directory is no file to open
    EXPECT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[1], box(openFailure + dir.string()));
    engine.loadSceneDescription(nullptr);
    EXPECT_EQ(boxes().size(), 3u);
    EXPECT_EQ(boxes()[2], box(openFailure));
    EXPECT_TRUE(engine.textures.all().empty());
    EXPECT_TRUE(engine.cameras.all().empty());
}

TEST_F(SceneDescriptionTest, InvalidFileAddsNothingThatFollows) {
    const std::string path = loadText(lines({"FICHIER_VNO", "TEXTURE", "a.png", "FIN_TEXTURE",
                                             "CAMERA", "c", "0,0,0", "0,0,0", "",
                                             "FIN_FICHIER_VNT"}));
    EXPECT_EQ(boxes(), std::vector<Box>{box(invalidFile + path)});
    EXPECT_TRUE(engine.textures.all().empty());
    EXPECT_TRUE(engine.cameras.all().empty());
}

TEST_F(SceneDescriptionTest, SecondKindAddsNothingAndSaysNothing) {
    loadText(lines({"FICHIER_VNS", "TEXTURE", "a.png", "FIN_TEXTURE", "MESH", meshPath,
                    "FIN_FICHIER_VNT"}));
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(engine.textures.all().empty());
    EXPECT_TRUE(engine.meshes.all().empty());
}

TEST_F(SceneDescriptionTest, KeepsWhatTheListsHeldBefore) {
    engine.cameras.add("earlier", {}, {}, 30);
    engine.lights.add("earlier", {}, {}, 1.0f, 9);
    loadText(lines(scenetext::workedExample(meshPath)));
    EXPECT_EQ(cameraNames(), (std::vector<std::string>{"earlier", "Camera01"}));
    EXPECT_EQ(engine.cameras.all()[1].id, 1);
    EXPECT_EQ(lightNames(), (std::vector<std::string>{"earlier", "Lamp01"}));
    EXPECT_EQ(engine.lights.all()[0].tag, 9);
}

// The example that the format's documentation shows, read from the repository root as the
// program's working directory.
TEST_F(SceneDescriptionTest, ExampleSceneLoadsWhole) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(VORN_SOURCE_DIR);
    engine.loadSceneDescription("scene/example.vnt");
    std::filesystem::current_path(before);

    EXPECT_EQ(boxes(), std::vector<Box>{box(completed, "Information")});
    // The mesh file shares the two textures that the scene named first.
    EXPECT_EQ(textureNames(),
              (std::vector<std::string>{"scene/stone_bricks.png", "scene/wood_planks.tga",
                                        "scene/stone_bricks_bump.png", "scene/detail_dots.bmp",
                                        "scene/wood_planks_bump.tga", "scene/detail_fibre.bmp"}));
    EXPECT_EQ(cameraNames(), std::vector<std::string>{"Camera01"});
    EXPECT_EQ(lightNames(), (std::vector<std::string>{"Sun", "NightLight"}));
    EXPECT_EQ(engine.lights.getRadius(0), 1);
    EXPECT_EQ(engine.lights.getRadius(1), 0);
    EXPECT_EQ(meshNames(), std::vector<std::string>{"2cube"});
}

TEST(EngineMembers, ScenePartsSitBetweenMeshesAndTextures) {
    Engine engine;
    const auto at = [](const auto& member) { return reinterpret_cast<const char*>(&member); };
    EXPECT_LT(at(engine.meshes), at(engine.lights));
    EXPECT_LT(at(engine.lights), at(engine.cameras));
    EXPECT_LT(at(engine.cameras), at(engine.textures));
    EXPECT_LT(at(engine.textures), at(engine.materials));
    EXPECT_LT(at(engine.materials), at(engine.extensions));
}
