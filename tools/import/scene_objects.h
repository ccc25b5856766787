// The model's cameras and lights as the scene description records them: world positions,
// a camera's target, a light's colour and reach. Plain data made from the scene.
#pragma once

#include "meshfile/mesh_file_writer.h"
#include "tools/import/geometry_baker.h"

#include <string>
#include <vector>

namespace vornimport {

struct ImportedCamera {
    std::string name;
    meshwriter::Point3 position;
    meshwriter::Point3 target;  // one unit along the look direction
};

struct ImportedLight {
    std::string name;
    meshwriter::Point3 position;
    meshwriter::Colour colour;  // no channel above 1
    float radius = 0.0f;
};

std::vector<ImportedCamera> camerasOf(const aiScene& scene, float scale);
// Directional lights are placed far out against their direction, seen from the middle of
// `model`'s bounds.
std::vector<ImportedLight> lightsOf(const aiScene& scene, float scale, const BakedModel& model);

// The distance at which light with these attenuation factors is down to 1/256 of its strength;
// 0 when it never fades.
float reachOf(float constant, float linear, float quadratic);

}  // namespace vornimport
