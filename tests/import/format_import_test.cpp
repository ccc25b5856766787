// The test model written by each of Assimp's exporters and imported back: the engine loads
// what vorn-import writes with no message but its "loaded" note, and holds exactly the
// model's triangles, corners, textures, colours, cameras and lights.
#include "import_fixture.h"

#include <gmock/gmock.h>

using namespace importtest;
using ::testing::HasSubstr;

namespace {

struct FormatCase {
    const char* exporter;
    const char* file;
    bool linesAndPoints;  // the format can hold them, so the model has them
    long points, lines;   // dropped, as the format brings them back
    bool texture;         // the format names the quad's image
    bool materialColour;  // the format keeps the plain material's colour
    bool vertexColours;
    bool camera, light;
};

std::ostream& operator<<(std::ostream& out, const FormatCase& c) { return out << c.exporter; }

const FormatCase formats[] = {
    // The OBJ exporter gives every vertex a colour, black where the mesh had none.
    {"obj", "model.obj", true, 2, 2, true, false, true, false, false},
    {"gltf2", "model.gltf", true, 2, 2, true, true, true, false, false},
    {"glb2", "model.glb", true, 2, 2, true, true, true, false, false},
    {"collada", "model.dae", true, 0, 2, true, true, true, true, true},
    // PLY holds one material: the quad's image on every face.
    {"ply", "model.ply", true, 2, 2, true, false, true, false, false},
    {"stlb", "model.stl", false, 0, 0, false, false, false, false, false},
    {"fbxa", "model.fbx", true, 2, 2, true, true, true, false, true},
};

class FormatImport : public ::testing::TestWithParam<FormatCase> {
protected:
    void SetUp() override {
        const FormatCase& format = GetParam();
        TestModelParts parts;
        parts.linesAndPoints = format.linesAndPoints;
        const auto scene = makeTestScene(parts);
        std::filesystem::create_directories(folder.path() / "models" / "Textures");
        writePng(folder.path() / "models" / "Textures" / "checker.png", 4, 4, 200, 100, 50);
        ASSERT_EQ(exportScene(*scene, format.exporter, folder.path() / "models" / format.file), "");
        run = runImport(folder.path(), std::string("models/") + format.file + " -o out --no-shade");
        ASSERT_EQ(run.exitCode, 0) << run.err;
        inspected = inspectScene(folder.path(), "out/model.vnt");
    }

    ImportFolder folder;
    ToolRun run;
    InspectedScene inspected;
};

const Vec3 white{1, 1, 1};

}  // namespace

TEST_P(FormatImport, TheEngineLoadsTheSceneWithoutAMessage) {
    EXPECT_EQ(inspected.run.exitCode, 0);
    EXPECT_EQ(inspected.run.err, loadedWithoutMessages);
    EXPECT_EQ(inspected.meshes, 1);
}

TEST_P(FormatImport, VornCheckFindsNoError) {
    const ToolRun check = runIn(folder.path(), std::string("'") + VORN_CHECK + "' out/model.vnt");
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_THAT(check.err, HasSubstr("0 errors"));
}

TEST_P(FormatImport, HoldsEveryTriangleOfEveryUseOfEveryMesh) {
    // Two uses of the quad (2 triangles each), the pentagon (3) and the coloured triangle (1).
    EXPECT_EQ(inspected.faces.size(), 8u);
    EXPECT_THAT(run.out, HasSubstr("triangles:  8\n"));
    EXPECT_THAT(run.out, HasSubstr("dropped:    " + std::to_string(GetParam().points) + " point"));
    EXPECT_THAT(run.out, HasSubstr(std::to_string(GetParam().lines) + " line"));
}

TEST_P(FormatImport, CornersLieWhereTheNodesPlaceThem) {
    // The quad's corner (1, 0, 0) scaled by (2, 1, 3), turned about Y and moved by (1, 2, 3);
    // its corner (0, 1, 0) the same way; and (1, 0, 0) moved by (5, 0, 0).
    for (const Vec3& corner : {Vec3{1, 2, 1}, Vec3{1, 3, 3}, Vec3{6, 0, 0}, Vec3{-3, 0, 0}, Vec3{0, -2, 0}})
        EXPECT_FALSE(inspected.facesAt(corner).empty()) << corner[0] << ", " << corner[1] << ", " << corner[2];
    EXPECT_EQ(inspected.facesAt({1, 2, 1}).size() + inspected.facesAt({1, 2, 3}).size(), 3u);
}

TEST_P(FormatImport, FaceNormalsFollowTheWinding) {
    for (const InspectedFace& face : inspected.faces) {
        const Vec3& a = face.corners[0].position, &b = face.corners[1].position, &c = face.corners[2].position;
        const Vec3 u{b[0] - a[0], b[1] - a[1], b[2] - a[2]}, v{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const Vec3 n{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(face.normal[i], n[i] / length, 1e-4f);
    }
}

TEST_P(FormatImport, EveryMaterialHasBaseDetailAndBumpLayers) {
    ASSERT_FALSE(inspected.materials.empty());
    for (const InspectedMaterial& material : inspected.materials) {
        EXPECT_NE(inspected.textureName(material.base), "");
        EXPECT_EQ(inspected.textureName(material.detail), "out/model-textures/grey.png");
        EXPECT_EQ(inspected.textureName(material.bump), "out/model-textures/white.png");
    }
    const std::string quadTexture = inspected.baseTextureOf(*inspected.facesAt({6, 0, 0}).front());
    EXPECT_EQ(quadTexture, GetParam().texture ? "out/model-textures/checker.png" : "out/model-textures/white.png");
    if (GetParam().materialColour) {
        EXPECT_EQ(inspected.baseTextureOf(*inspected.facesAt({-3, 0, 0}).front()), "out/model-textures/white.png");
    }
}

TEST_P(FormatImport, CornerColoursComeFromVerticesOrMaterials) {
    const InspectedFace& coloured = *inspected.facesAt({0, -2, 0}).front();
    if (GetParam().vertexColours) {
        EXPECT_EQ(coloured.corners[0].colour, (Vec3{1, 0, 0}));
        EXPECT_EQ(coloured.corners[1].colour, (Vec3{0, 1, 0}));
        EXPECT_EQ(coloured.corners[2].colour, (Vec3{0, 0, 1}));
    }
    const InspectedFace& plain = *inspected.facesAt({-3, 0, 0}).front();
    if (GetParam().materialColour) {
        for (const InspectedCorner& corner : plain.corners) {
            EXPECT_NEAR(corner.colour[0], 0.2f, 1e-6f);
            EXPECT_NEAR(corner.colour[1], 0.4f, 1e-6f);
            EXPECT_NEAR(corner.colour[2], 0.6f, 1e-6f);
        }
        EXPECT_EQ(inspected.facesAt({6, 0, 0}).front()->corners[0].colour, white);
    }
}

TEST_P(FormatImport, DetailCoordinatesAreEightTimesTheBase) {
    for (const InspectedFace& face : inspected.faces)
        for (const InspectedCorner& corner : face.corners) {
            EXPECT_FLOAT_EQ(corner.detail[0], corner.base[0] * 8.0f);
            EXPECT_FLOAT_EQ(corner.detail[1], corner.base[1] * 8.0f);
            EXPECT_EQ(corner.bump, corner.base);
        }
}

TEST_P(FormatImport, CamerasAndLightsMatchTheModel) {
    ASSERT_EQ(inspected.cameras.size(), GetParam().camera ? 1u : 0u);
    if (GetParam().camera) {
        EXPECT_EQ(inspected.cameras[0].name, "Eye");
        EXPECT_EQ(inspected.cameras[0].position, (Vec3{0, 1, 10}));
        EXPECT_EQ(inspected.cameras[0].target, (Vec3{0, 1, 9}));
    }
    ASSERT_EQ(inspected.lights.size(), GetParam().light ? 1u : 0u);
    if (GetParam().light) {
        EXPECT_EQ(inspected.lights[0].name, "Lamp");
        EXPECT_EQ(inspected.lights[0].position, (Vec3{3, 4, 5}));
        EXPECT_EQ(inspected.lights[0].colour, (Vec3{1, 0.5f, 0.25f}));
    }
}

INSTANTIATE_TEST_SUITE_P(AssimpExporters, FormatImport, ::testing::ValuesIn(formats),
                         [](const auto& info) { return std::string(info.param.exporter); });

TEST(ColladaLight, RadiusIsWhereTheLightFadesTo1In256) {
    ImportFolder folder;
    ASSERT_EQ(exportScene(*makeTestScene(), "collada", folder.path() / "lamp.dae"), "");
    ASSERT_EQ(runImport(folder.path(), "lamp.dae --scale 3").exitCode, 0);
    const InspectedScene scene = inspectScene(folder.path(), "lamp.vnt");
    ASSERT_EQ(scene.lights.size(), 1u);
    // 1 + d^2 = 256 at d = 15.97; times the scale of 3 is 47.9, and the engine keeps whole radii.
    EXPECT_EQ(scene.lights[0].radius, 48.0f);
    EXPECT_EQ(scene.lights[0].position, (Vec3{9, 12, 15}));
    EXPECT_EQ(scene.cameras.at(0).position, (Vec3{0, 3, 30}));
    EXPECT_EQ(scene.cameras.at(0).target, (Vec3{0, 3, 29}));
    EXPECT_FALSE(scene.facesAt({18, 0, 0}).empty());
}
