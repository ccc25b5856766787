// What the demo scene holds: its texture files, its two materials and the faces of its one
// mesh, two cubes around the origin. Plain data, built in memory before anything is written.
#pragma once

#include "image.h"

#include <string>
#include <vector>

namespace makescene {

struct Point3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct TextureFile {
    std::string name;  // as the mesh file names it, relative to the repository root
    ImageFormat format;
    Image (*draw)();
};

struct MaterialBlock {
    std::string label;  // free text of the block's header line
    int baseTexture = -1;
    float baseScrollU = 0.0f;
    float baseScrollV = 0.0f;
    int detailTexture = -1;
    float detailScrollU = 0.0f;
    float detailScrollV = 0.0f;
    int bumpTexture = -1;
    float bumpParameter = 0.0f;
};

struct Corner {
    Point3 position;
    float baseU = 0.0f, baseV = 0.0f;
    float detailU = 0.0f, detailV = 0.0f;
    float bumpU = 0.0f, bumpV = 0.0f;
    Colour colour;
};

struct Triangle {
    int material = 0;
    Point3 normal;
    Corner corners[3];  // counter-clockwise seen from outside
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
