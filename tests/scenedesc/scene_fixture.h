// Shared by the scene description tests: an engine wired as its start-up wires the lists (no GL
// context, so both switches off), a temporary directory for the files the tests write, and the
// recorded message boxes.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "platform/fake_platform.h"
#include "tests/support/posix_files.h"

namespace scenetext {

// The lines given, each ended by `lineEnd`.
inline std::string lines(const std::vector<std::string>& texts, const std::string& lineEnd = "\n") {
    std::string out;
    for (const std::string& text : texts) out += text + lineEnd;
    return out;
}

// A mesh file with one texture entry, no material and one mesh without faces.
inline std::string meshFile(const std::string& meshName, const std::string& textureName) {
    return lines({"FICHIER_VNO", "TEXTURE", textureName, "REPEAT", "FIN_TEXTURE",
                  "FIN_ALL_MATERIAUX", "mesh", meshName, "1, 2, 3", "0, 90, 0", "1, 1, 1",
                  "FIN_MESH"});
}

// The worked example of the format, line by line; line 17 names the mesh file.
inline std::vector<std::string> workedExample(const std::string& meshPath) {
    return {"FICHIER_VNT", "TEXTURE",  "textures/stone.bmp", "FIN_TEXTURE", "CAMERA",
            "Camera01",    "0,5,-20",  "0, 0, 0",            "",            "LUMIERE",
            "Lamp01",      "10,20.5,5", "1,0.9,0.6",         "3.8",         "",
            "MESH",        meshPath,   "FIN_FICHIER_VNT"};
}

}  // namespace scenetext

class SceneDescriptionTest : public ::testing::Test {
protected:
    static constexpr const char* completed = "Chargement Termin\xE9";
    static constexpr const char* openFailure = "Impossible d'ouvrir le fichier ";
    static constexpr const char* invalidFile = "Fichier Non Valide:  ";
    static constexpr const char* endOfFile = "Fin de fichier inattendue dans le fichier ";

    void SetUp() override {
        engine.materials.init(engine.textures, engine.extensions);
        engine.meshes.init(engine.materials, engine.extensions);
        platform::fake::reset();
        std::string pattern = (std::filesystem::temp_directory_path() / "vorn-scene-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        meshPath = write(scenetext::meshFile("room", "room_walls.png"), "room.vno");
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    std::string write(const std::string& contents, const std::string& name = "scene.vnt") {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }
    // Writes the text and loads it; the path it was written to.
    std::string loadText(const std::string& contents) {
        const std::string path = write(contents);
        engine.loadSceneDescription(path.c_str());
        return path;
    }

    using Box = platform::fake::MessageBoxCall;
    static Box box(const std::string& text, const char* caption = "Erreur") {
        return Box{text, caption, platform::MB_OK};
    }
    static const std::vector<Box>& boxes() { return platform::fake::messageBoxes(); }

    std::vector<std::string> textureNames() const {
        std::vector<std::string> names;
        for (const Texture& texture : engine.textures.all()) names.push_back(texture.fileName);
        return names;
    }
    std::vector<std::string> cameraNames() const {
        std::vector<std::string> names;
        for (const Camera& camera : engine.cameras.all()) names.push_back(camera.name);
        return names;
    }
    std::vector<std::string> lightNames() const {
        std::vector<std::string> names;
        for (const Light& light : engine.lights.all()) names.push_back(light.name);
        return names;
    }
    std::vector<std::string> meshNames() const {
        std::vector<std::string> names;
        for (const Mesh& mesh : engine.meshes.all()) names.push_back(mesh.name);
        return names;
    }

    Engine engine;
    std::filesystem::path dir;
    std::string meshPath;
};

namespace platform::fake {
inline bool operator==(const MessageBoxCall& a, const MessageBoxCall& b) {
    return a.text == b.text && a.caption == b.caption && a.style == b.style;
}
inline std::ostream& operator<<(std::ostream& out, const MessageBoxCall& box) {
    return out << "{\"" << box.text << "\", \"" << box.caption << "\", " << box.style << "}";
}
}  // namespace platform::fake

inline bool operator==(const Vector3& a, const Vector3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
inline std::ostream& operator<<(std::ostream& out, const Vector3& v) {
    return out << "(" << v.x << ", " << v.y << ", " << v.z << ")";
}
