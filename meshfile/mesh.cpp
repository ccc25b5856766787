// The mesh record's setters and the mesh list's numbering and lookups by id.
#include "meshfile/mesh.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "meshfile/mesh_file_reader.h"

static_assert(std::is_trivially_copyable_v<Face>, "faces are moved and copied as bytes");

FaceArray::FaceArray(const FaceArray& other) {
    *this = other;
}

FaceArray::FaceArray(FaceArray&& other) noexcept : faces(std::exchange(other.faces, Storage{})) {
    other.byMaterial.forget();
}

FaceArray& FaceArray::operator=(const FaceArray& other) {
    if (this == &other) return *this;
    byMaterial.forget();
    Face* copy = nullptr;
    if (other.faces.count != 0) {
        copy = static_cast<Face*>(std::malloc(other.faces.count * sizeof(Face)));
        if (copy == nullptr) throw std::bad_alloc();
        std::memcpy(copy, other.faces.data, other.faces.count * sizeof(Face));
    }
    std::free(faces.data);
    faces = Storage{copy, other.faces.count, other.faces.count};
    return *this;
}

FaceArray& FaceArray::operator=(FaceArray&& other) noexcept {
    if (this == &other) return *this;
    byMaterial.forget();
    other.byMaterial.forget();
    std::free(faces.data);
    faces = std::exchange(other.faces, Storage{});
    return *this;
}

FaceArray::~FaceArray() {
    std::free(faces.data);
}

void FaceArray::add(const Face& face) {
    byMaterial.forget();
    if (faces.count == faces.capacity) {
        // `face` may lie in the block that realloc is about to move.
        const Face kept = face;
        const std::size_t grown = faces.capacity == 0 ? 1 : faces.capacity * 2;
        void* moved = std::realloc(faces.data, grown * sizeof(Face));
        if (moved == nullptr) throw std::bad_alloc();
        faces.data = static_cast<Face*>(moved);
        faces.capacity = grown;
        std::memcpy(&faces.data[faces.count++], &kept, sizeof(Face));
        return;
    }
    std::memcpy(&faces.data[faces.count++], &face, sizeof(Face));
}

void FaceArray::set(std::size_t index, const Face& face) {
    if (faces.data[index].materialId != face.materialId) byMaterial.forget();
    faces.data[index] = face;
}

const std::vector<std::uint32_t>& FaceArray::MaterialIndex::facesOf(int materialId,
                                                                   const Storage& faces) {
    if (!built) {
        for (std::size_t i = 0; i < faces.count; ++i)
            positions[faces.data[i].materialId].push_back(std::uint32_t(i));
        built = true;
    }
    const auto found = positions.find(materialId);
    return found == positions.end() ? none : found->second;
}

void Mesh::setName(const char* text) {
    std::strncpy(name, text, nameSize - 1);
    name[nameSize - 1] = '\0';
}

void MeshList::init(MaterialList& materials, GlExtensions& extensions) {
    count = 0;
    nextId = 0;
    this->materials = &materials;
    this->extensions = &extensions;
}

void MeshList::clear() {
    meshes.clear();
    count = 0;
    nextId = 0;
}

int MeshList::load(const char* fileName) {
    return loadMeshFile(fileName, *this);
}

int MeshList::add(const Mesh& mesh) {
    meshes.push_back(mesh);
    // The stored copy carries its number, so that the lookups by id find it.
    meshes.back().id = nextId;
    ++count;
    return nextId++;
}

int MeshList::add(Mesh&& mesh) {
    meshes.push_back(std::move(mesh));
    meshes.back().id = nextId;
    ++count;
    return nextId++;
}

Mesh* MeshList::find(int id) {
    for (Mesh& mesh : meshes)
        if (mesh.id == id) return &mesh;
    return nullptr;
}

const Mesh* MeshList::find(int id) const {
    for (const Mesh& mesh : meshes)
        if (mesh.id == id) return &mesh;
    return nullptr;
}

int MeshList::indexOf(const char* name) const {
    for (const Mesh& mesh : meshes)
        if (std::strcmp(mesh.name, name) == 0) return mesh.id;
    return -1;
}

const char* MeshList::getName(int id) const {
    const Mesh* mesh = find(id);
    return mesh != nullptr ? mesh->name : nullptr;
}

void MeshList::setName(int id, const char* name) {
    if (Mesh* mesh = find(id)) mesh->setName(name);
}

Vector3* MeshList::getPosition(int id) {
    Mesh* mesh = find(id);
    return mesh != nullptr ? &mesh->position : nullptr;
}

Vector3* MeshList::getRotation(int id) {
    Mesh* mesh = find(id);
    return mesh != nullptr ? &mesh->rotation : nullptr;
}

Vector3* MeshList::getScale(int id) {
    Mesh* mesh = find(id);
    return mesh != nullptr ? &mesh->scale : nullptr;
}

void MeshList::setPosition(int id, const Vector3& value) {
    if (Mesh* mesh = find(id)) mesh->position = value;
}

void MeshList::setRotation(int id, const Vector3& value) {
    if (Mesh* mesh = find(id)) mesh->rotation = value;
}

void MeshList::setScale(int id, const Vector3& value) {
    if (Mesh* mesh = find(id)) mesh->scale = value;
}

void MeshList::remove(int id) {
    for (auto it = meshes.begin(); it != meshes.end(); ++it)
        if (it->id == id) {
            meshes.erase(it);
            if (count > 0) --count;
            return;
        }
}

std::size_t MeshList::faceCount() const {
    std::size_t total = 0;
    for (const Mesh& mesh : meshes) total += mesh.faces.size();
    return total;
}
