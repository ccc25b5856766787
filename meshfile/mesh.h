// Meshes as read from mesh files: corners, triangles, one mesh's placement, faces and material
// ids, and the list that owns every mesh of the scene and numbers them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/vector3.h"

class MaterialList;
struct GlExtensions;

struct Vertex {
    Vector3 position;
    float baseU = 0.0f, baseV = 0.0f;      // unit 0, the base texture
    float detailU = 0.0f, detailV = 0.0f;  // unit 1, the detail texture
    float bumpU = 0.0f, bumpV = 0.0f;      // unit 2, the bump texture
    float color[3] = {0.0f, 0.0f, 0.0f};   // red, green, blue
};

struct Face {
    Vertex vertices[3];  // drawn as one triangle in this order
    Vector3 normal;      // as written in the file
    int materialId = -1;
};

// A mesh's faces, numbered in file order, with the operations on the whole array (drawing:
// render/). They are stored grouped by material in the order of the drawing passes, so that a
// pass walks its faces one after the other in memory; `slotOf` maps each face's number in the
// file to its place. Faces are plain values, so the storage grows with realloc: a mesh file of
// many faces loads without touching its memory twice.
class FaceArray {
public:
    FaceArray() = default;
    FaceArray(const FaceArray& other);
    FaceArray(FaceArray&& other) noexcept;
    FaceArray& operator=(const FaceArray& other);
    FaceArray& operator=(FaceArray&& other) noexcept;
    ~FaceArray();

    // Appends a copy; the storage at least doubles when it is full.
    void add(const Face& face);
    std::size_t size() const { return faces.count; }
    bool empty() const { return faces.count == 0; }
    // Faces are read in place but changed only through set, which keeps the grouping right.
    const Face& operator[](std::size_t index) const { return faces.data[slot(index)]; }
    // Walks the faces in file order.
    class Iterator {
    public:
        Iterator(const FaceArray& array, std::size_t index) : array(&array), index(index) {}
        const Face& operator*() const { return (*array)[index]; }
        Iterator& operator++() {
            ++index;
            return *this;
        }
        bool operator==(const Iterator& other) const { return index == other.index; }

    private:
        const FaceArray* array;
        std::size_t index;
    };
    Iterator begin() const { return Iterator(*this, 0); }
    Iterator end() const { return Iterator(*this, faces.count); }
    // Replaces the face at index; the faces are grouped again when its material changes.
    void set(std::size_t index, const Face& face);

    // Groups the faces for passes in `passOrder` (material ids, repeats allowed), unless they
    // already are; faces of materials it does not name come last.
    void arrange(const std::vector<int>& passOrder);
    // Draws the faces of one material id in file order, scrolling their coordinates as they go.
    void drawFaces(MaterialList& materials, int materialId, GlExtensions& extensions);
    // Recomputes every face normal from the corner positions.
    void computeFaceNormals();

private:
    // The block of faces, owned by the FaceArray around it.
    struct Storage {
        Face* data = nullptr;
        std::size_t count = 0;
        std::size_t capacity = 0;
    };
    // The faces of one material id: storage places [first, last), in file order.
    struct Group {
        int materialId;
        std::uint32_t first, last;
    };

    std::size_t slot(std::size_t index) const { return slotOf.empty() ? index : slotOf[index]; }
    void regroup(const std::vector<int>& passOrder);

    Storage faces;
    std::vector<std::uint32_t> slotOf;  // empty while the storage is in file order
    std::vector<Group> groups;          // valid while `grouped`
    std::vector<int> groupedFor;        // the pass order of the groups
    bool grouped = false;
};

struct Mesh {
    static constexpr std::size_t nameSize = 255;  // at most 254 characters and the NUL

    char name[nameSize] = {};
    int id = 0;
    Vector3 position;
    Vector3 rotation;  // degrees about X, Y and Z
    Vector3 scale;
    FaceArray faces;
    std::vector<int> materialIds;  // one drawing pass per entry, in the file's block order

    // Copies the text, cut at 254 characters.
    void setName(const char* text);
    void setPosition(const Vector3& value) { position = value; }
    void setRotation(const Vector3& value) { rotation = value; }
    void setScale(const Vector3& value) { scale = value; }
    void addFace(const Face& face) { faces.add(face); }
    void addMaterialId(int materialId) { materialIds.push_back(materialId); }
    // The mesh under its transform, one pass per material id.
    void draw(MaterialList& materials, GlExtensions& extensions);
};

class MeshList {
public:
    // The engine's start-up: counts reset, links stored; the meshes already held stay.
    void init(MaterialList& materials, GlExtensions& extensions);
    // Forgets every mesh, before a reload.
    void clear();

    // Reads one mesh file into the lists; the new mesh's number, or -1 when none was added.
    int load(const char* fileName);
    // Keeps a deep copy of `mesh`, numbered with the next id, and returns that id.
    int add(const Mesh& mesh);
    // The same for a mesh that its owner is about to destroy: its arrays move into the list.
    int add(Mesh&& mesh);

    // By id: the first mesh whose id matches; nullptr or nothing done when there is none.
    Mesh* find(int id);
    const Mesh* find(int id) const;
    // Id of the first mesh whose name equals `name` exactly, or -1.
    int indexOf(const char* name) const;
    const char* getName(int id) const;
    void setName(int id, const char* name);
    Vector3* getPosition(int id);
    Vector3* getRotation(int id);
    Vector3* getScale(int id);
    void setPosition(int id, const Vector3& value);
    void setRotation(int id, const Vector3& value);
    void setScale(int id, const Vector3& value);
    void remove(int id);
    // Every mesh in list order, or the first with that id alone.
    void drawAll();
    void draw(int id);
    // Faces of all meshes together.
    std::size_t faceCount() const;

    const std::vector<Mesh>& all() const { return meshes; }

    int count = 0;
    int nextId = 0;
    MaterialList* materials = nullptr;
    GlExtensions* extensions = nullptr;

private:
    std::vector<Mesh> meshes;
};
