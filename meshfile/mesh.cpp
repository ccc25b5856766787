// The mesh record's setters and the mesh list's numbering and lookups by id.
#include "meshfile/mesh.h"

#include <cstring>

#include "meshfile/mesh_file_reader.h"

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
