// Reading a model through Assimp: the file as Assimp understands it, cleared of faces that
// would point outside their mesh or at non-finite numbers, then triangulated, with smooth
// normals made where the model has none. Owns the importer, which owns the scene.
#pragma once

#include <assimp/Importer.hpp>

#include <string>

struct aiScene;

namespace vornimport {

class ModelReader {
public:
    // Reads `path`; false with Assimp's own error text in error() when it cannot.
    bool read(const std::string& path);

    const aiScene& scene() const { return *scene_; }
    const std::string& error() const { return error_; }
    // Faces dropped before anything else saw them: an index outside the mesh, or a corner
    // with a non-finite position, texture coordinate or colour.
    long brokenFaces() const { return brokenFaces_; }

private:
    Assimp::Importer importer_;
    const aiScene* scene_ = nullptr;
    std::string error_;
    long brokenFaces_ = 0;
};

}  // namespace vornimport
