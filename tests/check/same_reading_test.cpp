// The checker reads what the engine reads: the engine's loader and the checker go over the
// same files, broken ones included, and must agree on every value the engine keeps. Also,
// every message box the loaders show for a file has a diagnostic of the checker behind it.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "check_fixture.h"
#include "engine/engine.h"
#include "tools/check/report.h"

namespace {

std::uint32_t bits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

void expectSame(const Vector3& engine, const Vector3& checker, const std::string& what) {
    EXPECT_EQ(bits(engine.x), bits(checker.x)) << what;
    EXPECT_EQ(bits(engine.y), bits(checker.y)) << what;
    EXPECT_EQ(bits(engine.z), bits(checker.z)) << what;
}

// The engine's lists wired as its start-up wires them, without a rendering context.
class SameReading : public CheckTest {
protected:
    void SetUp() override {
        CheckTest::SetUp();
        platform::fake::reset();
        materials.init(textures, extensions);
        meshes.init(materials, extensions);
        platform::fake::reset();
    }

    // Loads `name` with both and compares everything the engine keeps.
    void compare(const std::string& name) {
        SCOPED_TRACE(name);
        meshes.load(name.c_str());
        MeshFileValues read;
        CheckRun run;
        run.checkMeshFile(name, &read);
        ASSERT_EQ(meshes.all().size(), read.hasMesh ? 1u : 0u) << findingsAsText(run.findings());
        if (!read.hasMesh) return;
        const Mesh& mesh = meshes.all().front();
        EXPECT_EQ(std::string(mesh.name), read.meshName);
        expectSame(mesh.position, read.position, "position");
        expectSame(mesh.rotation, read.rotation, "rotation");
        expectSame(mesh.scale, read.scale, "scale");

        // One material id per block the engine kept, in block order.
        ASSERT_EQ(mesh.materialIds.size(), read.materials.size());
        for (std::size_t block = 0; block < read.materials.size(); ++block) {
            const Material& m = materials.all().at(std::size_t(mesh.materialIds[block]));
            const MaterialValues& v = read.materials[block];
            expectTexture(m.getBaseTexture(), v.baseTexture, read);
            expectTexture(m.getDetailTexture(), v.detailTexture, read);
            expectTexture(m.getBumpTexture(), v.bumpTexture, read);
            EXPECT_EQ(bits(m.getBaseScrollU()), bits(v.baseScrollU));
            EXPECT_EQ(bits(m.getBaseScrollV()), bits(v.baseScrollV));
            EXPECT_EQ(m.getBaseSphereMap(), v.baseSphereMap);
            EXPECT_EQ(bits(m.getDetailScrollU()), bits(v.detailScrollU));
            EXPECT_EQ(bits(m.getDetailScrollV()), bits(v.detailScrollV));
            EXPECT_EQ(m.getDetailSphereMap(), v.detailSphereMap);
            EXPECT_EQ(bits(m.getBumpParameter()), bits(v.bumpParameter));
        }

        ASSERT_EQ(mesh.faces.size(), read.faces.size());
        for (std::size_t i = 0; i < read.faces.size(); ++i) {
            const Face& e = mesh.faces[i];
            const Face& c = read.faces[i];
            const int index = c.materialId;
            const bool named = index >= 0 && std::size_t(index) < mesh.materialIds.size();
            EXPECT_EQ(e.materialId, named ? mesh.materialIds[std::size_t(index)] : -1);
            expectSame(e.normal, c.normal, "normal");
            for (int k = 0; k < 3; ++k) {
                const Vertex& ev = e.vertices[k];
                const Vertex& cv = c.vertices[k];
                expectSame(ev.position, cv.position, "corner");
                const float engineValues[] = {ev.baseU, ev.baseV, ev.detailU, ev.detailV, ev.bumpU,
                                              ev.bumpV, ev.color[0], ev.color[1], ev.color[2]};
                const float checkerValues[] = {cv.baseU, cv.baseV, cv.detailU, cv.detailV, cv.bumpU,
                                               cv.bumpV, cv.color[0], cv.color[1], cv.color[2]};
                for (int j = 0; j < 9; ++j) EXPECT_EQ(bits(engineValues[j]), bits(checkerValues[j]));
            }
        }
    }

    // A texture id of the engine against an entry index as written: the same file and wrap
    // mode, or none on both sides.
    void expectTexture(int id, int index, const MeshFileValues& read) {
        const bool named = index >= 0 && std::size_t(index) < read.textureNames.size();
        if (!named) {
            EXPECT_EQ(id, -1);
            return;
        }
        ASSERT_GE(id, 0);
        const Texture& texture = textures.all().at(std::size_t(id));
        EXPECT_EQ(std::string(texture.fileName), read.textureNames[std::size_t(index)]);
        EXPECT_EQ(texture.wrapMode, read.textureRepeats[std::size_t(index)] ? 0 : 1);
    }

    TextureList textures;
    GlExtensions extensions;
    MaterialList materials;
    MeshList meshes;
};

}  // namespace

TEST_F(SameReading, OnTheDemoScene) {
    compare(std::string(VORN_SOURCE_DIR) + "/scene/2cube.vno");
}

TEST_F(SameReading, OnEveryBrokenMeshFile) {
    for (const BrokenFile& c : brokenFiles()) {
        if (std::string(c.file) != "broken.vno") continue;
        write("broken.vno", c.text);
        meshes.clear();
        compare("broken.vno");
    }
}

// Random damage to the worked example: bytes changed, lost or doubled, lines lost or doubled.
// Whatever the file has become, both read the same values, and every finding lies in the file.
TEST_F(SameReading, OnRandomlyDamagedFiles) {
    std::mt19937 random(10);
    const std::string example = meshtext::workedExample;
    for (int round = 0; round < 400; ++round) {
        const std::string text = checktext::damaged(example, random);
        write("damaged.vno", text);
        meshes.clear();
        compare("damaged.vno");
        const int lineCount = int(std::count(text.begin(), text.end(), '\n')) + 1;
        for (const Finding& f : check("damaged.vno")) {
            EXPECT_GE(f.line, 1);
            EXPECT_LE(f.line, lineCount);
            EXPECT_GE(f.column, 1);
            EXPECT_FALSE(f.message.empty());
        }
        if (HasFailure()) {
            ADD_FAILURE() << "round " << round << ":\n" << text;
            return;
        }
    }
}

// Each box the loaders can show for a file's contents, and the finding that goes with it.
TEST_F(SameReading, EveryMessageBoxOfTheLoadersHasADiagnostic) {
    struct BoxCase {
        const char* name;
        std::string text;   // the file given to the loader
        bool scene;
        const char* box;    // the start of the box's text
        const char* code;   // the checker's finding
    };
    const std::string cut = meshtext::firstLines(meshtext::workedExample, 30);
    std::vector<std::pair<std::string, std::string>> entries(101, {"textures/stone.jpg", "REPEAT"});
    const BoxCase cases[] = {
        {"magic", checktext::exampleWith(1, "FICHIER_VNO "), false, "Format de fichier inconnu", "bad-first-line"},
        {"end", cut, false, "Fin de fichier inattendue dans le fichier ", "unexpected-end"},
        {"textures", meshtext::file(entries, {meshtext::Block{}}, {}), false,
         "Trop de textures dans le fichier ", "too-many-textures"},
        {"materials", meshtext::file({{"textures/stone.jpg", "REPEAT"}}, std::vector<meshtext::Block>(100), {}),
         false, "Trop de materiaux dans le fichier ", "too-many-materials"},
        {"kind", "FICHIER_VNT \n", true, "Fichier Non Valide:  ", "bad-first-line"},
        {"sceneEnd", "FICHIER_VNT\nCAMERA\nc\n", true, "Fin de fichier inattendue dans le fichier ",
         "unexpected-end"},
        {"sceneMesh", "FICHIER_VNT\nMESH\nnone.vno\nFIN_FICHIER_VNT\n", true,
         "Impossible d'ouvrir le fichier ", "cannot-open"},
    };
    // The engine's lists linked as its start-up links them, without its capability check.
    Engine engine;
    engine.materials.init(engine.textures, engine.extensions);
    engine.meshes.init(engine.materials, engine.extensions);
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = c.scene ? "box.vnt" : "box.vno";
        write(name, c.text);
        platform::fake::reset();
        if (c.scene) engine.loadSceneDescription(name.c_str());
        else meshes.load(name.c_str());
        ASSERT_FALSE(platform::fake::messageBoxes().empty());
        EXPECT_EQ(platform::fake::messageBoxes().front().text.rfind(c.box, 0), 0u)
            << platform::fake::messageBoxes().front().text;
        bool covered = false;
        for (const Finding& f : check(name))
            covered = covered || (f.code == c.code && f.severity == Severity::error);
        EXPECT_TRUE(covered);
    }
}
