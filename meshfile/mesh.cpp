// The mesh record's setters and the mesh list's numbering and lookups by id.
#include "meshfile/mesh.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <type_traits>
#include <utility>

#include "meshfile/mesh_file_reader.h"

static_assert(std::is_trivially_copyable_v<Face>, "faces are moved and copied as bytes");

namespace {

// Faces live in malloc'd storage so that it can grow in place; a failed allocation still goes
// as operator new's does: the program's new handler may free memory or end the program (the
// web page's says that memory ran out), and without one bad_alloc is thrown.
void* reallocateFaces(void* block, std::size_t count) {
    if (count > std::numeric_limits<std::size_t>::max() / sizeof(Face)) throw std::bad_alloc();
    for (;;) {
        if (void* moved = std::realloc(block, count * sizeof(Face))) return moved;
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) throw std::bad_alloc();
        handler();
    }
}

}  // namespace

FaceArray::FaceArray(const FaceArray& other) {
    *this = other;
}

FaceArray::FaceArray(FaceArray&& other) noexcept
    : faces(std::exchange(other.faces, Storage{})),
      slotOf(std::move(other.slotOf)),
      groups(std::move(other.groups)),
      groupedFor(std::move(other.groupedFor)),
      grouped(std::exchange(other.grouped, false)) {
    other.slotOf.clear();
}

FaceArray& FaceArray::operator=(const FaceArray& other) {
    if (this == &other) return *this;
    Face* copy = nullptr;
    if (other.faces.count != 0) {
        copy = static_cast<Face*>(reallocateFaces(nullptr, other.faces.count));
        std::memcpy(copy, other.faces.data, other.faces.count * sizeof(Face));
    }
    std::free(faces.data);
    faces = Storage{copy, other.faces.count, other.faces.count};
    slotOf = other.slotOf;
    groups = other.groups;
    groupedFor = other.groupedFor;
    grouped = other.grouped;
    return *this;
}

FaceArray& FaceArray::operator=(FaceArray&& other) noexcept {
    if (this == &other) return *this;
    std::free(faces.data);
    faces = std::exchange(other.faces, Storage{});
    slotOf = std::move(other.slotOf);
    other.slotOf.clear();
    groups = std::move(other.groups);
    groupedFor = std::move(other.groupedFor);
    grouped = std::exchange(other.grouped, false);
    return *this;
}

FaceArray::~FaceArray() {
    std::free(faces.data);
}

void FaceArray::add(const Face& face) {
    grouped = false;
    if (faces.count == faces.capacity) {
        // `face` may lie in the block that realloc is about to move.
        const Face kept = face;
        const std::size_t grown = faces.capacity == 0 ? 1 : faces.capacity * 2;
        faces.data = static_cast<Face*>(reallocateFaces(faces.data, grown));
        faces.capacity = grown;
        std::memcpy(&faces.data[faces.count], &kept, sizeof(Face));
    } else {
        std::memcpy(&faces.data[faces.count], &face, sizeof(Face));
    }
    if (!slotOf.empty()) slotOf.push_back(std::uint32_t(faces.count));
    ++faces.count;
}

void FaceArray::set(std::size_t index, const Face& face) {
    Face& stored = faces.data[slot(index)];
    if (stored.materialId != face.materialId) grouped = false;
    stored = face;
}

void FaceArray::arrange(const std::vector<int>& passOrder) {
    if (grouped && groupedFor == passOrder) return;
    regroup(passOrder);
}

namespace {

// Group numbers of material ids: a table over the ids' range when it is small, as material ids
// are, a search among the groups otherwise.
class GroupNumbers {
public:
    GroupNumbers(int lowest, int highest) : lowest(lowest) {
        const long long range = static_cast<long long>(highest) - lowest + 1;
        if (range <= maxTable) table.assign(std::size_t(range), none);
    }
    std::uint32_t find(int materialId) const {
        if (!table.empty()) return table[std::size_t(static_cast<long long>(materialId) - lowest)];
        for (std::size_t g = 0; g < ids.size(); ++g)
            if (ids[g] == materialId) return std::uint32_t(g);
        return none;
    }
    // The group of the id, a new one when it has none yet.
    std::uint32_t take(int materialId) {
        std::uint32_t found = find(materialId);
        if (found != none) return found;
        found = std::uint32_t(ids.size());
        ids.push_back(materialId);
        if (!table.empty()) table[std::size_t(static_cast<long long>(materialId) - lowest)] = found;
        return found;
    }
    const std::vector<int>& groupIds() const { return ids; }

    static constexpr std::uint32_t none = ~std::uint32_t(0);

private:
    static constexpr long long maxTable = 1 << 16;
    int lowest;
    std::vector<std::uint32_t> table;
    std::vector<int> ids;
};

}  // namespace

void FaceArray::regroup(const std::vector<int>& passOrder) {
    const std::size_t count = faces.count;
    int lowest = 0, highest = 0;
    bool anyId = false;
    auto widen = [&](int id) {
        lowest = anyId ? std::min(lowest, id) : id;
        highest = anyId ? std::max(highest, id) : id;
        anyId = true;
    };
    for (int id : passOrder) widen(id);
    for (std::size_t i = 0; i < count; ++i) widen(faces.data[i].materialId);

    // Groups in the order of the passes, then the other materials in the order of their first
    // face; each face's group, by its number in the file.
    GroupNumbers numbers(lowest, highest);
    for (int id : passOrder) numbers.take(id);
    std::vector<std::uint32_t> groupOf(count);
    for (std::size_t i = 0; i < count; ++i) groupOf[i] = numbers.take((*this)[i].materialId);

    const std::vector<int>& ids = numbers.groupIds();
    std::vector<std::uint32_t> next(ids.size() + 1, 0);
    for (std::uint32_t g : groupOf) ++next[g + 1];
    for (std::size_t g = 1; g < next.size(); ++g) next[g] += next[g - 1];
    groups.clear();
    for (std::size_t g = 0; g < ids.size(); ++g) groups.push_back({ids[g], next[g], next[g + 1]});

    Face* arranged = nullptr;
    if (count != 0) {
        arranged = static_cast<Face*>(reallocateFaces(nullptr, count));
    }
    std::vector<std::uint32_t> newSlots(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t place = next[groupOf[i]]++;
        std::memcpy(&arranged[place], &faces.data[slot(i)], sizeof(Face));
        newSlots[i] = place;
    }
    std::free(faces.data);
    faces = Storage{arranged, count, count};
    slotOf = std::move(newSlots);
    groupedFor = passOrder;
    grouped = true;
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
