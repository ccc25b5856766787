// The mesh file reader on bytes in memory: the same text read from a stream and from a file
// gives the same lists and the same messages, and the stream is closed whatever the outcome.
#include <cstdio>

#include "mesh_file_fixture.h"
#include "meshfile/mesh_file_reader.h"

namespace {

struct StreamCase {
    const char* label;
    std::string text;
};

// What a load left behind, in a form two loads can be compared by.
struct Outcome {
    int id = 0;
    std::vector<std::string> textures;
    std::size_t materials = 0;
    std::vector<std::string> meshNames;
    std::vector<std::size_t> faces;
    std::vector<std::string> boxes;
    bool operator==(const Outcome&) const = default;
};

class MeshFileStreamTest : public MeshFileTest, public ::testing::WithParamInterface<StreamCase> {
protected:
    Outcome outcome(int id) {
        Outcome out;
        out.id = id;
        for (const Texture& texture : textures.all()) out.textures.push_back(texture.fileName);
        out.materials = materials.all().size();
        for (const Mesh& mesh : meshes.all()) {
            out.meshNames.push_back(mesh.name);
            out.faces.push_back(mesh.faces.size());
        }
        out.boxes = boxTexts();
        return out;
    }
    void forget() {
        meshes.clear();
        materials.clear();
        textures.clear();
        platform::fake::reset();
    }
};

TEST_P(MeshFileStreamTest, ReadsAsTheSameBytesInAFile) {
    std::string text = GetParam().text;
    const std::string path = write(text);
    const Outcome fromFile = outcome(load(path));
    forget();

    std::FILE* stream = fmemopen(text.data(), text.size(), "rb");
    ASSERT_NE(stream, nullptr);
    const Outcome fromMemory = outcome(loadMeshStream(stream, path.c_str(), meshes));
    EXPECT_EQ(fromMemory, fromFile);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MeshFileStreamTest,
    ::testing::Values(
        StreamCase{"WorkedExample", meshtext::workedExample},
        StreamCase{"CutInAFace", meshtext::firstLines(meshtext::workedExample, 40)},
        StreamCase{"UnknownFormat", "FICHIER_VNS\n"},
        StreamCase{"Empty", ""},
        StreamCase{"NulBytesInNames", std::string("FICHIER_VNO\nTEXTURE\na\0b\nREPEAT\n", 29) +
                                          "FIN_TEXTURE\nFIN_ALL_MATERIAUX\n" +
                                          meshtext::meshPlacement() + "FIN_MESH\n"},
        StreamCase{"CrLfLineEnds", "FICHIER_VNO\r\nTEXTURE\r\nt.png\r\nCLAMP\r\nFIN_TEXTURE\r\n"
                                   "FIN_ALL_MATERIAUX\r\n" + meshtext::meshPlacement() +
                                   "FIN_MESH\r\n"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MeshFileTest, NoStreamIsAFileThatCannotBeOpened) {
    EXPECT_EQ(loadMeshStream(nullptr, "in memory", meshes), -1);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Impossible d'ouvrir le fichier in memory"});
}

TEST_F(MeshFileTest, StreamIsClosedWhateverTheOutcome) {
    MeshList unlinked;
    struct {
        std::string text;
        MeshList& lists;
    } cases[] = {{meshtext::workedExample, meshes}, {"FICHIER_VNS\n", meshes},
                 {meshtext::workedExample, unlinked}};
    for (auto& c : cases) {
        // fmemopen streams have no descriptor to watch, so a file stands in for memory here.
        std::FILE* stream = std::fopen(write(c.text).c_str(), "rb");
        ASSERT_NE(stream, nullptr);
        const int descriptor = fileno(stream);
        loadMeshStream(stream, "x.vno", c.lists);
        EXPECT_FALSE(isDescriptorOpen(descriptor)) << c.text.substr(0, 11);
    }
}

}  // namespace
