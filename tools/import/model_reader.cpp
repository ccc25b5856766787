// Assimp reads the file untouched first: its post-processing steps trust every index, so the
// broken faces go before triangulation and normal generation run.
#include "tools/import/model_reader.h"

#include <assimp/DefaultIOSystem.h>
#include <assimp/IOStream.hpp>
#include <assimp/config.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

namespace vornimport {

namespace {

bool finite(const aiVector3D& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
bool finite(const aiColor4D& c) { return std::isfinite(c.r) && std::isfinite(c.g) && std::isfinite(c.b); }

// Vertices whose every number the output uses is finite.
std::vector<bool> usableVertices(const aiMesh& mesh) {
    std::vector<bool> usable(mesh.mNumVertices, mesh.mVertices != nullptr);
    if (mesh.mVertices == nullptr) return usable;
    for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
        bool ok = finite(mesh.mVertices[v]);
        for (unsigned c = 0; ok && c < AI_MAX_NUMBER_OF_TEXTURECOORDS; ++c)
            if (mesh.mTextureCoords[c] != nullptr) ok = finite(mesh.mTextureCoords[c][v]);
        if (ok && mesh.mColors[0] != nullptr) ok = finite(mesh.mColors[0][v]);
        usable[v] = ok;
    }
    return usable;
}

// Keeps the faces whose corners all exist and are usable; the others move behind mNumFaces,
// where the mesh's destructor still frees them. The count of faces dropped.
long dropBrokenFaces(aiMesh& mesh) {
    if (mesh.mFaces == nullptr) return 0;
    const std::vector<bool> usable = usableVertices(mesh);
    unsigned kept = 0;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        aiFace& face = mesh.mFaces[f];
        bool whole = face.mNumIndices > 0 && face.mIndices != nullptr;
        for (unsigned i = 0; whole && i < face.mNumIndices; ++i)
            whole = face.mIndices[i] < mesh.mNumVertices && usable[face.mIndices[i]];
        if (!whole) continue;
        if (kept != f) {
            std::swap(mesh.mFaces[kept].mNumIndices, face.mNumIndices);
            std::swap(mesh.mFaces[kept].mIndices, face.mIndices);
        }
        ++kept;
    }
    const long dropped = static_cast<long>(mesh.mNumFaces - kept);
    mesh.mNumFaces = kept;
    return dropped;
}

// Assimp's own file access, telling the size of each file it opens the first time: the time a
// model may take grows with all it reads, a glTF's buffers as much as the file named.
class CountingFiles : public Assimp::DefaultIOSystem {
public:
    explicit CountingFiles(const std::function<void(std::uint64_t)>& inputRead) : inputRead_(inputRead) {}

    Assimp::IOStream* Open(const char* file, const char* mode) override {
        Assimp::IOStream* stream = DefaultIOSystem::Open(file, mode);
        if (stream != nullptr && opened_.insert(file).second) inputRead_(stream->FileSize());
        return stream;
    }

private:
    std::function<void(std::uint64_t)> inputRead_;
    std::set<std::string> opened_;
};

}  // namespace

bool ModelReader::read(const std::string& path, const std::function<void(std::uint64_t bytes)>& inputRead) {
    // Bones alone are no geometry: no stand-in meshes for them.
    importer_.SetPropertyBool(AI_CONFIG_IMPORT_NO_SKELETON_MESHES, true);
    if (inputRead) importer_.SetIOHandler(new CountingFiles(inputRead));  // the importer owns it
    scene_ = importer_.ReadFile(path, 0);
    return prepare();
}

bool ModelReader::readMemory(const void* bytes, std::size_t size, const char* formatHint) {
    importer_.SetPropertyBool(AI_CONFIG_IMPORT_NO_SKELETON_MESHES, true);
    scene_ = importer_.ReadFileFromMemory(bytes, size, 0, formatHint);
    return prepare();
}

bool ModelReader::prepare() {
    if (scene_ == nullptr) {
        error_ = importer_.GetErrorString();
        if (error_.empty()) error_ = "the model cannot be read";
        return false;
    }
    // The importer owns the scene and lets it be changed between reading and post-processing.
    aiScene& scene = const_cast<aiScene&>(*scene_);
    for (unsigned m = 0; m < scene.mNumMeshes; ++m)
        if (scene.mMeshes != nullptr && scene.mMeshes[m] != nullptr) brokenFaces_ += dropBrokenFaces(*scene.mMeshes[m]);
    scene_ = importer_.ApplyPostProcessing(aiProcess_Triangulate | aiProcess_GenSmoothNormals |
                                           aiProcess_GenUVCoords | aiProcess_TransformUVCoords);
    if (scene_ == nullptr) {
        error_ = importer_.GetErrorString();
        if (error_.empty()) error_ = "the model cannot be prepared";
        return false;
    }
    return true;
}

}  // namespace vornimport
