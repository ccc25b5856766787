// The scene description loader on bytes in memory: the same text read from a stream and from a
// file gives the same records and the same messages.
#include <algorithm>
#include <cstdio>

#include "scene_fixture.h"

namespace {

struct StreamCase {
    const char* label;
    std::vector<std::string> lines;
    const char* lineEnd;
};

class SceneDescriptionStreamTest : public SceneDescriptionTest,
                                   public ::testing::WithParamInterface<StreamCase> {
protected:
    struct Outcome {
        std::vector<std::string> textures, cameras, lights, meshes;
        std::vector<Box> boxes;
        bool operator==(const Outcome&) const = default;
    };
    Outcome outcome() const {
        return {textureNames(), cameraNames(), lightNames(), meshNames(), boxes()};
    }
};

TEST_P(SceneDescriptionStreamTest, ReadsAsTheSameBytesInAFile) {
    std::vector<std::string> lines = GetParam().lines;
    std::replace(lines.begin(), lines.end(), std::string("MESH_PATH"), meshPath);
    std::string text = scenetext::lines(lines, GetParam().lineEnd);
    const std::string path = loadText(text);
    const Outcome fromFile = outcome();

    // The same engine emptied, so that the second load starts where the first did.
    engine.cameras = CameraList{};
    engine.lights = LightList{};
    engine.meshes.clear();
    engine.materials.clear();
    engine.textures.clear();
    platform::fake::reset();
    std::FILE* stream = fmemopen(text.data(), text.size(), "rb");
    ASSERT_NE(stream, nullptr);
    engine.loadSceneDescription(stream, path.c_str());
    EXPECT_EQ(outcome(), fromFile);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SceneDescriptionStreamTest,
    ::testing::Values(
        StreamCase{"WorkedExample", scenetext::workedExample("MESH_PATH"), "\n"},
        StreamCase{"WorkedExampleCrLf", scenetext::workedExample("MESH_PATH"), "\r\n"},
        StreamCase{"CutInALight", {"FICHIER_VNT", "LUMIERE", "Lamp01", "1,2,3"}, "\n"},
        StreamCase{"NotValid", {"FICHIER_VNT "}, "\n"},
        StreamCase{"SecondKind", {"FICHIER_VNS", "CAMERA"}, "\n"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(SceneDescriptionTest, NoStreamIsAFileThatCannotBeOpened) {
    engine.loadSceneDescription(static_cast<std::FILE*>(nullptr), "in memory");
    EXPECT_EQ(boxes(), std::vector<Box>{box(std::string(openFailure) + "in memory")});
    EXPECT_TRUE(cameraNames().empty());
}

}  // namespace
