// The mesh records and list: numbering, lookups by id with their "no such mesh" answers, and
// copies that own their arrays.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>

#include "engine/gl_extensions.h"
#include "meshfile/material.h"
#include "meshfile/mesh.h"

namespace {

Mesh meshNamed(const char* name, int faces) {
    Mesh mesh;
    mesh.setName(name);
    mesh.setPosition({1.0f, 2.0f, 3.0f});
    for (int i = 0; i < faces; ++i) {
        Face face;
        face.materialId = i;
        mesh.addFace(face);
    }
    mesh.addMaterialId(0);
    return mesh;
}

}  // namespace

TEST(MeshList, AddNumbersFromZeroAndStoresTheNumberInTheCopy) {
    MeshList list;
    EXPECT_EQ(list.add(meshNamed("a", 1)), 0);
    EXPECT_EQ(list.add(meshNamed("b", 2)), 1);
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(list.nextId, 2);
    EXPECT_EQ(list.all()[1].id, 1);
    EXPECT_EQ(list.faceCount(), 3u);
}

TEST(MeshList, StartUpResetsTheNumberingButKeepsTheMeshes) {
    MeshList list;
    list.add(meshNamed("a", 1));
    MaterialList materials;
    GlExtensions extensions;
    list.init(materials, extensions);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.materials, &materials);
    EXPECT_EQ(list.add(meshNamed("b", 1)), 0);
    EXPECT_EQ(list.all().size(), 2u);
}

TEST(MeshList, LookupsByIdActOnTheFirstMatch) {
    MeshList list;
    list.add(meshNamed("a", 0));
    list.add(meshNamed("b", 0));
    list.add(meshNamed("b", 0));
    EXPECT_EQ(list.indexOf("b"), 1);
    EXPECT_EQ(list.indexOf("B"), -1);
    EXPECT_STREQ(list.getName(2), "b");
    list.setName(2, "c");
    EXPECT_EQ(list.indexOf("c"), 2);
    list.setPosition(1, {4.0f, 5.0f, 6.0f});
    list.setRotation(1, {0.0f, 90.0f, 0.0f});
    list.setScale(1, {2.0f, 2.0f, 2.0f});
    EXPECT_EQ(list.getPosition(1)->z, 6.0f);
    EXPECT_EQ(list.getRotation(1)->y, 90.0f);
    EXPECT_EQ(list.getScale(1)->x, 2.0f);
    EXPECT_EQ(list.find(1), &list.all()[1]);
}

TEST(MeshList, UnknownIdsFindNothingAndChangeNothing) {
    MeshList list;
    list.add(meshNamed("a", 1));
    for (int unknown : {1, -1, 99}) {
        EXPECT_EQ(list.find(unknown), nullptr);
        EXPECT_EQ(list.getName(unknown), nullptr);
        EXPECT_EQ(list.getPosition(unknown), nullptr);
        EXPECT_EQ(list.getRotation(unknown), nullptr);
        EXPECT_EQ(list.getScale(unknown), nullptr);
        list.setName(unknown, "x");
        list.setPosition(unknown, {9.0f, 9.0f, 9.0f});
        list.remove(unknown);
    }
    EXPECT_EQ(list.indexOf("x"), -1);
    EXPECT_EQ(list.all()[0].position.x, 1.0f);
    EXPECT_EQ(list.count, 1);
}

TEST(MeshList, RemoveTakesTheMeshOutAndCountStaysAtZeroOrAbove) {
    MeshList list;
    list.add(meshNamed("a", 1));
    list.add(meshNamed("b", 2));
    list.remove(0);
    EXPECT_EQ(list.count, 1);
    EXPECT_EQ(list.indexOf("a"), -1);
    EXPECT_EQ(list.faceCount(), 2u);
    MaterialList materials;
    GlExtensions extensions;
    list.init(materials, extensions);
    list.remove(1);
    EXPECT_EQ(list.count, 0);
    EXPECT_TRUE(list.all().empty());
}

TEST(MeshList, ClearForgetsEveryMesh) {
    MeshList list;
    list.add(meshNamed("a", 1));
    list.clear();
    EXPECT_TRUE(list.all().empty());
    EXPECT_EQ(list.add(meshNamed("b", 1)), 0);
}

TEST(Mesh, CopiesOwnTheirFacesAndMaterialIds) {
    Mesh original = meshNamed("a", 2);
    Mesh copy = original;
    Face changed = copy.faces[0];
    changed.vertices[0].baseU = 5.0f;
    copy.faces.set(0, changed);
    copy.materialIds[0] = 9;
    copy.addFace(Face{});
    EXPECT_EQ(original.faces[0].vertices[0].baseU, 0.0f);
    EXPECT_EQ(original.materialIds[0], 0);
    EXPECT_EQ(original.faces.size(), 2u);

    MeshList list;
    list.add(original);
    Face moved = original.faces[1];
    moved.materialId = 77;
    original.faces.set(1, moved);  // the list keeps its own copy
    EXPECT_EQ(list.all()[0].faces[1].materialId, 1);
}

// No writable reference to a face leaves the array: one kept across a draw could move the face
// to another material without the drawing index knowing.
static_assert(std::is_same_v<decltype(std::declval<FaceArray&>()[0]), const Face&>);
static_assert(std::is_same_v<decltype(*std::declval<FaceArray&>().begin()), const Face&>);

TEST(FaceArray, SetReplacesOneFace) {
    FaceArray faces;
    faces.add(Face{});
    faces.add(Face{});
    Face replacement;
    replacement.materialId = 4;
    replacement.normal = Vector3{0.0f, 0.0f, 1.0f};
    faces.set(1, replacement);
    EXPECT_EQ(faces[0].materialId, -1);
    EXPECT_EQ(faces[1].materialId, 4);
    EXPECT_EQ(faces[1].normal.z, 1.0f);
}

TEST(FaceArray, GrowsKeepingEveryFaceEvenWhenAddingOneOfItsOwn) {
    FaceArray faces;
    Face first;
    first.materialId = 7;
    faces.add(first);
    // Each add of an element of the array itself comes when the array is full and must grow.
    for (int i = 0; i < 10; ++i) faces.add(faces[faces.size() - 1]);
    ASSERT_EQ(faces.size(), 11u);
    for (const Face& face : faces) EXPECT_EQ(face.materialId, 7);
}

TEST(FaceArray, MovingHandsTheFacesOverAndEmptiesTheSource) {
    FaceArray faces;
    faces.add(Face{});
    FaceArray moved = std::move(faces);
    EXPECT_EQ(moved.size(), 1u);
    EXPECT_TRUE(faces.empty());  // NOLINT: a moved-from array is empty and usable
    faces.add(Face{});
    faces = moved;
    moved = FaceArray{};
    EXPECT_EQ(faces.size(), 1u);
    EXPECT_TRUE(moved.empty());
}

TEST(Mesh, SetNameCutsAtTheNameSize) {
    Mesh mesh;
    const std::string longName(400, 'q');
    mesh.setName(longName.c_str());
    EXPECT_EQ(std::string(mesh.name), longName.substr(0, 254));
}
