// Cameras and lights sit on nodes of the same name; their own vectors are in that node's space.
#include "tools/import/scene_objects.h"

#include <assimp/commonMetaData.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cmath>
#include <string_view>

namespace vornimport {

namespace {

using meshwriter::Point3;

Point3 point(const aiVector3D& v) { return {v.x, v.y, v.z}; }
bool finite(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

aiMatrix4x4 placementByName(const aiScene& scene, const aiString& name, float scale) {
    const aiNode* node = scene.mRootNode != nullptr ? scene.mRootNode->FindNode(name) : nullptr;
    return placementOf(node, scale);
}

// A direction through a placement, one unit long; `fallback` where it has no length.
aiVector3D directionThrough(const aiMatrix4x4& placement, const aiVector3D& direction, const aiVector3D& fallback) {
    aiVector3D turned = aiMatrix3x3(placement) * direction;
    const float length = turned.Length();
    return std::isfinite(length) && length > 0.0f ? turned / length : fallback;
}

// Light brighter than 1 in some channel keeps its hue: every channel shrinks alike.
meshwriter::Colour boundedColour(const aiColor3D& colour) {
    auto channel = [](float c) { return std::isfinite(c) ? std::max(c, 0.0f) : 0.0f; };
    float r = channel(colour.r), g = channel(colour.g), b = channel(colour.b);
    const float largest = std::max({r, g, b});
    if (largest > 1.0f) r /= largest, g /= largest, b /= largest;
    return {r, g, b};
}

float finiteOr(float value, float fallback) { return std::isfinite(value) ? value : fallback; }

}  // namespace

float reachOf(float constant, float linear, float quadratic) {
    constexpr float faded = 256.0f;  // 1 / attenuation at the edge of the reach
    constant = finiteOr(constant, 0.0f), linear = finiteOr(linear, 0.0f), quadratic = finiteOr(quadratic, 0.0f);
    if (quadratic > 0.0f) {
        const float root = std::sqrt(linear * linear - 4.0f * quadratic * (constant - faded));
        return std::max(0.0f, (-linear + root) / (2.0f * quadratic));
    }
    if (linear > 0.0f) return std::max(0.0f, (faded - constant) / linear);
    return 0.0f;
}

// Assimp's glTF readers copy a camera node's translation into the camera's own position, which
// the node's transform then applies a second time; a glTF camera has no position of its own.
bool cameraPositionsRepeatTheirNodes(const aiScene& scene) {
    aiString format;
    return scene.mMetaData != nullptr && scene.mMetaData->Get(AI_METADATA_SOURCE_FORMAT, format) &&
           std::string_view(format.C_Str()).starts_with("glTF");
}

std::vector<ImportedCamera> camerasOf(const aiScene& scene, float scale) {
    std::vector<ImportedCamera> cameras;
    const bool ownPositions = !cameraPositionsRepeatTheirNodes(scene);
    for (unsigned i = 0; i < scene.mNumCameras; ++i) {
        const aiCamera* camera = scene.mCameras[i];
        if (camera == nullptr) continue;
        const aiMatrix4x4 placement = placementByName(scene, camera->mName, scale);
        const aiVector3D position = placement * (ownPositions ? camera->mPosition : aiVector3D());
        const aiVector3D look = directionThrough(placement, camera->mLookAt, aiVector3D(0.0f, 0.0f, -1.0f));
        ImportedCamera imported{camera->mName.C_Str(), point(position), point(position + look)};
        // A camera that a broken transform sent nowhere is left out: no number of it is written.
        if (finite(imported.position) && finite(imported.target)) cameras.push_back(imported);
    }
    return cameras;
}

std::vector<ImportedLight> lightsOf(const aiScene& scene, float scale, const BakedModel& model) {
    std::vector<ImportedLight> lights;
    const aiVector3D lowest(model.lowest.x, model.lowest.y, model.lowest.z);
    const aiVector3D highest(model.highest.x, model.highest.y, model.highest.z);
    const aiVector3D middle = (lowest + highest) * 0.5f;
    const float size = std::max((highest - lowest).Length(), std::abs(scale));
    const float unfadedRadius = 10.0f * std::abs(scale);
    for (unsigned i = 0; i < scene.mNumLights; ++i) {
        const aiLight* light = scene.mLights[i];
        if (light == nullptr) continue;
        const aiMatrix4x4 placement = placementByName(scene, light->mName, scale);
        ImportedLight imported{light->mName.C_Str(), {}, boundedColour(light->mColorDiffuse), unfadedRadius};
        if (light->mType == aiLightSource_DIRECTIONAL) {
            const aiVector3D along = directionThrough(placement, light->mDirection, aiVector3D(0.0f, -1.0f, 0.0f));
            imported.position = point(middle - along * (10.0f * size));
        } else {
            imported.position = point(placement * light->mPosition);
            const float reach = reachOf(light->mAttenuationConstant, light->mAttenuationLinear,
                                        light->mAttenuationQuadratic);
            if (reach > 0.0f) imported.radius = reach * std::abs(scale);
        }
        if (finite(imported.position) && std::isfinite(imported.radius)) lights.push_back(imported);
    }
    return lights;
}

}  // namespace vornimport
