// The mesh file writer: textures, materials and triangles in memory, and the text of a mesh
// file ("FICHIER_VNO") made from them. Owns no state; labels on skipped lines are for people.
#pragma once

#include <string>
#include <vector>

namespace meshwriter {

struct Point3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Colour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
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
    int material = 0;  // a block number of the materials
    Point3 normal;
    Corner corners[3];
};

// One mesh file: every texture is written with repeating coordinates.
struct MeshFileContent {
    std::vector<std::string> textureNames;  // in file order: a material's index names one
    std::vector<MaterialBlock> materials;
    std::string meshName;
    std::vector<Triangle> triangles;
};

// The whole file, every line ended by LF; the mesh sits at the origin, unturned, at scale 1.
std::string meshFileText(const MeshFileContent& content);

// A float as the file writes it: fixed point, at most six decimals, no trailing zeros but one,
// never "-0.0".
std::string formatFloat(float value);
// The same, appended to `text`: files of a million numbers are written without a string each.
void appendFloat(std::string& text, float value);

}  // namespace meshwriter
