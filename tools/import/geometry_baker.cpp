// Baking meshes into world-space triangles: one pass over the node tree, one triangle per
// three-cornered face of each placed mesh.
#include "tools/import/geometry_baker.h"

#include "meshfile/face_area.h"

#include <assimp/material.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>

namespace vornimport {

namespace {

using meshwriter::Colour;
using meshwriter::Point3;

// Untextured faces are lit from above, front and right, and never darker than the ambient
// share, so that a shape reads as a shape and its far side is not black.
const aiVector3D shadingLight = aiVector3D(0.3f, 0.8f, 0.5f).Normalize();
constexpr float ambientShare = 0.4f;

Point3 point(const aiVector3D& v) { return {v.x, v.y, v.z}; }

// Every number a corner writes; a transform or a large detail scale can overflow any of them.
bool finite(const meshwriter::Corner& c) {
    const float numbers[] = {c.position.x, c.position.y, c.position.z, c.baseU, c.baseV, c.detailU,
                             c.detailV,    c.bumpU,      c.bumpV,      c.colour.r, c.colour.g, c.colour.b};
    for (float n : numbers)
        if (!std::isfinite(n)) return false;
    return true;
}

Colour materialColour(const aiScene& scene, unsigned index) {
    aiColor4D colour(1.0f, 1.0f, 1.0f, 1.0f);
    if (index < scene.mNumMaterials && scene.mMaterials[index] != nullptr) {
        const aiMaterial& material = *scene.mMaterials[index];
        if (material.Get(AI_MATKEY_COLOR_DIFFUSE, colour) != aiReturn_SUCCESS)
            material.Get(AI_MATKEY_BASE_COLOR, colour);
    }
    return {colour.r, colour.g, colour.b};
}

float clamped(float value) { return std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 1.0f; }

// The fixed light's share at a corner; 1 where the normal says nothing.
float shadingAt(const aiVector3D& normal) {
    const float length = normal.Length();
    if (!std::isfinite(length) || length == 0.0f) return 1.0f;
    const float facing = std::max(0.0f, (normal / length) * shadingLight);
    return ambientShare + (1.0f - ambientShare) * facing;
}

Point3 windingNormal(const Point3& a, const Point3& b, const Point3& c) {
    const aiVector3D u(b.x - a.x, b.y - a.y, b.z - a.z), v(c.x - a.x, c.y - a.y, c.z - a.z);
    aiVector3D n = u ^ v;
    const float length = n.Length();
    // A triangle of no area has no winding: its normal is left at zero.
    if (!std::isfinite(length) || length == 0.0f) return {};
    return point(n / length);
}

// A position as the engine reads it back from the file's six decimals, so that area is judged
// on the numbers the checker will see.
Point3 asWritten(const Point3& p) {
    auto number = [](float value) { return static_cast<float>(std::strtod(meshwriter::formatFloat(value).c_str(), nullptr)); };
    return {number(p.x), number(p.y), number(p.z)};
}

bool hasNoArea(const meshwriter::Triangle& t) {
    return facearea::spansNoArea(asWritten(t.corners[0].position), asWritten(t.corners[1].position),
                                 asWritten(t.corners[2].position));
}

// What bakes one mesh: the mesh, its material's layers and colour, and its placement.
struct MeshUse {
    const aiMesh& mesh;
    const MaterialImages& layers;
    Colour colour;
    aiMatrix4x4 placement;
    aiMatrix3x3 normalPlacement;  // inverse transpose: normals stay at right angles to faces
};

meshwriter::Corner cornerOf(const MeshUse& use, unsigned v, const BakeSettings& settings) {
    const aiMesh& mesh = use.mesh;
    meshwriter::Corner corner;
    corner.position = point(use.placement * mesh.mVertices[v]);
    const aiVector3D* base = mesh.mTextureCoords[use.layers.baseChannel];
    if (base == nullptr) base = mesh.mTextureCoords[0];
    if (base != nullptr) {
        corner.baseU = base[v].x;
        corner.baseV = base[v].y;
    }
    corner.detailU = corner.baseU * settings.detailScale;
    corner.detailV = corner.baseV * settings.detailScale;
    const aiVector3D* bump = mesh.mTextureCoords[use.layers.bumpChannel];
    corner.bumpU = bump != nullptr ? bump[v].x : corner.baseU;
    corner.bumpV = bump != nullptr ? bump[v].y : corner.baseV;
    Colour colour = use.colour;
    if (mesh.mColors[0] != nullptr) colour = {mesh.mColors[0][v].r, mesh.mColors[0][v].g, mesh.mColors[0][v].b};
    if (settings.shade && !use.layers.textured && mesh.mNormals != nullptr) {
        const float light = shadingAt(use.normalPlacement * mesh.mNormals[v]);
        colour = {colour.r * light, colour.g * light, colour.b * light};
    }
    corner.colour = {clamped(colour.r), clamped(colour.g), clamped(colour.b)};
    return corner;
}

void bakeMeshUse(const MeshUse& use, const BakeSettings& settings, unsigned material, BakedModel& model) {
    const aiMesh& mesh = use.mesh;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices == 1) ++model.points;
        if (face.mNumIndices == 2) ++model.lines;
        // Triangulation leaves three corners; a fan covers any polygon that escaped it.
        for (unsigned k = 1; k + 1 < face.mNumIndices; ++k) {
            BakedTriangle baked;
            baked.material = material;
            meshwriter::Triangle& t = baked.triangle;
            const unsigned corners[3] = {face.mIndices[0], face.mIndices[k], face.mIndices[k + 1]};
            for (int c = 0; c < 3; ++c) t.corners[c] = cornerOf(use, corners[c], settings);
            if (!finite(t.corners[0]) || !finite(t.corners[1]) || !finite(t.corners[2])) {
                ++model.brokenFaces;
                continue;
            }
            // It would draw nothing and cost a face each frame.
            if (hasNoArea(t)) {
                ++model.noArea;
                continue;
            }
            t.normal = windingNormal(t.corners[0].position, t.corners[1].position, t.corners[2].position);
            model.triangles.push_back(baked);
        }
    }
}

bool holdsTriangles(const aiMesh* mesh) {
    if (mesh == nullptr || mesh->mVertices == nullptr) return false;
    for (unsigned f = 0; f < mesh->mNumFaces; ++f)
        if (mesh->mFaces[f].mNumIndices >= 3) return true;
    return false;
}

void growBounds(BakedModel& model) {
    if (model.triangles.empty()) return;
    model.lowest = model.highest = model.triangles.front().triangle.corners[0].position;
    for (const BakedTriangle& baked : model.triangles)
        for (const meshwriter::Corner& corner : baked.triangle.corners) {
            const Point3& p = corner.position;
            model.lowest = {std::min(model.lowest.x, p.x), std::min(model.lowest.y, p.y), std::min(model.lowest.z, p.z)};
            model.highest = {std::max(model.highest.x, p.x), std::max(model.highest.y, p.y),
                             std::max(model.highest.z, p.z)};
        }
}

}  // namespace

void forEachNode(const aiScene& scene, float scale,
                 const std::function<void(const aiNode& node, const aiMatrix4x4& placement)>& visit) {
    if (scene.mRootNode == nullptr) return;
    aiMatrix4x4 scaling;
    aiMatrix4x4::Scaling(aiVector3D(scale, scale, scale), scaling);
    std::vector<std::pair<const aiNode*, aiMatrix4x4>> pending{
        {scene.mRootNode, scaling * scene.mRootNode->mTransformation}};
    while (!pending.empty()) {
        const auto [node, placement] = pending.back();
        pending.pop_back();
        visit(*node, placement);
        for (unsigned c = node->mNumChildren; c-- > 0;)
            if (node->mChildren[c] != nullptr)
                pending.emplace_back(node->mChildren[c], placement * node->mChildren[c]->mTransformation);
    }
}

aiMatrix4x4 placementOf(const aiNode* node, float scale) {
    aiMatrix4x4 placement;
    for (; node != nullptr; node = node->mParent) placement = node->mTransformation * placement;
    aiMatrix4x4 scaling;
    aiMatrix4x4::Scaling(aiVector3D(scale, scale, scale), scaling);
    return scaling * placement;
}

std::vector<unsigned> materialsInUse(const aiScene& scene) {
    std::vector<unsigned> used;
    forEachNode(scene, 1.0f, [&](const aiNode& node, const aiMatrix4x4&) {
        for (unsigned i = 0; i < node.mNumMeshes; ++i) {
            const unsigned m = node.mMeshes[i];
            if (m >= scene.mNumMeshes || !holdsTriangles(scene.mMeshes[m])) continue;
            const unsigned material = scene.mMeshes[m]->mMaterialIndex;
            if (std::find(used.begin(), used.end(), material) == used.end()) used.push_back(material);
        }
    });
    return used;
}

BakedModel bakeGeometry(const aiScene& scene, const std::map<unsigned, MaterialImages>& materials,
                        const BakeSettings& settings) {
    BakedModel model;
    const MaterialImages plain;
    std::set<unsigned> meshesSeen;
    forEachNode(scene, settings.scale, [&](const aiNode& node, const aiMatrix4x4& placement) {
        for (unsigned i = 0; i < node.mNumMeshes; ++i) {
            const unsigned m = node.mMeshes[i];
            if (m >= scene.mNumMeshes || scene.mMeshes[m] == nullptr || scene.mMeshes[m]->mVertices == nullptr) continue;
            const aiMesh& mesh = *scene.mMeshes[m];
            const auto layers = materials.find(mesh.mMaterialIndex);
            MeshUse use{mesh, layers != materials.end() ? layers->second : plain,
                        materialColour(scene, mesh.mMaterialIndex), placement,
                        aiMatrix3x3(placement).Inverse().Transpose()};
            const std::size_t before = model.triangles.size();
            bakeMeshUse(use, settings, mesh.mMaterialIndex, model);
            if (model.triangles.size() > before) {
                ++model.meshUses;
                meshesSeen.insert(m);
            }
        }
    });
    model.meshes = static_cast<int>(meshesSeen.size());
    growBounds(model);
    return model;
}

}  // namespace vornimport
