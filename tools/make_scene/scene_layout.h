// What the demo scene holds: its texture files, its two materials and the faces of its one
// mesh, two cubes around the origin. Plain data, built in memory before anything is written.
#pragma once

#include "image.h"
#include "meshfile/mesh_file_writer.h"

#include <string>
#include <vector>

namespace makescene {

using meshwriter::Corner;
using meshwriter::MaterialBlock;
using meshwriter::Point3;
using meshwriter::Triangle;

struct TextureFile {
    std::string name;  // as the mesh file names it, relative to the repository root
    ImageFormat format;
    Image (*draw)();
};

struct SceneLayout {
    std::vector<TextureFile> textures;  // in file order: a material's index names one of them
    std::vector<MaterialBlock> materials;
    std::string meshName;
    std::vector<Triangle> triangles;
};

// The scene of the demo: a stone cube at x = -0.2 and a wooden one at x = +0.2, turned 30
// degrees about the X axis, every corner within 0.38 of the origin.
SceneLayout twoCubeScene();

// The file name of the mesh, relative to the repository root.
inline constexpr const char* meshFileName = "scene/2cube.vno";

}  // namespace makescene
