// Reading a model through Assimp: the file as Assimp understands it, cleared of faces that
// would point outside their mesh or at non-finite numbers, then triangulated, with smooth
// normals made where the model has none. Owns the importer, which owns the scene.
#pragma once

#include <assimp/Importer.hpp>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

struct aiScene;

namespace vornimport {

class ModelReader {
public:
    // Reads `path`; false with Assimp's own error text in error() when it cannot. Each file
    // Assimp opens (the model, its buffers and material libraries) is counted once, by its
    // size, through `inputRead` when given.
    bool read(const std::string& path, const std::function<void(std::uint64_t bytes)>& inputRead = {});
    // The same for a model in memory, `formatHint` being its file name extension.
    bool readMemory(const void* bytes, std::size_t size, const char* formatHint);

    const aiScene& scene() const { return *scene_; }
    const std::string& error() const { return error_; }
    // Faces dropped before anything else saw them: an index outside the mesh, or a corner
    // with a non-finite position, texture coordinate or colour.
    long brokenFaces() const { return brokenFaces_; }

private:
    // Drops the broken faces of the scene just read, then post-processes it.
    bool prepare();

    Assimp::Importer importer_;
    const aiScene* scene_ = nullptr;
    std::string error_;
    long brokenFaces_ = 0;
};

}  // namespace vornimport
