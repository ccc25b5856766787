// The mesh file reader on files outside the format: files that end early, tables that would
// overflow, indices that name nothing, names and messages longer than their buffers.
#include <filesystem>

#include "mesh_file_fixture.h"

using meshtext::Block;
using meshtext::file;

namespace {

const std::string endMessage = "Fin de fichier inattendue dans le fichier ";

}  // namespace

// The worked example cut after each of its lines: what was read in full stays.
class EndOfFileAfterLineTest : public MeshFileTest, public ::testing::WithParamInterface<int> {};

TEST_P(EndOfFileAfterLineTest, KeepsWhatWasCompleteAndSaysSo) {
    const int kept = GetParam();
    const std::string path = write(meshtext::firstLines(meshtext::workedExample, kept));
    const bool placed = kept >= meshtext::exampleScaleLine;
    EXPECT_EQ(load(path), placed ? 0 : -1);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{endMessage + path});
    expectEveryBoxIsAnError();
    EXPECT_EQ(textures.all().size(), kept >= meshtext::exampleWrapLine ? 1u : 0u);
    EXPECT_EQ(materials.all().size(), kept >= meshtext::exampleMaterialEnd ? 1u : 0u);
    ASSERT_EQ(meshes.all().size(), placed ? 1u : 0u);
    if (placed) {
        EXPECT_STREQ(onlyMesh().name, "floor");
        EXPECT_EQ(onlyMesh().scale.x, 2.0f);
        EXPECT_EQ(onlyMesh().faces.size(), kept >= meshtext::exampleFaceEnd ? 1u : 0u);
        EXPECT_EQ(onlyMesh().materialIds, std::vector<int>{0});
    }
}

INSTANTIATE_TEST_SUITE_P(MeshFile, EndOfFileAfterLineTest,
                         ::testing::Range(1, meshtext::exampleLineCount));

TEST_F(MeshFileTest, EndOfFileAnywhereEndsTheLoadAndClosesTheFile) {
    const std::string whole = meshtext::workedExample;
    std::string crlf;
    for (char c : whole) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const int descriptorsBefore = openDescriptors();
    for (const std::string& text : {whole, crlf}) {
        for (std::size_t cut = 0; cut < text.size(); ++cut) {
            platform::fake::reset();
            meshes.clear();
            materials.clear();
            textures.clear();
            const int result = loadText(text.substr(0, cut));
            // Only a cut after the whole of FIN_MESH leaves a complete file.
            const bool complete = cut >= text.rfind("FIN_MESH") + 8;
            ASSERT_EQ(platform::fake::messageBoxes().size(), complete ? 0u : 1u) << "cut " << cut;
            EXPECT_EQ(result == -1, meshes.all().empty());
            EXPECT_LE(meshes.all().size(), 1u);
            EXPECT_LE(textures.all().size(), 1u);
            EXPECT_LE(materials.all().size(), 1u);
            if (!meshes.all().empty()) {
                EXPECT_LE(meshes.all()[0].faces.size(), 1u);
            }
        }
    }
    EXPECT_EQ(openDescriptors(), descriptorsBefore);
}

TEST_F(MeshFileTest, EveryOutcomeClosesTheFile) {
    const int descriptorsBefore = openDescriptors();
    load(write(meshtext::workedExample));
    load(write("not a mesh file\n"));
    load(write("FICHIER_VNO\nTEXTURE\n"));
    load((dir / "absent").string());
    EXPECT_EQ(openDescriptors(), descriptorsBefore);
}

TEST_F(MeshFileTest, FaceCutShortIsNotAddedButEarlierFacesAre) {
    std::string text = file({{"a.png", "REPEAT"}}, {Block{}}, {"0", "0", "0"});
    text = text.substr(0, text.rfind("end of corner"));  // inside the third face's last corner
    ASSERT_EQ(loadText(text), 0);
    EXPECT_EQ(onlyMesh().faces.size(), 2u);
    EXPECT_EQ(onlyMesh().faces[1].vertices[0].position.x, 10.0f);
    EXPECT_EQ(boxTexts().size(), 1u);
}

// Tables: at most 100 texture entries and 99 material blocks are taken; the rest are read.
struct TableCase {
    const char* label;
    int entries;  // texture entries (materialCase false) or material blocks
    bool materialCase;
};

class TableLimitTest : public MeshFileTest, public ::testing::WithParamInterface<TableCase> {};

TEST_P(TableLimitTest, TakesWhatFitsReadsTheRestAndSaysSoOnce) {
    const TableCase& c = GetParam();
    std::vector<std::pair<std::string, std::string>> entries;
    std::vector<Block> blocks;
    if (c.materialCase) {
        entries.push_back({"a.png", "REPEAT"});
        for (int i = 0; i < c.entries; ++i) {
            Block block;
            block.baseScrollU = std::to_string(i);  // all distinct
            blocks.push_back(block);
        }
    } else {
        for (int i = 0; i < c.entries; ++i) entries.push_back({"t" + std::to_string(i), "REPEAT"});
        for (const char* index : {"0", "99", "100"}) {
            Block block;
            block.base = index;
            block.baseScrollU = index;
            blocks.push_back(block);
        }
    }
    const std::string path = write(file(entries, blocks, {"0", "98", "99"}));
    ASSERT_EQ(load(path), 0);
    expectEveryBoxIsAnError();
    const int limit = c.materialCase ? 99 : 100;
    std::vector<std::string> expectedBoxes;
    if (c.entries > limit)
        expectedBoxes.push_back(
            (c.materialCase ? "Trop de materiaux dans le fichier " : "Trop de textures dans le fichier ") +
            path);
    EXPECT_EQ(boxTexts(), expectedBoxes);
    // The lines after the refused entries are still read in their places.
    EXPECT_STREQ(onlyMesh().name, "floor");
    EXPECT_EQ(onlyMesh().faces.size(), 3u);
    EXPECT_EQ(onlyMesh().faces[2].vertices[2].position.x, 22.0f);
    if (c.materialCase) {
        const int taken = std::min(c.entries, limit);
        EXPECT_EQ(int(materials.all().size()), taken);
        EXPECT_EQ(int(onlyMesh().materialIds.size()), taken);
        EXPECT_EQ(onlyMesh().faces[1].materialId, c.entries > 98 ? 98 : -1);
        EXPECT_EQ(onlyMesh().faces[2].materialId, -1);  // block 99 is never taken
    } else {
        EXPECT_EQ(int(textures.all().size()), std::min(c.entries, limit));
        EXPECT_EQ(materials.all()[1].getBaseTexture(), c.entries > 99 ? 99 : -1);
        EXPECT_EQ(materials.all()[2].getBaseTexture(), -1);  // entry 100 is never taken
    }
}

INSTANTIATE_TEST_SUITE_P(
    MeshFile, TableLimitTest,
    ::testing::Values(TableCase{"HundredTexturesFit", 100, false},
                      TableCase{"HundredAndOneTextures", 101, false},
                      TableCase{"ManyTextures", 250, false},
                      TableCase{"NinetyNineMaterialsFit", 99, true},
                      TableCase{"HundredMaterials", 100, true},
                      TableCase{"ManyMaterials", 180, true}),
    [](const auto& info) { return std::string(info.param.label); });

// Indices that name no entry or block read stand for "none".
struct IndexCase {
    const char* label;
    Block block;
    int base, detail, bump;
};

Block blockWith(std::string base, std::string detail, std::string bump) {
    Block block;
    block.base = std::move(base);
    block.detail = std::move(detail);
    block.bump = std::move(bump);
    return block;
}

class TextureIndexTest : public MeshFileTest, public ::testing::WithParamInterface<IndexCase> {};

TEST_P(TextureIndexTest, NamingNoEntryMeansNone) {
    const IndexCase& c = GetParam();
    ASSERT_EQ(loadText(file({{"a.png", "REPEAT"}, {"b.png", "REPEAT"}}, {c.block}, {"0"})), 0);
    EXPECT_TRUE(platform::fake::messageBoxes().empty());
    const Material& material = materials.all().at(0);
    EXPECT_EQ(material.getBaseTexture(), c.base);
    EXPECT_EQ(material.getDetailTexture(), c.detail);
    EXPECT_EQ(material.getBumpTexture(), c.bump);
}

INSTANTIATE_TEST_SUITE_P(
    MeshFile, TextureIndexTest,
    ::testing::Values(IndexCase{"AllInRange", blockWith("1", "0", "1"), 1, 0, 1},
                      IndexCase{"BaseMinusOne", blockWith("-1", "-1", "-1"), -1, -1, -1},
                      IndexCase{"BasePastTheEntries", blockWith("2", "-1", "-1"), -1, -1, -1},
                      IndexCase{"BaseHuge", blockWith("99999999999", "-1", "-1"), -1, -1, -1},
                      IndexCase{"BaseMostNegative", blockWith("-2147483648", "-1", "-1"), -1, -1, -1},
                      IndexCase{"DetailPastTheEntries", blockWith("0", "5", "-1"), 0, -1, -1},
                      IndexCase{"DetailMinusTwo", blockWith("0", "-2", "-1"), 0, -1, -1},
                      IndexCase{"BumpPastTheEntries", blockWith("0", "-1", "2"), 0, -1, -1},
                      IndexCase{"BumpEmptyLineIsEntryZero", blockWith("0", "-1", ""), 0, -1, 0}),
    [](const auto& info) { return std::string(info.param.label); });

class MaterialIndexTest : public MeshFileTest,
                          public ::testing::WithParamInterface<std::pair<std::string, int>> {};

TEST_P(MaterialIndexTest, NamingNoBlockMeansNone) {
    Block second;
    second.baseScrollU = "1";
    ASSERT_EQ(loadText(file({{"a.png", "REPEAT"}}, {Block{}, second}, {GetParam().first})), 0);
    EXPECT_EQ(onlyMesh().faces[0].materialId, GetParam().second);
    EXPECT_EQ(onlyMesh().materialIds, (std::vector<int>{0, 1}));
}

INSTANTIATE_TEST_SUITE_P(MeshFile, MaterialIndexTest,
                         ::testing::Values(std::pair<std::string, int>{"1", 1},
                                           std::pair<std::string, int>{"2", -1},
                                           std::pair<std::string, int>{"-1", -1},
                                           std::pair<std::string, int>{"100", -1},
                                           std::pair<std::string, int>{"-2147483649", -1},
                                           std::pair<std::string, int>{"4294967296", -1}));

TEST_F(MeshFileTest, MeshNameIsCutAtNinetyNineCharacters) {
    const std::string exact(99, 'n');
    const std::string longer = std::string(99, 'm') + std::string(120, 'z');
    std::string text = file({}, {}, {"0"});
    ASSERT_EQ(loadText(text.replace(text.find("floor"), 5, exact)), 0);
    text = file({}, {}, {"0"});
    ASSERT_EQ(loadText(text.replace(text.find("floor"), 5, longer)), 1);
    EXPECT_EQ(std::string(meshes.all()[0].name), exact);
    EXPECT_EQ(std::string(meshes.all()[1].name), std::string(99, 'm'));
    EXPECT_EQ(meshes.all()[1].faces.size(), 1u);  // the lines after the name are in place
}

TEST_F(MeshFileTest, MessagesWithLongFileNamesKeepToTheirSize) {
    // Two directory levels, so that the whole name passes the message's 255 characters.
    const std::filesystem::path deep = dir / std::string(120, 'd') / std::string(120, 'e');
    std::filesystem::create_directories(deep);
    const std::string missing = (deep / "absent.vno").string();
    const std::string cut = (deep / "cut.vno").string();
    std::ofstream(cut, std::ios::binary) << "FICHIER_VNO\nTEXTURE\n";
    ASSERT_GT(missing.size(), 255u);

    EXPECT_EQ(load(missing), -1);
    EXPECT_EQ(load(cut), -1);
    const auto texts = boxTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], ("Impossible d'ouvrir le fichier " + missing).substr(0, 255));
    EXPECT_EQ(texts[1], (endMessage + cut).substr(0, 255));
}

TEST_F(MeshFileTest, LoadWithoutTheStartUpLoadsNothing) {
    MeshList unlinked;
    EXPECT_EQ(unlinked.load(write(meshtext::workedExample).c_str()), -1);
    EXPECT_TRUE(unlinked.all().empty());
}
