// Running vorn-import and vorn-inspect as scene authors run them, in a folder of the test's
// own, and reading the JSON that vorn-inspect prints back into plain records.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/tool_run.h"

namespace importtest {

using testsupport::ToolRun;

// Runs `command` (a shell command line) in `folder`.
ToolRun runIn(const std::filesystem::path& folder, const std::string& command);

// "vorn-import ARGUMENTS" in `folder`.
ToolRun runImport(const std::filesystem::path& folder, const std::string& arguments);

using Vec3 = std::array<float, 3>;
using Vec2 = std::array<float, 2>;

struct InspectedCorner {
    Vec3 position{};
    Vec2 base{}, detail{}, bump{};
    Vec3 colour{};
};

struct InspectedFace {
    int material = -1;
    Vec3 normal{};
    InspectedCorner corners[3];
};

struct InspectedMaterial {
    int base = -1, detail = -1, bump = -1;  // texture ids
};

struct InspectedCamera {
    std::string name;
    Vec3 position{}, target{};
};

struct InspectedLight {
    std::string name;
    Vec3 position{}, colour{};
    float radius = 0.0f;
};

// What the engine holds after loading a scene description through vorn-inspect --scene.
struct InspectedScene {
    ToolRun run;
    std::vector<std::string> textures;  // file names, by texture id
    std::vector<InspectedMaterial> materials;  // by material id
    int meshes = 0;
    std::vector<InspectedFace> faces;  // of every mesh
    std::vector<InspectedCamera> cameras;
    std::vector<InspectedLight> lights;

    // The base texture's file name of a face.
    std::string baseTextureOf(const InspectedFace& face) const;
    std::string textureName(int id) const;
    // The faces that have a corner within 1e-4 of `position`.
    std::vector<const InspectedFace*> facesAt(const Vec3& position) const;
};

// Loads `sceneFile` (relative to `folder`) with vorn-inspect --scene, run in `folder`.
InspectedScene inspectScene(const std::filesystem::path& folder, const std::string& sceneFile);

// The one message box line that a scene description loaded without trouble leaves.
extern const char* const loadedWithoutMessages;

}  // namespace importtest
