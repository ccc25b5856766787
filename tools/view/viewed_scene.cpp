// Kind sniffing, loading and unloading of the viewed file, its counts and its bounding box.
#include "tools/view/viewed_scene.h"

#include <GL/gl.h>

#include <cmath>

#include "engine/engine.h"
#include "meshfile/line_reader.h"
#include "scenedesc/scene_description_kind.h"
#include "scenedesc/scene_description_loader.h"

namespace {

constexpr std::size_t kindLineChars = 254;

// The point after the mesh's scale, rotations and translation, in the order the drawing
// applies them to the model-view matrix (the last one named acts first on the point).
Vector3 placed(const Mesh& mesh, Vector3 p) {
    constexpr double degrees = 3.14159265358979323846 / 180.0;
    p = {p.x * mesh.scale.x, p.y * mesh.scale.y, p.z * mesh.scale.z};
    const double z = mesh.rotation.z * degrees, y = mesh.rotation.y * degrees,
                 x = mesh.rotation.x * degrees;
    p = {float(p.x * std::cos(z) - p.y * std::sin(z)), float(p.x * std::sin(z) + p.y * std::cos(z)),
         p.z};
    p = {float(p.x * std::cos(y) + p.z * std::sin(y)), p.y,
         float(-p.x * std::sin(y) + p.z * std::cos(y))};
    p = {p.x, float(p.y * std::cos(x) - p.z * std::sin(x)),
         float(p.y * std::sin(x) + p.z * std::cos(x))};
    return {p.x + mesh.position.x, p.y + mesh.position.y, p.z + mesh.position.z};
}

}  // namespace

FileKind sniffFileKind(const char* path) {
    LineReader reader;
    Line first;
    const bool scene = reader.open(path) && reader.readRawLine(kindLineChars, first) &&
                       beginsAsSceneDescription(first);
    return scene ? FileKind::sceneDescription : FileKind::mesh;
}

bool loadViewedFile(Engine& engine, const char* path) {
    if (sniffFileKind(path) == FileKind::mesh) return engine.load(path) != -1;
    return readSceneDescription(engine, path);
}

void unloadScene(Engine& engine) {
    for (const Texture& texture : engine.textures.all())
        if (texture.glTexture != 0) glDeleteTextures(1, &texture.glTexture);
    engine.textures.clear();
    engine.materials.clear();
    engine.meshes.clear();
    while (!engine.lights.all().empty()) engine.lights.remove(engine.lights.all().front().getId());
    while (!engine.cameras.all().empty())
        engine.cameras.remove(engine.cameras.all().front().getId());
}

SceneCounts countScene(const Engine& engine) {
    SceneCounts counts;
    counts.triangles = engine.meshes.faceCount();
    counts.meshes = engine.meshes.all().size();
    counts.materials = engine.materials.all().size();
    counts.textures = engine.textures.all().size();
    counts.lights = engine.lights.all().size();
    counts.cameras = engine.cameras.all().size();
    return counts;
}

void Bounds::add(const Vector3& point) {
    if (empty) {
        low = high = point;
        empty = false;
        return;
    }
    low = {std::fmin(low.x, point.x), std::fmin(low.y, point.y), std::fmin(low.z, point.z)};
    high = {std::fmax(high.x, point.x), std::fmax(high.y, point.y), std::fmax(high.z, point.z)};
}

Vector3 Bounds::center() const {
    if (empty) return {};
    return {(low.x + high.x) / 2, (low.y + high.y) / 2, (low.z + high.z) / 2};
}

float Bounds::radius() const {
    if (empty) return 0.0f;
    const double dx = high.x - low.x, dy = high.y - low.y, dz = high.z - low.z;
    return float(std::sqrt(dx * dx + dy * dy + dz * dz) / 2);
}

Bounds sceneBounds(const MeshList& meshes) {
    Bounds bounds;
    for (const Mesh& mesh : meshes.all())
        for (const Face& face : mesh.faces)
            for (const Vertex& corner : face.vertices) {
                const Vector3 point = placed(mesh, corner.position);
                // A corner read as inf or NaN would leave no box to frame.
                if (std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z))
                    bounds.add(point);
            }
    return bounds;
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
