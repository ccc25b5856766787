// The scene description loader on files that end too early: it stops where the file ends,
// keeps every block read in full, says so once, and always closes the file.
#include "scene_fixture.h"

using scenetext::lines;

namespace {

// Lines (from 1) of the worked example where its entries are complete; texture names are
// added as they are read, so the texture is there from its own line on.
constexpr int textureName = 3;
constexpr int cameraBlockEnd = 9;
constexpr int lightBlockEnd = 15;
constexpr int meshEntryEnd = 17;
constexpr int exampleLines = 18;

}  // namespace

// The worked example cut after each of its lines, with or without the last line's line end.
struct Cut {
    int keptLines;
    bool lastLineEnded;
};

class EndAfterLineTest : public SceneDescriptionTest, public ::testing::WithParamInterface<Cut> {};

TEST_P(EndAfterLineTest, KeepsTheCompleteEntriesAndSaysSo) {
    const auto [kept, ended] = GetParam();
    const std::vector<std::string> all = scenetext::workedExample(meshPath);
    std::string text = lines({all.begin(), all.begin() + kept});
    if (!ended) text.pop_back();
    const std::string path = loadText(text);

    // A last line without its line end is still a line, unless it is empty: then it is no line.
    const int read = ended || !all[kept - 1].empty() ? kept : kept - 1;
    if (kept == 1 && !ended) {
        EXPECT_EQ(boxes(), std::vector<Box>{box(invalidFile + path)});
        return;
    }
    EXPECT_EQ(boxes(), std::vector<Box>{box(endOfFile + path)});
    EXPECT_EQ(engine.textures.all().empty(), read < textureName);
    EXPECT_EQ(engine.cameras.all().size(), read >= cameraBlockEnd ? 1u : 0u);
    EXPECT_EQ(engine.lights.all().size(), read >= lightBlockEnd ? 1u : 0u);
    EXPECT_EQ(engine.meshes.all().size(), read >= meshEntryEnd ? 1u : 0u);
}

std::vector<Cut> everyCut() {
    std::vector<Cut> cuts;
    for (int kept = 1; kept < exampleLines; ++kept) {
        cuts.push_back({kept, true});
        cuts.push_back({kept, false});
    }
    return cuts;
}

INSTANTIATE_TEST_SUITE_P(SceneDescription, EndAfterLineTest, ::testing::ValuesIn(everyCut()),
                         [](const auto& info) {
                             return "After" + std::to_string(info.param.keptLines) +
                                    (info.param.lastLineEnded ? "Lines" : "LinesWithoutLineEnd");
                         });

// The end of the file inside each kind of block, after what came before it.
struct EndInBlockCase {
    const char* name;
    std::vector<std::string> body;  // after the kind line, each line ended
    std::size_t textures;
    std::size_t cameras;
    std::size_t lights;
};

class EndInBlockTest : public SceneDescriptionTest,
                       public ::testing::WithParamInterface<EndInBlockCase> {};

TEST_P(EndInBlockTest, KeepsWhatWasAddedBeforeTheEnd) {
    const EndInBlockCase& c = GetParam();
    std::vector<std::string> all = {"FICHIER_VNT"};
    all.insert(all.end(), c.body.begin(), c.body.end());
    const std::string path = loadText(lines(all));
    EXPECT_EQ(boxes(), std::vector<Box>{box(endOfFile + path)});
    EXPECT_EQ(engine.textures.all().size(), c.textures);
    EXPECT_EQ(engine.cameras.all().size(), c.cameras);
    EXPECT_EQ(engine.lights.all().size(), c.lights);
    EXPECT_TRUE(engine.meshes.all().empty());
}

INSTANTIATE_TEST_SUITE_P(
    SceneDescription, EndInBlockTest,
    ::testing::Values(
        EndInBlockCase{"OnlyTheKindLine", {}, 0, 0, 0},
        EndInBlockCase{"AtTheTopLevel",
                       {"TEXTURE", "a.png", "FIN_TEXTURE", "free text", ""}, 1, 0, 0},
        EndInBlockCase{"InATextureBlock", {"TEXTURE", "a.png", "b.png"}, 2, 0, 0},
        EndInBlockCase{"InATextureBlockAfterTheEndLine",
                       {"TEXTURE", "a.png", "FIN_FICHIER_VNT"}, 2, 0, 0},
        EndInBlockCase{"InATextureBlockAfterAnother",
                       {"TEXTURE", "a.png", "FIN_TEXTURE", "TEXTURE", "b.png"}, 2, 0, 0},
        EndInBlockCase{"AfterTheCameraKeyword", {"CAMERA"}, 0, 0, 0},
        EndInBlockCase{"BeforeTheCameraTarget", {"CAMERA", "cam", "1,2,3"}, 0, 0, 0},
        EndInBlockCase{"BeforeTheCamerasIgnoredLine", {"CAMERA", "cam", "1,2,3", "4,5,6"}, 0, 0, 0},
        EndInBlockCase{"AfterTheLightKeyword", {"LUMIERE"}, 0, 0, 0},
        EndInBlockCase{"BeforeTheLightRadius", {"LUMIERE", "lamp", "0,0,0", "1,1,1"}, 0, 0, 0},
        EndInBlockCase{"BeforeTheLightsIgnoredLine",
                       {"LUMIERE", "lamp", "0,0,0", "1,1,1", "2"}, 0, 0, 0},
        EndInBlockCase{"InALightAfterACamera",
                       {"CAMERA", "cam", "1,2,3", "4,5,6", "", "LUMIERE", "lamp"}, 0, 1, 0},
        EndInBlockCase{"AfterTheMeshKeyword", {"MESH"}, 0, 0, 0},
        EndInBlockCase{"AfterALightBeforeAMeshPath",
                       {"LUMIERE", "lamp", "0,0,0", "1,1,1", "2", "", "MESH"}, 0, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Cut after every byte, with either kind of line end: one message of the loader's own, at most
// one of each entry, no file left open.
class EndAtEveryByteTest : public SceneDescriptionTest,
                           public ::testing::WithParamInterface<const char*> {};

TEST_P(EndAtEveryByteTest, NeverLoopsAndAlwaysCloses) {
    const std::string whole = lines(scenetext::workedExample(meshPath), GetParam());
    const int descriptorsBefore = openDescriptors();
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        Engine fresh;
        fresh.materials.init(fresh.textures, fresh.extensions);
        fresh.meshes.init(fresh.materials, fresh.extensions);
        platform::fake::reset();
        const std::string path = write(whole.substr(0, cut));
        fresh.loadSceneDescription(path.c_str());

        // A mesh path cut short names no file or a directory, and the mesh loader says so first.
        ASSERT_GE(boxes().size(), 1u) << "cut " << cut;
        ASSERT_LE(boxes().size(), 2u) << "cut " << cut;
        if (boxes().size() == 2) {
            const std::string& first = boxes()[0].text;
            EXPECT_TRUE(first.rfind(openFailure, 0) == 0 || first == "Format de fichier inconnu")
                << first;
        }
        const std::string& text = boxes().back().text;
        const bool complete = cut >= whole.rfind("FIN_FICHIER_VNT") + 15;
        if (complete) {
            EXPECT_EQ(boxes().back(), box(completed, "Information"));
        } else {
            EXPECT_TRUE(text == invalidFile + path || text == endOfFile + path) << text;
        }
        EXPECT_LE(fresh.textures.all().size(), 2u);
        EXPECT_LE(fresh.cameras.all().size(), 1u);
        EXPECT_LE(fresh.lights.all().size(), 1u);
        EXPECT_LE(fresh.meshes.all().size(), 1u);
        for (const Camera& camera : fresh.cameras.all()) EXPECT_STREQ(camera.name, "Camera01");
        for (const Light& light : fresh.lights.all()) EXPECT_STREQ(light.name, "Lamp01");
    }
    EXPECT_EQ(openDescriptors(), descriptorsBefore);
}

INSTANTIATE_TEST_SUITE_P(SceneDescription, EndAtEveryByteTest, ::testing::Values("\n", "\r\n"));

TEST_F(SceneDescriptionTest, EveryOutcomeClosesTheFile) {
    const int descriptorsBefore = openDescriptors();
    for (const std::string& text :
         {lines(scenetext::workedExample(meshPath)), lines({"FICHIER_VNS", "x"}),
          lines({"not a scene"}), std::string(), lines({"FICHIER_VNT", "CAMERA", "c"}),
          lines({"FICHIER_VNT", "MESH", "absent.vno", "FIN_FICHIER_VNT"})}) {
        loadText(text);
    }
    engine.loadSceneDescription((dir / "absent.vnt").string().c_str());
    EXPECT_EQ(openDescriptors(), descriptorsBefore);
    EXPECT_EQ(boxes().size(), 7u);
}
