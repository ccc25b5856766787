// The material record and list: defaults, equality, ids and sharing, lookups by id with their
// "no such material" answers, and the start-up's capability check.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/gl_extensions.h"
#include "meshfile/material.h"
#include "platform/fake_platform.h"
#include "render/texture_list.h"

namespace {

Material withScrollU(float value) {
    Material material;
    material.setBaseScrollU(value);
    return material;
}

}  // namespace

TEST(Material, DefaultHasNoTextureOnAnyUnit) {
    const Material material;
    EXPECT_EQ(material.getId(), 0);
    EXPECT_EQ(material.getBaseTexture(), -1);
    EXPECT_EQ(material.getDetailTexture(), -1);
    EXPECT_EQ(material.getBumpTexture(), -1);
    EXPECT_FALSE(material.getBaseSphereMap());
    EXPECT_FALSE(material.getDetailSphereMap());
    EXPECT_EQ(material.getBaseScrollU(), 0.0f);
    EXPECT_EQ(material.getBumpParameter(), 0.0f);
}

// Each member but the id takes part in equality.
struct Difference {
    const char* label;
    void (*change)(Material&);
};

class MaterialDifferenceTest : public ::testing::TestWithParam<Difference> {};

TEST_P(MaterialDifferenceTest, MakesADistinctMaterial) {
    MaterialList list;
    Material first;
    Material second;
    GetParam().change(second);
    EXPECT_FALSE(first.sameAs(second));
    EXPECT_EQ(list.add(first), 0);
    EXPECT_EQ(list.find(second), -1);
    EXPECT_EQ(list.add(second), 1);
    EXPECT_EQ(list.find(second), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Material, MaterialDifferenceTest,
    ::testing::Values(
        Difference{"BaseTexture", [](Material& m) { m.setBaseTexture(0); }},
        Difference{"BaseScrollU", [](Material& m) { m.setBaseScrollU(0.5f); }},
        Difference{"BaseScrollV", [](Material& m) { m.setBaseScrollV(0.5f); }},
        Difference{"BaseSphereMap", [](Material& m) { m.setBaseSphereMap(true); }},
        Difference{"DetailTexture", [](Material& m) { m.setDetailTexture(3); }},
        Difference{"DetailScrollU", [](Material& m) { m.setDetailScrollU(-1.0f); }},
        Difference{"DetailScrollV", [](Material& m) { m.setDetailScrollV(2.0f); }},
        Difference{"DetailSphereMap", [](Material& m) { m.setDetailSphereMap(true); }},
        Difference{"BumpTexture", [](Material& m) { m.setBumpTexture(1); }},
        Difference{"BumpParameter", [](Material& m) { m.setBumpParameter(0.25f); }},
        Difference{"SmallestFloatStep",
                   [](Material& m) { m.setBaseScrollV(std::nextafter(0.0f, 1.0f)); }}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(MaterialList, IdsCountUpAndFindReturnsTheFirstEqual) {
    MaterialList list;
    Material probe;
    EXPECT_EQ(list.find(probe), -1);
    Material a = withScrollU(1.0f);
    Material b = withScrollU(2.0f);
    EXPECT_EQ(list.add(a), 0);
    EXPECT_EQ(a.getId(), 0);  // add writes the id into the caller's record
    EXPECT_EQ(list.add(b), 1);
    EXPECT_EQ(list.add(a), 2);
    EXPECT_EQ(list.count, 3);
    EXPECT_EQ(list.nextId, 3);
    EXPECT_EQ(list.find(withScrollU(1.0f)), 0);
    EXPECT_EQ(list.find(withScrollU(2.0f)), 1);
    Material other = withScrollU(1.0f);
    other.setId(42);  // the id takes no part in equality
    EXPECT_EQ(list.find(other), 0);
}

TEST(MaterialList, ReadsByIdAnswerTheirNoneValuesForUnknownIds) {
    MaterialList list;
    Material material;
    material.setBaseTexture(4);
    material.setBaseScrollU(0.5f);
    material.setBaseScrollV(0.25f);
    material.setDetailScrollU(2.0f);
    material.setDetailScrollV(3.0f);
    material.setBaseSphereMap(true);
    list.add(material);
    EXPECT_EQ(list.baseScrollUOf(0), 0.5f);
    EXPECT_EQ(list.baseScrollVOf(0), 0.25f);
    EXPECT_EQ(list.detailScrollUOf(0), 2.0f);
    EXPECT_EQ(list.detailScrollVOf(0), 3.0f);
    EXPECT_EQ(list.baseTextureOf(0), 4);
    EXPECT_TRUE(list.baseSphereMapOf(0));
    for (int unknown : {1, -1, 100}) {
        EXPECT_EQ(list.baseScrollUOf(unknown), -1.0f);
        EXPECT_EQ(list.baseScrollVOf(unknown), -1.0f);
        EXPECT_EQ(list.detailScrollUOf(unknown), -1.0f);
        EXPECT_EQ(list.detailScrollVOf(unknown), -1.0f);
        EXPECT_EQ(list.bumpParameterOf(unknown), -1.0f);
        EXPECT_EQ(list.baseTextureOf(unknown), -1);
        EXPECT_EQ(list.detailTextureOf(unknown), -1);
        EXPECT_EQ(list.bumpTextureOf(unknown), -1);
        EXPECT_FALSE(list.baseSphereMapOf(unknown));
        EXPECT_FALSE(list.detailSphereMapOf(unknown));
    }
}

TEST(MaterialList, WritesByIdChangeTheFirstMatchOnlyAndIgnoreUnknownIds) {
    MaterialList list;
    Material a = withScrollU(1.0f);
    Material b = withScrollU(2.0f);
    list.add(a);
    list.add(b);
    list.setDetailTextureOf(1, 7);
    list.setBumpParameterOf(1, 0.5f);
    list.setDetailSphereMapOf(1, true);
    list.setBaseScrollVOf(5, 9.0f);
    EXPECT_EQ(list.detailTextureOf(1), 7);
    EXPECT_EQ(list.bumpParameterOf(1), 0.5f);
    EXPECT_TRUE(list.detailSphereMapOf(1));
    EXPECT_EQ(list.detailTextureOf(0), -1);
    EXPECT_EQ(list.all()[0].getBaseScrollV(), 0.0f);
    EXPECT_EQ(list.all()[1].getBaseScrollV(), 0.0f);
}

TEST(MaterialList, RemoveAndSearchByBaseTexture) {
    MaterialList list;
    Material a;
    a.setBaseTexture(3);
    Material b;
    b.setBaseTexture(5);
    list.add(a);
    list.add(b);
    EXPECT_EQ(list.findByBaseTexture(5), 1);
    EXPECT_EQ(list.findByBaseTexture(9), -1);
    list.remove(0);
    list.remove(17);  // no such material: nothing changes
    EXPECT_EQ(list.count, 1);
    EXPECT_EQ(list.findByBaseTexture(3), -1);
    EXPECT_EQ(list.baseTextureOf(1), 5);
    list.remove(1);
    list.remove(1);
    EXPECT_EQ(list.count, 0);  // never below 0
    EXPECT_EQ(list.nextId, 2);  // ids are not reused
}

TEST(MaterialList, StartUpWithoutGlReportsBothLacksInOrderAndLeavesSwitchesOff) {
    platform::fake::reset();
    TextureList textures;
    GlExtensions extensions;
    MaterialList list;
    Material kept;
    list.add(kept);
    list.detailEnabled = true;
    list.bumpEnabled = true;
    list.init(textures, extensions);

    const auto& boxes = platform::fake::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Votre carte graphique ne supporte pas le multitexturing");
    EXPECT_EQ(boxes[1].text, "Votre carte graphique ne supporte pas le BumpMapping");
    for (const auto& box : boxes) {
        EXPECT_EQ(box.caption, "Erreur");
        EXPECT_EQ(box.style, platform::MB_OK);
    }
    EXPECT_FALSE(list.detailEnabled);
    EXPECT_FALSE(list.bumpEnabled);
    EXPECT_EQ(list.textureList, &textures);
    EXPECT_EQ(list.extensions, &extensions);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.nextId, 0);
    // The start-up keeps the materials it finds: they are still found.
    EXPECT_EQ(list.all().size(), 1u);
    EXPECT_EQ(list.find(kept), 0);
}

TEST(MaterialList, ClearForgetsEveryMaterial) {
    MaterialList list;
    Material a;
    list.add(a);
    list.clear();
    EXPECT_TRUE(list.all().empty());
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.find(a), -1);
    EXPECT_EQ(list.add(a), 0);
}
