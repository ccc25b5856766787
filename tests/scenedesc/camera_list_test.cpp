// The camera list: ids, removal and shared ids, lookups, the accessors in place and by value,
// their "no such camera" answers and names at their limit.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "scenedesc/camera.h"

namespace {

bool sameCamera(const Camera& a, const Camera& b) {
    return std::string(a.name) == b.name && a.id == b.id && a.position.x == b.position.x &&
           a.position.y == b.position.y && a.position.z == b.position.z &&
           a.target.x == b.target.x && a.target.y == b.target.y && a.target.z == b.target.z &&
           a.fieldOfView == b.fieldOfView;
}

}  // namespace

TEST(CameraList, AddNumbersFromZeroAndStoresEveryMember) {
    CameraList cameras;
    EXPECT_EQ(cameras.add("a", {1, 2, 3}, {4, 5, 6}, 54), 0);
    EXPECT_EQ(cameras.add("b", {}, {}, 60), 1);
    EXPECT_EQ(cameras.add("c", {}, {}, 70), 2);
    EXPECT_EQ(cameras.nextIdValue(), 3);
    const Camera& a = cameras.all()[0];
    EXPECT_STREQ(a.name, "a");
    EXPECT_EQ(a.position.z, 3.0f);
    EXPECT_EQ(a.target.x, 4.0f);
    EXPECT_EQ(cameras.getFieldOfView(2), 70);
    EXPECT_EQ(a.getFieldOfView(), 54.0f);
}

TEST(CameraList, NewCameraCanShareTheIdOfAnOlderOneThatThenAnswersForBoth) {
    CameraList cameras;
    cameras.add("A", {}, {}, 54);
    cameras.add("B", {}, {}, 54);
    cameras.remove(0);
    EXPECT_EQ(cameras.nextIdValue(), 1);
    EXPECT_EQ(cameras.add("C", {}, {}, 54), 1);
    const Camera cBefore = cameras.all()[1];

    cameras.setName(1, "B2");
    cameras.setPosition(1, {1, 2, 3});
    cameras.setTarget(1, {4, 5, 6});
    cameras.setFieldOfView(1, 90);

    EXPECT_TRUE(sameCamera(cameras.all()[1], cBefore)) << "the newer camera changed";
    EXPECT_STREQ(cameras.all()[0].name, "B2");
    EXPECT_EQ(cameras.getPosition(1)->y, 2.0f);
    EXPECT_EQ(cameras.getTarget(1)->z, 6.0f);
    EXPECT_EQ(cameras.getFieldOfView(1), 90);
    EXPECT_EQ(cameras.findById(1), &cameras.all()[0]);
    cameras.remove(1);
    ASSERT_EQ(cameras.all().size(), 1u);
    EXPECT_STREQ(cameras.all()[0].name, "C");
    EXPECT_EQ(cameras.nextIdValue(), 1);
}

TEST(CameraList, RemoveKeepsTheOrderAndIgnoresUnknownIds) {
    CameraList cameras;
    cameras.add("a", {}, {}, 54);
    cameras.add("b", {}, {}, 54);
    cameras.add("c", {}, {}, 54);
    cameras.remove(3);
    EXPECT_EQ(cameras.nextIdValue(), 3);
    cameras.remove(0);
    ASSERT_EQ(cameras.all().size(), 2u);
    EXPECT_STREQ(cameras.all()[0].name, "b");
    EXPECT_EQ(cameras.all()[0].id, 1);
    EXPECT_EQ(cameras.nextIdValue(), 2);

    CameraList empty;
    empty.remove(0);
    EXPECT_EQ(empty.nextIdValue(), 0);
}

TEST(CameraList, FindByNameIsExactAndTakesTheFirst) {
    CameraList cameras;
    cameras.add("Camera01", {}, {}, 54);
    cameras.add("Camera01", {}, {}, 54);
    EXPECT_EQ(cameras.findByName("Camera01"), 0);
    EXPECT_EQ(cameras.findByName("camera01"), -1);
    EXPECT_EQ(cameras.findByName("Camera0"), -1);
    EXPECT_EQ(cameras.findByName(nullptr), -1);
}

TEST(CameraList, InPlaceAccessorsReachTheStoredCamera) {
    CameraList cameras;
    cameras.add("a", {}, {}, 54);
    cameras.getPosition(0)->x = 3.0f;
    cameras.getTarget(0)->y = 4.0f;
    cameras.findById(0)->fieldOfView = 10;
    EXPECT_EQ(cameras.all()[0].position.x, 3.0f);
    EXPECT_EQ(cameras.all()[0].target.y, 4.0f);
    EXPECT_EQ(cameras.getFieldOfView(0), 10);
}

TEST(CameraList, NoSuchCameraAnswersNoneAndChangesNothing) {
    CameraList empty;
    CameraList one;
    one.add("only", {1, 2, 3}, {4, 5, 6}, 54);
    const Camera before = one.all()[0];
    for (CameraList* cameras : {&empty, &one}) {
        const int id = -3;
        EXPECT_EQ(cameras->findById(id), nullptr);
        EXPECT_EQ(std::as_const(*cameras).findById(id), nullptr);
        EXPECT_EQ(cameras->getPosition(id), nullptr);
        EXPECT_EQ(cameras->getTarget(id), nullptr);
        EXPECT_EQ(cameras->getFieldOfView(id), -1);
        cameras->setName(id, "x");
        cameras->setPosition(id, {9, 9, 9});
        cameras->setTarget(id, {9, 9, 9});
        cameras->setFieldOfView(id, 9);
        cameras->remove(id);
        cameras->drawById(id);
        cameras->drawAll();
    }
    EXPECT_TRUE(empty.all().empty());
    ASSERT_EQ(one.all().size(), 1u);
    EXPECT_TRUE(sameCamera(one.all()[0], before));
    EXPECT_EQ(one.nextIdValue(), 1);
}

TEST(CameraList, NamesKeepAtMost255Characters) {
    const std::string exact(255, 'x');
    const std::string longer(1000, 'y');
    CameraList cameras;
    cameras.add(exact.c_str(), {}, {}, 54);
    cameras.add(longer.c_str(), {}, {}, 54);
    EXPECT_EQ(cameras.all()[0].name, exact);
    EXPECT_EQ(cameras.all()[1].name, std::string(255, 'y'));
    cameras.setName(0, "");
    EXPECT_STREQ(cameras.all()[0].name, "");
}
