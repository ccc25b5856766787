// Models for the import tests, built in code and written with Assimp's own exporters, so that
// no model file is kept in the repository. Owns the scenes it builds.
#pragma once

#include <assimp/scene.h>

#include <filesystem>
#include <memory>
#include <string>

namespace importtest {

struct TestModelParts {
    bool linesAndPoints = false;  // a mesh of two lines and one of two points
    bool cameraAndLight = true;
    std::string texturePath = "textures\\Checker.PNG";  // as the textured material names it
};

// Two materials: "Textured" (white, with a diffuse map) and "Plain" (0.2, 0.4, 0.6).
// Meshes: a unit quad in the XY plane (one four-cornered face, textured), a pentagon and a
// triangle with red, green and blue corners (both plain). The quad is placed twice: by node
// "Turned" (moved by (1, 2, 3), turned 90 degrees about Y, scaled (2, 1, 3)) and by node
// "Moved" (moved by (5, 0, 0)). Camera "Eye" at (0, 1, 10) looks along -Z; point light "Lamp"
// at (3, 4, 5) has colour (2, 1, 0.5) and attenuation 1 + d^2.
std::unique_ptr<aiScene> makeTestScene(const TestModelParts& parts = {});

// Writes `scene` with Assimp's exporter `formatId` ("obj", "gltf2", "glb2", "collada", ...).
// Empty on success, else the exporter's error.
std::string exportScene(const aiScene& scene, const std::string& formatId, const std::filesystem::path& path);

// A PNG of `width` x `height` pixels of one colour, for the textures the models name.
void writePng(const std::filesystem::path& path, int width, int height, unsigned char r, unsigned char g,
              unsigned char b);

}  // namespace importtest
