// The light list: ids, removal and shared ids, lookups, the accessors in place and by value,
// their "no such light" answers, radius truncation and names at their limit.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "scenedesc/light.h"

namespace {

bool sameLight(const Light& a, const Light& b) {
    return std::string(a.name) == b.name && a.id == b.id && a.position.x == b.position.x &&
           a.position.y == b.position.y && a.position.z == b.position.z &&
           a.color.red == b.color.red && a.color.green == b.color.green &&
           a.color.blue == b.color.blue && a.radius == b.radius && a.tag == b.tag;
}

}  // namespace

TEST(LightList, AddNumbersFromZeroAndStoresEveryMember) {
    LightList lights;
    EXPECT_EQ(lights.add("a", {1, 2, 3}, {0.1f, 0.2f, 0.3f}, 2.75f, 7), 0);
    EXPECT_EQ(lights.add("b", {}, {}, 0.0f, 0), 1);
    EXPECT_EQ(lights.add("c", {}, {}, 0.0f, 0), 2);
    EXPECT_EQ(lights.nextIdValue(), 3);
    const Light& a = lights.all()[0];
    EXPECT_STREQ(a.name, "a");
    EXPECT_EQ(a.position.y, 2.0f);
    EXPECT_EQ(a.color.red, 0.1f);
    EXPECT_EQ(a.color.green, 0.2f);
    EXPECT_EQ(a.color.blue, 0.3f);
    EXPECT_EQ(a.radius, 2.75f);  // the list keeps the fraction; only getRadius drops it
    EXPECT_EQ(a.tag, 7);
    EXPECT_EQ(lights.getRadius(0), 2);
}

TEST(LightList, NewLightCanShareTheIdOfAnOlderOneThatThenAnswersForBoth) {
    LightList lights;
    lights.add("A", {}, {}, 1.0f, 0);
    lights.add("B", {}, {}, 1.0f, 0);
    lights.remove(0);
    EXPECT_EQ(lights.nextIdValue(), 1);
    EXPECT_EQ(lights.add("C", {}, {}, 1.0f, 0), 1);
    ASSERT_EQ(lights.all().size(), 2u);
    const Light cBefore = lights.all()[1];

    lights.setName(1, "B2");
    lights.setPosition(1, {4, 5, 6});
    lights.setColor(1, {0.5f, 0.5f, 0.5f});
    lights.setRed(1, 0.25f);
    lights.setGreen(1, 0.125f);
    lights.setBlue(1, 1.0f);
    lights.setRadius(1, 9);
    lights.setTag(1, 3);

    EXPECT_TRUE(sameLight(lights.all()[1], cBefore)) << "the newer light changed";
    const Light& b = lights.all()[0];
    EXPECT_STREQ(b.name, "B2");
    EXPECT_EQ(b.position.z, 6.0f);
    EXPECT_EQ(b.color.red, 0.25f);
    EXPECT_EQ(b.color.green, 0.125f);
    EXPECT_EQ(b.color.blue, 1.0f);
    EXPECT_EQ(b.radius, 9.0f);
    EXPECT_EQ(lights.findById(1), &lights.all()[0]);
    EXPECT_EQ(lights.findByName("C"), 1);
    // Removing id 1 takes B, the first; C stays with its shared id.
    lights.remove(1);
    ASSERT_EQ(lights.all().size(), 1u);
    EXPECT_STREQ(lights.all()[0].name, "C");
    EXPECT_EQ(lights.nextIdValue(), 1);
}

TEST(LightList, RemoveKeepsTheOrderAndIgnoresUnknownIds) {
    LightList lights;
    lights.add("a", {}, {}, 0.0f, 0);
    lights.add("b", {}, {}, 0.0f, 0);
    lights.add("c", {}, {}, 0.0f, 0);
    lights.remove(7);
    lights.remove(-1);
    EXPECT_EQ(lights.nextIdValue(), 3);
    EXPECT_EQ(lights.all().size(), 3u);
    lights.remove(1);
    ASSERT_EQ(lights.all().size(), 2u);
    EXPECT_STREQ(lights.all()[1].name, "c");
    EXPECT_EQ(lights.all()[1].id, 2);  // ids are not renumbered
    EXPECT_EQ(lights.nextIdValue(), 2);

    LightList empty;
    empty.remove(0);
    EXPECT_EQ(empty.nextIdValue(), 0);
}

TEST(LightList, FindByNameIsExactAndTakesTheFirst) {
    LightList lights;
    lights.add("Lamp", {}, {}, 0.0f, 0);
    lights.add("Lamp", {}, {}, 0.0f, 0);
    EXPECT_EQ(lights.findByName("Lamp"), 0);
    EXPECT_EQ(lights.findByName("lamp"), -1);
    EXPECT_EQ(lights.findByName("Lamp "), -1);
    EXPECT_EQ(lights.findByName("Lam"), -1);
    EXPECT_EQ(lights.findByName(""), -1);
    EXPECT_EQ(lights.findByName(nullptr), -1);
}

TEST(LightList, InPlaceAccessorsReachTheStoredLight) {
    LightList lights;
    lights.add("a", {1, 1, 1}, {0, 0, 0}, 1.0f, 0);
    Vector3* position = lights.getPosition(0);
    ASSERT_NE(position, nullptr);
    position->x = 8.0f;
    LightColor* color = lights.getColor(0);
    ASSERT_NE(color, nullptr);
    color->green = 0.5f;
    Light* light = lights.findById(0);
    ASSERT_NE(light, nullptr);
    light->tag = 4;
    EXPECT_EQ(lights.all()[0].position.x, 8.0f);
    EXPECT_EQ(lights.getGreen(0), 0.5f);
    EXPECT_EQ(lights.getTag(0), 4);
}

// Every read by id answers its "none" value, and every write by id changes nothing, when no
// light has the id: on an empty list and on a list whose only light has another id.
TEST(LightList, NoSuchLightAnswersNoneAndChangesNothing) {
    LightList empty;
    LightList one;
    one.add("only", {1, 2, 3}, {0.1f, 0.2f, 0.3f}, 4.5f, 6);
    const Light before = one.all()[0];
    for (LightList* lights : {&empty, &one}) {
        const int id = 5;
        EXPECT_EQ(lights->findById(id), nullptr);
        EXPECT_EQ(std::as_const(*lights).findById(id), nullptr);
        EXPECT_EQ(lights->getPosition(id), nullptr);
        EXPECT_EQ(lights->getColor(id), nullptr);
        EXPECT_EQ(lights->getRed(id), -1.0f);
        EXPECT_EQ(lights->getGreen(id), -1.0f);
        EXPECT_EQ(lights->getBlue(id), -1.0f);
        EXPECT_EQ(lights->getRadius(id), -1);
        EXPECT_EQ(lights->getTag(id), -1);
        lights->setName(id, "x");
        lights->setPosition(id, {9, 9, 9});
        lights->setColor(id, {9, 9, 9});
        lights->setRed(id, 9);
        lights->setGreen(id, 9);
        lights->setBlue(id, 9);
        lights->setRadius(id, 9);
        lights->setTag(id, 9);
        lights->remove(id);
        lights->drawById(id);  // no light: no GL call at all, so no context is needed
    }
    EXPECT_TRUE(empty.all().empty());
    EXPECT_EQ(empty.nextIdValue(), 0);
    ASSERT_EQ(one.all().size(), 1u);
    EXPECT_TRUE(sameLight(one.all()[0], before));
    EXPECT_EQ(one.nextIdValue(), 1);
}

struct LightRadiusCase {
    float stored;
    int whole;
};

class LightRadiusTest : public ::testing::TestWithParam<LightRadiusCase> {};

TEST_P(LightRadiusTest, GetRadiusTruncatesTowardZero) {
    LightList lights;
    lights.add("a", {}, {}, GetParam().stored, 0);
    EXPECT_EQ(lights.getRadius(0), GetParam().whole);
}

INSTANTIATE_TEST_SUITE_P(
    LightList, LightRadiusTest,
    ::testing::Values(LightRadiusCase{2.75f, 2}, LightRadiusCase{-2.75f, -2}, LightRadiusCase{0.99f, 0},
                      LightRadiusCase{-0.5f, 0}, LightRadiusCase{3.0f, 3}, LightRadiusCase{0.0f, 0},
                      // Outside the whole numbers: the limits, never undefined behaviour.
                      LightRadiusCase{1e30f, INT_MAX}, LightRadiusCase{-1e30f, INT_MIN},
                      LightRadiusCase{std::numeric_limits<float>::infinity(), INT_MAX},
                      LightRadiusCase{std::numeric_limits<float>::quiet_NaN(), 0}));

TEST(LightList, SetRadiusStoresTheWholeNumber) {
    LightList lights;
    lights.add("a", {}, {}, 2.75f, 0);
    lights.setRadius(0, 3);
    EXPECT_EQ(lights.all()[0].radius, 3.0f);
    lights.setRadius(0, -4);
    EXPECT_EQ(lights.getRadius(0), -4);
}

TEST(LightList, SetColorTakesRedGreenBlueFromXYZ) {
    LightList lights;
    lights.add("a", {}, {}, 0.0f, 0);
    lights.setColor(0, {0.25f, 0.5f, 0.75f});
    EXPECT_EQ(lights.getRed(0), 0.25f);
    EXPECT_EQ(lights.getGreen(0), 0.5f);
    EXPECT_EQ(lights.getBlue(0), 0.75f);
}

TEST(LightList, NamesKeepAtMost255Characters) {
    const std::string exact(255, 'x');
    const std::string longer = std::string(255, 'y') + "overflow";
    LightList lights;
    lights.add(exact.c_str(), {}, {}, 0.0f, 0);
    lights.add(longer.c_str(), {}, {}, 0.0f, 0);
    lights.add(nullptr, {}, {}, 0.0f, 0);
    EXPECT_EQ(lights.all()[0].name, exact);
    EXPECT_EQ(lights.all()[1].name, std::string(255, 'y'));
    EXPECT_STREQ(lights.all()[2].name, "");
    EXPECT_EQ(lights.findByName(exact.c_str()), 0);
    lights.setName(0, longer.c_str());
    EXPECT_EQ(lights.all()[0].name, std::string(255, 'y'));
}
