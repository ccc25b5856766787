// Shared by the mesh file tests: the engine's lists wired as the start-up wires them, a
// temporary directory for the files the tests write, and builders for mesh file text.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/gl_extensions.h"
#include "meshfile/material.h"
#include "meshfile/mesh.h"
#include "platform/fake_platform.h"
#include "render/texture_list.h"
#include "tests/support/posix_files.h"

namespace meshtext {

// The worked example of the format: one texture, one material, one face.
inline const char* const workedExample =
    "FICHIER_VNO\n"
    "TEXTURE\n"
    "textures/stone.jpg\n"
    "REPEAT\n"
    "FIN_TEXTURE\n"
    "material\n"
    "base layer\n"
    "0\n"
    "0.0\n"
    "0.01\n"
    "0\n"
    "detail layer\n"
    "-1\n"
    "0.0\n"
    "0.0\n"
    "0\n"
    "bump layer\n"
    "-1\n"
    "0.0\n"
    "end of material\n"
    "FIN_ALL_MATERIAUX\n"
    "mesh\n"
    "floor\n"
    "0.0, -1.0, 0.0\n"
    "0.0, 45.0, 0.0\n"
    "2.0, 1.0, 2.0\n"
    "face\n"
    "0\n"
    "0.0, 1.0, 0.0\n"
    "corner\n"
    "-1.0, 0.0, -1.0\n"
    "0.0, 0.0\n"
    "0.0, 0.0\n"
    "0.0, 0.0\n"
    "1.0, 1.0, 1.0\n"
    "end of corner\n"
    "corner\n"
    "1.0, 0.0, -1.0\n"
    "1.0, 0.0\n"
    "4.0, 0.0\n"
    "1.0, 0.0\n"
    "1.0, 1.0, 1.0\n"
    "end of corner\n"
    "corner\n"
    "0.0, 0.0, 1.0\n"
    "0.5, 1.0\n"
    "2.0, 4.0\n"
    "0.5, 1.0\n"
    "1.0, 1.0, 1.0\n"
    "end of corner\n"
    "end of face\n"
    "FIN_MESH\n";

// Line numbers (from 1) of the worked example where its parts end.
constexpr int exampleWrapLine = 4;        // REPEAT, the end of the texture entry
constexpr int exampleMaterialEnd = 20;    // the block's last line
constexpr int exampleScaleLine = 26;
constexpr int exampleFaceEnd = 51;
constexpr int exampleLineCount = 52;

// The lines given, each ended by LF.
inline std::string lines(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts) out += text + "\n";
    return out;
}

// The first `count` lines of `text`, each with its line end.
inline std::string firstLines(const std::string& text, int count) {
    std::size_t at = 0;
    for (int i = 0; i < count && at < text.size(); ++i) {
        const std::size_t lf = text.find('\n', at);
        at = lf == std::string::npos ? text.size() : lf + 1;
    }
    return text.substr(0, at);
}

struct Block {
    std::string base = "0", baseScrollU = "0", baseScrollV = "0", baseSphere = "0";
    std::string detail = "-1", detailScrollU = "0", detailScrollV = "0", detailSphere = "0";
    std::string bump = "-1", bumpParameter = "0";
};

inline std::string materialBlock(const Block& b) {
    return lines({"material", "base", b.base, b.baseScrollU, b.baseScrollV, b.baseSphere,
                  "detail", b.detail, b.detailScrollU, b.detailScrollV, b.detailSphere, "bump",
                  b.bump, b.bumpParameter, "end"});
}

inline std::string textureEntry(const std::string& name, const std::string& wrap) {
    return lines({name, wrap});
}

inline std::string meshPlacement(const std::string& name = "floor") {
    return lines({"mesh", name, "0, -1, 0", "0, 45, 0", "2, 1, 2"});
}

// One face whose corners are numbered from `first`, so that faces can be told apart.
inline std::string face(const std::string& materialIndex, float first = 0.0f) {
    std::vector<std::string> out = {"face", materialIndex, "0, 1, 0"};
    for (int corner = 0; corner < 3; ++corner) {
        const std::string v = std::to_string(first + float(corner));
        out.insert(out.end(), {"corner", v + ", 0, 0", v + ", 1", "2, " + v, "3, 4", "1, 1, 1",
                               "end of corner"});
    }
    out.push_back("end of face");
    return lines(out);
}

// A whole file: textures (name, wrap line) or none, materials, faces (material index).
inline std::string file(const std::vector<std::pair<std::string, std::string>>& textures,
                        const std::vector<Block>& blocks,
                        const std::vector<std::string>& faceMaterials) {
    std::string out = "FICHIER_VNO\nTEXTURE\n";
    for (const auto& [name, wrap] : textures) out += textureEntry(name, wrap);
    out += "FIN_TEXTURE\n";
    for (const Block& block : blocks) out += materialBlock(block);
    out += "FIN_ALL_MATERIAUX\n" + meshPlacement();
    float first = 0.0f;
    for (const std::string& index : faceMaterials) {
        out += face(index, first);
        first += 10.0f;
    }
    return out + "FIN_MESH\n";
}

}  // namespace meshtext

// The lists as the engine's start-up leaves them (no GL context: both switches off), and a
// temporary directory that goes away with the test.
class MeshFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::fake::reset();
        materials.init(textures, extensions);
        meshes.init(materials, extensions);
        platform::fake::reset();
        std::string pattern = (std::filesystem::temp_directory_path() / "vorn-mesh-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    std::string write(const std::string& contents, const std::string& name = "scene.vno") {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }
    int load(const std::string& path) { return meshes.load(path.c_str()); }
    int loadText(const std::string& contents) { return load(write(contents)); }

    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : platform::fake::messageBoxes()) texts.push_back(box.text);
        return texts;
    }
    void expectEveryBoxIsAnError() const {
        for (const auto& box : platform::fake::messageBoxes()) {
            EXPECT_EQ(box.caption, "Erreur");
            EXPECT_EQ(box.style, platform::MB_OK);
        }
    }
    const Mesh& onlyMesh() const {
        EXPECT_EQ(meshes.all().size(), 1u);
        return meshes.all().front();
    }

    TextureList textures;
    GlExtensions extensions;
    MaterialList materials;
    MeshList meshes;
    std::filesystem::path dir;
};
