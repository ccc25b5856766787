// The mesh file reader on well-formed files: the worked example, sharing of textures and
// materials, keyword lines, number lines, line ends, refusals and loading twice.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "mesh_file_fixture.h"

using meshtext::Block;
using meshtext::file;
using meshtext::lines;

namespace {

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

void expectVector(const Vector3& v, float x, float y, float z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

bool sameBytes(const Mesh& a, const Mesh& b) {
    if (std::strcmp(a.name, b.name) != 0 || a.faces.size() != b.faces.size() ||
        a.materialIds != b.materialIds)
        return false;
    for (std::size_t i = 0; i < a.faces.size(); ++i)
        if (std::memcmp(&a.faces[i], &b.faces[i], sizeof(Face)) != 0) return false;
    return std::memcmp(&a.position, &b.position, sizeof(Vector3)) == 0 &&
           std::memcmp(&a.rotation, &b.rotation, sizeof(Vector3)) == 0 &&
           std::memcmp(&a.scale, &b.scale, sizeof(Vector3)) == 0;
}

}  // namespace

TEST_F(MeshFileTest, WorkedExampleYieldsOneTextureOneMaterialAndOneFloorTriangle) {
    EXPECT_EQ(loadText(meshtext::workedExample), 0);
    EXPECT_TRUE(platform::fake::messageBoxes().empty());

    ASSERT_EQ(textures.all().size(), 1u);
    EXPECT_STREQ(textures.all()[0].fileName, "textures/stone.jpg");
    EXPECT_EQ(textures.all()[0].filterMode, 2);
    EXPECT_EQ(textures.all()[0].wrapMode, 0);

    ASSERT_EQ(materials.all().size(), 1u);
    const Material& material = materials.all()[0];
    EXPECT_EQ(material.getId(), 0);
    EXPECT_EQ(material.getBaseTexture(), 0);
    EXPECT_EQ(material.getBaseScrollU(), 0.0f);
    EXPECT_EQ(material.getBaseScrollV(), 0.01f);
    EXPECT_FALSE(material.getBaseSphereMap());
    EXPECT_EQ(material.getDetailTexture(), -1);
    EXPECT_EQ(material.getBumpTexture(), -1);
    EXPECT_EQ(materials.count, 1);

    const Mesh& mesh = onlyMesh();
    EXPECT_STREQ(mesh.name, "floor");
    EXPECT_EQ(mesh.id, 0);
    expectVector(mesh.position, 0.0f, -1.0f, 0.0f);
    expectVector(mesh.rotation, 0.0f, 45.0f, 0.0f);
    expectVector(mesh.scale, 2.0f, 1.0f, 2.0f);
    EXPECT_EQ(mesh.materialIds, std::vector<int>{0});
    ASSERT_EQ(mesh.faces.size(), 1u);
    const Face& face = mesh.faces[0];
    EXPECT_EQ(face.materialId, 0);
    expectVector(face.normal, 0.0f, 1.0f, 0.0f);
    expectVector(face.vertices[0].position, -1.0f, 0.0f, -1.0f);
    expectVector(face.vertices[1].position, 1.0f, 0.0f, -1.0f);
    expectVector(face.vertices[2].position, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(face.vertices[1].baseU, 1.0f);
    EXPECT_EQ(face.vertices[1].detailU, 4.0f);
    EXPECT_EQ(face.vertices[1].bumpU, 1.0f);
    EXPECT_EQ(face.vertices[2].baseU, 0.5f);
    EXPECT_EQ(face.vertices[2].baseV, 1.0f);
    EXPECT_EQ(face.vertices[2].detailU, 2.0f);
    EXPECT_EQ(face.vertices[2].detailV, 4.0f);
    EXPECT_EQ(face.vertices[2].bumpU, 0.5f);
    EXPECT_EQ(face.vertices[2].bumpV, 1.0f);
    for (const Vertex& vertex : face.vertices)
        for (float channel : vertex.color) EXPECT_EQ(channel, 1.0f);
    EXPECT_EQ(meshes.count, 1);
    EXPECT_EQ(meshes.nextId, 1);
}

TEST_F(MeshFileTest, CrLfLineEndsLoadExactlyAsLfOnes) {
    ASSERT_EQ(load(write(meshtext::workedExample, "lf.vno")), 0);
    ASSERT_EQ(load(write(withCrLf(meshtext::workedExample), "crlf.vno")), 1);
    EXPECT_TRUE(platform::fake::messageBoxes().empty());
    EXPECT_TRUE(sameBytes(meshes.all()[0], meshes.all()[1]));
    EXPECT_EQ(textures.all().size(), 1u);  // REPEAT still read as REPEAT: the texture is shared
    EXPECT_EQ(materials.all().size(), 1u);
}

TEST_F(MeshFileTest, LoadingTwiceAddsOnlyASecondMesh) {
    const std::string path = write(meshtext::workedExample);
    EXPECT_EQ(load(path), 0);
    EXPECT_EQ(load(path), 1);
    EXPECT_EQ(textures.all().size(), 1u);
    EXPECT_EQ(materials.all().size(), 1u);
    EXPECT_EQ(meshes.all().size(), 2u);
    EXPECT_EQ(meshes.count, 2);
    EXPECT_EQ(meshes.all()[1].id, 1);
}

TEST_F(MeshFileTest, LoadingAgainAfterTheStartUpNumbersFromZero) {
    const std::string path = write(meshtext::workedExample);
    EXPECT_EQ(load(path), 0);
    materials.init(textures, extensions);
    meshes.init(materials, extensions);
    EXPECT_EQ(load(path), 0);
    // The start-up keeps what the lists hold: the material is still found, not added again.
    EXPECT_EQ(materials.all().size(), 1u);
    EXPECT_EQ(meshes.all().size(), 2u);
    EXPECT_EQ(meshes.count, 1);
}

TEST_F(MeshFileTest, MissingFileIsReportedWithItsName) {
    const std::string path = (dir / "absent.vno").string();
    EXPECT_EQ(load(path), -1);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Impossible d'ouvrir le fichier " + path});
    expectEveryBoxIsAnError();
    EXPECT_TRUE(textures.all().empty());
    EXPECT_TRUE(meshes.all().empty());
}

TEST_F(MeshFileTest, ADirectoryCannotBeOpenedAsAFile) {
    const std::string path = dir.string();
    EXPECT_EQ(load(path), -1);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Impossible d'ouvrir le fichier " + path});
    expectEveryBoxIsAnError();
    EXPECT_TRUE(meshes.all().empty());
}

struct MagicCase {
    const char* label;
    std::string firstLine;
};

class WrongMagicTest : public MeshFileTest, public ::testing::WithParamInterface<MagicCase> {};

TEST_P(WrongMagicTest, IsRefusedAndChangesNothing) {
    const std::string rest = std::string(meshtext::workedExample).substr(12);
    EXPECT_EQ(loadText(GetParam().firstLine + rest), -1);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Format de fichier inconnu"});
    expectEveryBoxIsAnError();
    EXPECT_TRUE(textures.all().empty());
    EXPECT_TRUE(materials.all().empty());
    EXPECT_TRUE(meshes.all().empty());
}

INSTANTIATE_TEST_SUITE_P(
    MeshFile, WrongMagicTest,
    ::testing::Values(MagicCase{"TrailingBlank", "FICHIER_VNO \n"},
                      MagicCase{"LeadingBlank", " FICHIER_VNO\n"},
                      MagicCase{"LowerCase", "fichier_vno\n"},
                      MagicCase{"LongerWord", "FICHIER_VNOS\n"},
                      MagicCase{"SceneMagic", "FICHIER_VNT\n"},
                      MagicCase{"Shorter", "FICHIER_VN\n"},
                      MagicCase{"Empty", "\n"},
                      MagicCase{"NulInside", std::string("FICHIER_VNO\0\n", 13)},
                      MagicCase{"CrAlone", "FICHIER_VNO\r\r\n"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MeshFileTest, EmptyFileAndMagicWithoutLineEndAreRefused) {
    for (const std::string& contents : {std::string(), std::string("FICHIER_VNO")}) {
        platform::fake::reset();
        EXPECT_EQ(loadText(contents), -1);
        EXPECT_EQ(boxTexts(), std::vector<std::string>{"Format de fichier inconnu"});
    }
}

// Texture entries: sharing by name and wrap line, and how the wrap line is read.
struct TextureCase {
    const char* label;
    std::vector<std::pair<std::string, std::string>> entries;
    std::vector<int> wrapModesMade;  // wrap mode of each texture made, in order
    std::vector<int> idOfEntry;      // texture id that each entry stands for
};

class TextureEntryTest : public MeshFileTest, public ::testing::WithParamInterface<TextureCase> {};

TEST_P(TextureEntryTest, MakesAndSharesTexturesByNameAndWrapMode) {
    const TextureCase& c = GetParam();
    // One material per entry, its base texture that entry, told apart by their scroll.
    std::vector<Block> blocks;
    for (std::size_t i = 0; i < c.entries.size(); ++i) {
        Block block;
        block.base = std::to_string(i);
        block.baseScrollU = std::to_string(i);
        blocks.push_back(block);
    }
    ASSERT_EQ(loadText(file(c.entries, blocks, {})), 0);
    EXPECT_TRUE(platform::fake::messageBoxes().empty());
    ASSERT_EQ(textures.all().size(), c.wrapModesMade.size());
    for (std::size_t i = 0; i < c.wrapModesMade.size(); ++i) {
        EXPECT_EQ(textures.all()[i].wrapMode, c.wrapModesMade[i]) << "texture " << i;
        EXPECT_EQ(textures.all()[i].filterMode, 2);
    }
    ASSERT_EQ(materials.all().size(), c.idOfEntry.size());
    for (std::size_t i = 0; i < c.idOfEntry.size(); ++i)
        EXPECT_EQ(materials.all()[i].getBaseTexture(), c.idOfEntry[i]) << "entry " << i;
}

INSTANTIATE_TEST_SUITE_P(
    MeshFile, TextureEntryTest,
    ::testing::Values(
        TextureCase{"SameNameBothRepeatShare", {{"a.png", "REPEAT"}, {"a.png", "REPEAT"}}, {0}, {0, 0}},
        TextureCase{"SameNameBothClampShare", {{"a.png", "CLAMP"}, {"a.png", "x"}}, {1}, {0, 0}},
        TextureCase{"RepeatThenClampMakeTwo", {{"a.png", "REPEAT"}, {"a.png", "CLAMP"}}, {0, 1}, {0, 1}},
        // Only the first texture of a name is compared: each repeat entry makes another.
        TextureCase{"ClampThenRepeatTwiceMakesThree",
                    {{"a.png", "CLAMP"}, {"a.png", "REPEAT"}, {"a.png", "REPEAT"}}, {1, 0, 0}, {0, 1, 2}},
        TextureCase{"NamesDifferingInCaseAreTwo", {{"a.png", "REPEAT"}, {"A.png", "REPEAT"}}, {0, 0}, {0, 1}},
        TextureCase{"BlanksInNamesAreKept", {{"a.png", "REPEAT"}, {"a.png ", "REPEAT"}}, {0, 0}, {0, 1}},
        TextureCase{"RepeatWithTextAfterIsRepeat", {{"a.png", "REPEAT "}, {"b.png", "REPEATED"}}, {0, 0}, {0, 1}},
        TextureCase{"RepeatAfterABlankIsClamp", {{"a.png", " REPEAT"}}, {1}, {0}},
        TextureCase{"LowerCaseRepeatIsClamp", {{"a.png", "repeat"}}, {1}, {0}},
        TextureCase{"EmptyWrapLineIsClamp", {{"a.png", ""}}, {1}, {0}},
        TextureCase{"TenCharacterWrapLineFits", {{"a.png", "REPEAT1234"}, {"b.png", "REPEAT"}}, {0, 0}, {0, 1}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MeshFileTest, SecondLineOtherThanTextureMeansNoTexturesAndMaterialsFromLineThree) {
    std::string text = "FICHIER_VNO\nno textures here\n" + meshtext::materialBlock(Block{}) +
                       "FIN_ALL_MATERIAUX\n" + meshtext::meshPlacement() + "FIN_MESH\n";
    ASSERT_EQ(loadText(text), 0);
    EXPECT_TRUE(textures.all().empty());
    ASSERT_EQ(materials.all().size(), 1u);
    EXPECT_EQ(materials.all()[0].getBaseTexture(), -1);  // index 0 names no entry
    EXPECT_STREQ(onlyMesh().name, "floor");
}

TEST_F(MeshFileTest, EmptySectionsGiveAMeshWithoutMaterialsOrFaces) {
    ASSERT_EQ(loadText(file({}, {}, {})), 0);
    EXPECT_TRUE(platform::fake::messageBoxes().empty());
    EXPECT_TRUE(textures.all().empty());
    EXPECT_TRUE(materials.all().empty());
    EXPECT_TRUE(onlyMesh().materialIds.empty());
    EXPECT_TRUE(onlyMesh().faces.empty());
    EXPECT_STREQ(onlyMesh().name, "floor");
}

TEST_F(MeshFileTest, EqualBlocksShareOneMaterialListedTwice) {
    Block other;
    other.bumpParameter = "0.5";  // differs only in the bump parameter: a material of its own
    ASSERT_EQ(loadText(file({{"a.png", "REPEAT"}}, {Block{}, Block{}, other}, {"1", "2"})), 0);
    ASSERT_EQ(materials.all().size(), 2u);
    EXPECT_EQ(onlyMesh().materialIds, (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(onlyMesh().faces[0].materialId, 0);
    EXPECT_EQ(onlyMesh().faces[1].materialId, 1);
}

TEST_F(MeshFileTest, MaterialsOfAnotherFileAreFoundAgain) {
    ASSERT_EQ(load(write(file({{"a.png", "REPEAT"}}, {Block{}}, {"0"}), "one.vno")), 0);
    Block second;
    second.baseScrollV = "0.25";
    // The first entry of the second file names the same image: the same texture id, and so
    // an equal material.
    ASSERT_EQ(load(write(file({{"a.png", "REPEAT"}}, {second, Block{}}, {"1"}), "two.vno")), 1);
    ASSERT_EQ(materials.all().size(), 2u);
    EXPECT_EQ(meshes.all()[1].materialIds, (std::vector<int>{1, 0}));
    EXPECT_EQ(meshes.all()[1].faces[0].materialId, 0);
}

TEST_F(MeshFileTest, MaterialLinesFillEveryMember) {
    Block block;
    block.base = "1";
    block.baseScrollU = "0.5";
    block.baseScrollV = "-0.25";
    block.baseSphere = "2";  // any value but 0 is on
    block.detail = "0";
    block.detailScrollU = "1e-3";
    block.detailScrollV = "3";
    block.detailSphere = "-1";
    block.bump = "1";
    block.bumpParameter = "7.5";
    ASSERT_EQ(loadText(file({{"a.png", "REPEAT"}, {"b.png", "x"}}, {block}, {})), 0);
    const Material& m = materials.all()[0];
    EXPECT_EQ(m.getBaseTexture(), 1);
    EXPECT_EQ(m.getBaseScrollU(), 0.5f);
    EXPECT_EQ(m.getBaseScrollV(), -0.25f);
    EXPECT_TRUE(m.getBaseSphereMap());
    EXPECT_EQ(m.getDetailTexture(), 0);
    EXPECT_EQ(m.getDetailScrollU(), 1e-3f);
    EXPECT_EQ(m.getDetailScrollV(), 3.0f);
    EXPECT_TRUE(m.getDetailSphereMap());
    EXPECT_EQ(m.getBumpTexture(), 1);
    EXPECT_EQ(m.getBumpParameter(), 7.5f);
}

// Keyword lines are recognised by their first characters only.
struct KeywordCase {
    const char* label;
    std::string text;
    int textures, materials, faces;
};

class KeywordTest : public MeshFileTest, public ::testing::WithParamInterface<KeywordCase> {};

TEST_P(KeywordTest, IsRecognisedByItsBeginning) {
    const KeywordCase& c = GetParam();
    ASSERT_EQ(loadText(c.text), 0);
    EXPECT_TRUE(platform::fake::messageBoxes().empty());
    EXPECT_EQ(int(textures.all().size()), c.textures);
    EXPECT_EQ(int(materials.all().size()), c.materials);
    EXPECT_EQ(int(onlyMesh().faces.size()), c.faces);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

const std::string example = meshtext::workedExample;

INSTANTIATE_TEST_SUITE_P(
    MeshFile, KeywordTest,
    ::testing::Values(
        KeywordCase{"TextureWithMoreText", replaced(example, "TEXTURE\n", "TEXTURES of the floor\n"), 1, 1, 1},
        KeywordCase{"FinTextureWithMoreText", replaced(example, "FIN_TEXTURE\n", "FIN_TEXTURE now\n"), 1, 1, 1},
        KeywordCase{"FinAllMateriauxWithMoreText",
                    replaced(example, "FIN_ALL_MATERIAUX\n", "FIN_ALL_MATERIAUX_X\n"), 1, 1, 1},
        KeywordCase{"FinMeshWithMoreText", replaced(example, "FIN_MESH\n", "FIN_MESH end\n"), 1, 1, 1},
        KeywordCase{"FinMeshWithoutLineEnd", replaced(example, "FIN_MESH\n", "FIN_MESH"), 1, 1, 1},
        KeywordCase{"FinMeshFollowedByAnything",
                    replaced(example, "FIN_MESH\n", "FIN_MESH\ngarbage\n\xff\n"), 1, 1, 1},
        KeywordCase{"FaceHeaderMayHoldAnyOtherText",
                    replaced(example, "face\n", "FIN_MES\n"), 1, 1, 1},
        KeywordCase{"MaterialHeaderMayHoldAnyOtherText",
                    replaced(example, "material\n", "FIN_ALL_MATERIAU\n"), 1, 1, 1},
        KeywordCase{"FinMeshRightAfterScale",
                    meshtext::firstLines(example, meshtext::exampleScaleLine) + "FIN_MESH\n", 1, 1, 0},
        KeywordCase{"TextureAfterABlankIsNotTheSection",
                    "FICHIER_VNO\n TEXTURE\n" + meshtext::materialBlock(Block{}) +
                        "FIN_ALL_MATERIAUX\n" + meshtext::meshPlacement() + "FIN_MESH\n", 0, 1, 0},
        KeywordCase{"EmptyTexturesSection", replaced(example, "textures/stone.jpg\nREPEAT\n", ""), 0, 1, 1}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MeshFileTest, NumbersMayHaveBlanksAroundThemAndEmptyLinesReadAsZero) {
    std::string text = replaced(example, "0.0, -1.0, 0.0\n", "  \t0.5 ,-2,  3 \n");  // position
    text = replaced(text, "0.0, 45.0, 0.0\n", "1,2,3,\n");        // trailing comma allowed
    text = replaced(text, "2.0, 1.0, 2.0\n", "\n");                // empty list: all 0
    text = replaced(text, "0.01\n", "   +0.01   \n");              // baseScrollV
    text = replaced(text, "face\n0\n0.0, 1.0, 0.0\n", "face\n\n1e1, 2.5e-1 , 7 trailing\n");
    ASSERT_EQ(loadText(text), 0);
    const Mesh& mesh = onlyMesh();
    expectVector(mesh.position, 0.5f, -2.0f, 3.0f);
    expectVector(mesh.rotation, 1.0f, 2.0f, 3.0f);
    expectVector(mesh.scale, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(materials.all()[0].getBaseScrollV(), 0.01f);
    EXPECT_EQ(mesh.faces[0].materialId, 0);  // the empty index line is block 0
    expectVector(mesh.faces[0].normal, 10.0f, 0.25f, 7.0f);
}

TEST_F(MeshFileTest, FloatListsSkipToTheFirstCommaAfterEachValue) {
    std::string text = replaced(example, "0.0, -1.0, 0.0\n", "1 and text, 2;3, 4\n");
    text = replaced(text, "0.0, 45.0, 0.0\n", "5, 6\n");              // one value short: 0
    text = replaced(text, "2.0, 1.0, 2.0\n", "x, 7, y\n");            // no number: 0
    ASSERT_EQ(loadText(text), 0);
    expectVector(onlyMesh().position, 1.0f, 2.0f, 4.0f);
    expectVector(onlyMesh().rotation, 5.0f, 6.0f, 0.0f);
    expectVector(onlyMesh().scale, 0.0f, 7.0f, 0.0f);
}

TEST_F(MeshFileTest, ValuesAreStoredAsAtofThenFloatGivesThem) {
    // Rounding the decimal straight to float would give the next float up for this one.
    std::string text = replaced(example, "0.0, -1.0, 0.0\n", "7.038531e-26, 0x1p-2, -inf\n");
    ASSERT_EQ(loadText(text), 0);
    const Vector3& position = onlyMesh().position;
    EXPECT_EQ(position.x, static_cast<float>(std::atof("7.038531e-26")));
    EXPECT_EQ(position.y, 0.25f);
    EXPECT_TRUE(std::isinf(position.z) && position.z < 0);
}

TEST_F(MeshFileTest, MeshNameIsTakenWholeWithItsBlanks) {
    ASSERT_EQ(loadText(replaced(example, "floor\n", "  the floor \t\n")), 0);
    EXPECT_STREQ(onlyMesh().name, "  the floor \t");
}

TEST_F(MeshFileTest, ALineLongerThanTheLimitIsReadInPieces) {
    // 253 characters and the line end fit; past 254 the rest is the next line, here the wrap
    // line written on the same line as the name.
    const std::string fits(253, 'f');
    const std::string full(254, 'g');
    const std::string text = "FICHIER_VNO\nTEXTURE\n" + fits + "\nREPEAT\n" + full + "REPEAT\n" +
                             "FIN_TEXTURE\nFIN_ALL_MATERIAUX\n" + meshtext::meshPlacement() +
                             "FIN_MESH\n";
    ASSERT_EQ(loadText(text), 0);
    ASSERT_EQ(textures.all().size(), 2u);
    EXPECT_EQ(std::string(textures.all()[0].fileName), fits);
    EXPECT_EQ(textures.all()[0].wrapMode, 0);
    EXPECT_EQ(std::string(textures.all()[1].fileName), full);
    EXPECT_EQ(textures.all()[1].wrapMode, 0);
}

TEST_F(MeshFileTest, ALineOfExactly254CharactersLeavesAnEmptyLineBehind) {
    // The ignored header of the material block is 254 characters long: its line end becomes
    // the block's second line, and everything after moves up by one.
    std::string text = replaced(example, "material\n", std::string(254, 'h') + "\n");
    text = replaced(text, "base layer\n", "");
    ASSERT_EQ(loadText(text), 0);
    EXPECT_EQ(materials.all()[0].getBaseScrollV(), 0.01f);
    EXPECT_EQ(onlyMesh().faces.size(), 1u);
}

TEST_F(MeshFileTest, AWrapLineLongerThanTenCharactersIsReadInPieces) {
    // Eleven characters at a time: "REPEAT12345" and then "67", which is the next name.
    const std::string text = file({{"a.png", "REPEAT1234567"}, {"REPEAT", "CLAMP"}}, {}, {});
    ASSERT_EQ(loadText(replaced(text, "REPEAT\nCLAMP\n", "REPEAT\n")), 0);
    ASSERT_EQ(textures.all().size(), 2u);
    EXPECT_STREQ(textures.all()[0].fileName, "a.png");
    EXPECT_EQ(textures.all()[0].wrapMode, 0);
    EXPECT_STREQ(textures.all()[1].fileName, "67");
    EXPECT_EQ(textures.all()[1].wrapMode, 0);
}

TEST_F(MeshFileTest, AnElevenCharacterWrapLineLeavesAnEmptyLineBehind) {
    const std::string text = "FICHIER_VNO\nTEXTURE\na.png\nREPEAT12345\nREPEAT\nFIN_TEXTURE\n"
                             "FIN_ALL_MATERIAUX\n" + meshtext::meshPlacement() + "FIN_MESH\n";
    ASSERT_EQ(loadText(text), 0);
    ASSERT_EQ(textures.all().size(), 2u);
    EXPECT_EQ(textures.all()[0].wrapMode, 0);
    EXPECT_STREQ(textures.all()[1].fileName, "");  // the line end of the wrap line
    EXPECT_EQ(textures.all()[1].wrapMode, 0);
}

TEST_F(MeshFileTest, TextStopsAtANulByte) {
    std::string text = replaced(example, "floor\n", std::string("flo\0or\n", 7));
    text = replaced(text, "textures/stone.jpg\n", std::string("stone\0.jpg\n", 11));
    text = replaced(text, "0.0, 45.0, 0.0\n", std::string("1\0, 2, 3\n", 9));
    ASSERT_EQ(loadText(text), 0);
    EXPECT_STREQ(onlyMesh().name, "flo");
    EXPECT_STREQ(textures.all()[0].fileName, "stone");
    expectVector(onlyMesh().rotation, 1.0f, 0.0f, 0.0f);
}
