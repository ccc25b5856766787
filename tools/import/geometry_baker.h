// Every use of every mesh of a model, as triangles in world space: node transforms and the
// import's scale baked into the corners, coordinates for the three texture units, and colours.
// Owns the triangles it makes; reads the scene and the materials' images.
#pragma once

#include "meshfile/mesh_file_writer.h"
#include "tools/import/image_export.h"

#include <assimp/matrix4x4.h>

#include <functional>
#include <map>
#include <vector>

struct aiNode;
struct aiScene;

namespace vornimport {

struct BakeSettings {
    float scale = 1.0f;
    float detailScale = 8.0f;
    bool shade = true;  // multiply a fixed light into the colours of untextured materials
};

struct BakedTriangle {
    unsigned material = 0;  // the model's material; the triangle's own number is set later
    meshwriter::Triangle triangle;
};

struct BakedModel {
    std::vector<BakedTriangle> triangles;
    long points = 0;
    long lines = 0;
    long brokenFaces = 0;  // corners with numbers that a transform or scale made non-finite
    long noArea = 0;       // triangles whose written corners lie on one line
    int meshes = 0;        // meshes of the model that hold triangles
    int meshUses = 0;      // placements of those meshes by the node tree
    meshwriter::Point3 lowest, highest;  // the corners' bounds; both 0 without triangles
};

// The materials that triangles of placed meshes use, in the order they are first met.
std::vector<unsigned> materialsInUse(const aiScene& scene);

BakedModel bakeGeometry(const aiScene& scene, const std::map<unsigned, MaterialImages>& materials,
                        const BakeSettings& settings);

// A node's transform from its own space to the model's, times the import's uniform scale.
aiMatrix4x4 placementOf(const aiNode* node, float scale);

// Calls `visit(node, placement)` for every node, parents first, without recursion, so no
// depth of the node tree can exhaust the stack.
void forEachNode(const aiScene& scene, float scale,
                 const std::function<void(const aiNode& node, const aiMatrix4x4& placement)>& visit);

}  // namespace vornimport
