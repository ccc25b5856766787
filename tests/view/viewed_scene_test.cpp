// The viewed file on the recording platform: its kind told by content, which loads are refused
// (with the loaders' own boxes), emptying for a reload, counts and the placed bounding box.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/engine.h"
#include "platform/fake_platform.h"
#include "tests/scenedesc/scene_fixture.h"
#include "tests/support/tool_run.h"
#include "tools/view/viewed_scene.h"

using scenetext::lines;

namespace {

class ViewedSceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.init();
        platform::fake::reset();  // the capability boxes of a driver without extensions
    }

    std::string write(const std::string& name, const std::string& text) {
        return folder.write(name, text);
    }

    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : platform::fake::messageBoxes()) texts.push_back(box.text);
        return texts;
    }

    Engine engine;
    const testsupport::TestFolder folder{"vorn-view-unit"};
};

// A face of three corners, for meshes built in the test.
Face triangle(Vector3 a, Vector3 b, Vector3 c) {
    Face face;
    face.vertices[0].position = a;
    face.vertices[1].position = b;
    face.vertices[2].position = c;
    face.materialId = 0;
    return face;
}

struct KindCase {
    const char* label;
    const char* content;
    FileKind kind;
};

class FileKindSniffing : public ViewedSceneTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(FileKindSniffing, TellsTheKindByTheFirstLine) {
    EXPECT_EQ(sniffFileKind(write("file", GetParam().content).c_str()), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileKindSniffing,
    ::testing::Values(
        KindCase{"SceneDescription", "FICHIER_VNT\nFIN_FICHIER_VNT\n", FileKind::sceneDescription},
        KindCase{"SecondKind", "FICHIER_VNS\n", FileKind::sceneDescription},
        KindCase{"SceneWithWindowsLineEnds", "FICHIER_VNT\r\n", FileKind::sceneDescription},
        // The scene loader itself refuses these, in its own words.
        KindCase{"SceneKindWithMoreOnTheLine", "FICHIER_VNT extra\n", FileKind::sceneDescription},
        KindCase{"SceneKindWithoutLineEnd", "FICHIER_VNT", FileKind::sceneDescription},
        KindCase{"MeshFile", "FICHIER_VNO\n", FileKind::mesh},
        KindCase{"LowerCaseSceneWord", "fichier_vnt\n", FileKind::mesh},
        KindCase{"BlankBeforeTheWord", " FICHIER_VNT\n", FileKind::mesh},
        KindCase{"EmptyFile", "", FileKind::mesh},
        KindCase{"Nonsense", "\x89PNG\r\n", FileKind::mesh}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(ViewedSceneTest, AFileThatCannotBeOpenedGoesToTheMeshLoaderAndIsRefused) {
    const std::string path = folder.path("missing.vnt").string();
    EXPECT_EQ(sniffFileKind(path.c_str()), FileKind::mesh);
    EXPECT_FALSE(loadViewedFile(engine, path.c_str()));
    ASSERT_EQ(boxTexts().size(), 1u);
    EXPECT_EQ(boxTexts()[0], "Impossible d'ouvrir le fichier " + path);
}

struct RefusalCase {
    const char* label;
    const char* content;
    bool accepted;
    const char* firstBox;  // with the path after it; "" for no box
};

class ViewedFileRefusal : public ViewedSceneTest,
                          public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ViewedFileRefusal, FollowsWhatTheLoaderOfItsKindSaid) {
    const std::string path = write("file", GetParam().content);
    EXPECT_EQ(loadViewedFile(engine, path.c_str()), GetParam().accepted);
    const std::string expected = GetParam().firstBox;
    if (expected.empty()) {
        EXPECT_TRUE(boxTexts().empty());
    } else {
        ASSERT_FALSE(boxTexts().empty());
        EXPECT_EQ(boxTexts()[0].rfind(expected, 0), 0u) << boxTexts()[0];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ViewedFileRefusal,
    ::testing::Values(
        RefusalCase{"SceneWithItsEndLine", "FICHIER_VNT\nFIN_FICHIER_VNT\n", true,
                    "Chargement Termin\xE9"},
        RefusalCase{"SecondKindSaysNothing", "FICHIER_VNS\nanything\n", true, ""},
        RefusalCase{"SceneKindWithMoreOnTheLine", "FICHIER_VNT extra\n", false,
                    "Fichier Non Valide:  "},
        RefusalCase{"SceneKindWithoutLineEnd", "FICHIER_VNT", false, "Fichier Non Valide:  "},
        RefusalCase{"MeshFileWithAMesh",
                    "FICHIER_VNO\nnone\nFIN_ALL_MATERIAUX\nmesh\nm\n0,0,0\n0,0,0\n1,1,1\n"
                    "FIN_MESH\n",
                    true, ""},
        RefusalCase{"NeitherKind", "FICHIER_XYZ\n", false, "Format de fichier inconnu"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(ViewedSceneTest, UnloadEmptiesEveryListAndKeepsTheSwitches) {
    engine.enableDetail();
    engine.disableBump();
    const std::string mesh = write("m.vno", scenetext::meshFile("box", "t.png"));
    const std::string scene = write("s.vnt", lines({"FICHIER_VNT", "CAMERA", "c", "0,0,1", "0,0,0",
                                                    "", "LUMIERE", "l", "0,0,0", "1,0,0", "1", "",
                                                    "MESH", mesh, "FIN_FICHIER_VNT"}));
    ASSERT_TRUE(loadViewedFile(engine, scene.c_str()));
    SceneCounts counts = countScene(engine);
    EXPECT_EQ(counts.cameras, 1u);
    EXPECT_EQ(counts.lights, 1u);
    EXPECT_EQ(counts.meshes, 1u);
    EXPECT_EQ(counts.textures, 1u);

    unloadScene(engine);
    counts = countScene(engine);
    EXPECT_EQ(counts.cameras + counts.lights + counts.meshes + counts.textures + counts.materials +
                  counts.triangles,
              0u);
    EXPECT_TRUE(engine.isDetailEnabled());
    EXPECT_FALSE(engine.isBumpEnabled());

    // Read again, the file gives the same lists with the same numbers.
    ASSERT_TRUE(loadViewedFile(engine, scene.c_str()));
    EXPECT_EQ(engine.cameras.all().at(0).getId(), 0);
    EXPECT_EQ(engine.lights.all().at(0).getId(), 0);
    EXPECT_EQ(countScene(engine).meshes, 1u);
}

TEST_F(ViewedSceneTest, CountsTheTrianglesOfEveryMesh) {
    Mesh first, second;
    first.addFace(triangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0}));
    first.addFace(triangle({0, 0, 0}, {1, 0, 0}, {0, 0, 1}));
    second.addFace(triangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0}));
    engine.meshes.add(first);
    engine.meshes.add(second);
    const SceneCounts counts = countScene(engine);
    EXPECT_EQ(counts.triangles, 3u);
    EXPECT_EQ(counts.meshes, 2u);
}

struct PlacementCase {
    const char* label;
    Vector3 position, rotation, scale;
    Vector3 low, high;
};

class SceneBoundsPlacement : public ::testing::TestWithParam<PlacementCase> {};

// The unit triangle (0,0,0), (1,0,0), (0,1,0) under one mesh transform.
TEST_P(SceneBoundsPlacement, BoxesTheCornersWhereTheyAreDrawn) {
    const PlacementCase& c = GetParam();
    MeshList meshes;
    Mesh mesh;
    mesh.setPosition(c.position);
    mesh.setRotation(c.rotation);
    mesh.setScale(c.scale);
    mesh.addFace(triangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0}));
    meshes.add(mesh);
    const Bounds bounds = sceneBounds(meshes);
    ASSERT_FALSE(bounds.empty);
    const float eps = 1e-5f;
    EXPECT_NEAR(bounds.low.x, c.low.x, eps);
    EXPECT_NEAR(bounds.low.y, c.low.y, eps);
    EXPECT_NEAR(bounds.low.z, c.low.z, eps);
    EXPECT_NEAR(bounds.high.x, c.high.x, eps);
    EXPECT_NEAR(bounds.high.y, c.high.y, eps);
    EXPECT_NEAR(bounds.high.z, c.high.z, eps);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SceneBoundsPlacement,
    ::testing::Values(
        PlacementCase{"AsWritten", {0, 0, 0}, {0, 0, 0}, {1, 1, 1}, {0, 0, 0}, {1, 1, 0}},
        PlacementCase{"Moved", {5, -2, 3}, {0, 0, 0}, {1, 1, 1}, {5, -2, 3}, {6, -1, 3}},
        PlacementCase{"Scaled", {0, 0, 0}, {0, 0, 0}, {2, 3, 4}, {0, 0, 0}, {2, 3, 0}},
        // +X turns to -Z about Y, +Y to +Z about X, +X to +Y about Z.
        PlacementCase{"TurnedAboutY", {0, 0, 0}, {0, 90, 0}, {1, 1, 1}, {0, 0, -1}, {0, 1, 0}},
        PlacementCase{"TurnedAboutX", {0, 0, 0}, {90, 0, 0}, {1, 1, 1}, {0, 0, 0}, {1, 0, 1}},
        PlacementCase{"TurnedAboutZ", {0, 0, 0}, {0, 0, 90}, {1, 1, 1}, {-1, 0, 0}, {0, 1, 0}},
        // Scale first, then Z, Y, X, then the move: the order of the drawing's matrix calls.
        PlacementCase{"ScaledTurnedMoved", {10, 0, 0}, {0, 90, 0}, {2, 1, 1}, {10, 0, -2},
                      {10, 1, 0}},
        PlacementCase{"ZThenX", {0, 0, 0}, {90, 0, 90}, {1, 1, 1}, {-1, 0, 0}, {0, 0, 1}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(SceneBounds, NoMeshesGiveAnEmptyBoxAndCornersThatAreNotNumbersAreLeftOut) {
    MeshList meshes;
    EXPECT_TRUE(sceneBounds(meshes).empty);
    EXPECT_EQ(sceneBounds(meshes).radius(), 0.0f);

    Mesh mesh;
    mesh.setScale({1, 1, 1});
    mesh.addFace(triangle({NAN, 0, 0}, {INFINITY, 0, 0}, {2, 2, 2}));
    meshes.add(mesh);
    const Bounds bounds = sceneBounds(meshes);
    ASSERT_FALSE(bounds.empty);
    EXPECT_EQ(bounds.low.x, 2.0f);
    EXPECT_EQ(bounds.high.x, 2.0f);
    EXPECT_EQ(bounds.radius(), 0.0f);
}

TEST(SceneBounds, CentreAndRadiusOfTheBox) {
    Bounds bounds;
    bounds.add({-1, -2, -2});
    bounds.add({3, 2, 0});
    EXPECT_FLOAT_EQ(bounds.center().x, 1.0f);
    EXPECT_FLOAT_EQ(bounds.center().y, 0.0f);
    EXPECT_FLOAT_EQ(bounds.center().z, -1.0f);
    EXPECT_FLOAT_EQ(bounds.radius(), 3.0f);  // half of the diagonal (4, 4, 2)
}

TEST(FileName, IsTheLastPartOfThePath) {
    EXPECT_EQ(fileNameOf("scene/example.vnt"), "example.vnt");
    EXPECT_EQ(fileNameOf("/a/b/c.vno"), "c.vno");
    EXPECT_EQ(fileNameOf("plain.vno"), "plain.vno");
    EXPECT_EQ(fileNameOf("dir/"), "");
}

}  // namespace
