// The two views: a scene camera as the file places it, and the orbit view that keeps the whole
// bounding box in the picture however it is turned and whatever the window's shape.
#include <gtest/gtest.h>

#include <cmath>

#include "scenedesc/camera.h"
#include "tools/view/view_camera.h"

namespace {

constexpr double degrees = 3.14159265358979323846 / 180.0;

Vector3 minus(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(const Vector3& a, const Vector3& b) {
    return double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z;
}
double length(const Vector3& a) { return std::sqrt(dot(a, a)); }

// The corner's angle from the line of sight, against the half angle of the narrower side.
bool cornerInView(const ViewPlacement& view, const Vector3& corner, float aspect) {
    const Vector3 sight = minus(view.target, view.eye), toCorner = minus(corner, view.eye);
    const double angle = std::acos(dot(sight, toCorner) / (length(sight) * length(toCorner)));
    const double half = view.fieldOfView / 2.0 * degrees;
    const double narrowest = aspect >= 1.0f ? half : std::atan(std::tan(half) * aspect);
    const double distance = length(toCorner);
    return angle <= narrowest && distance > view.nearPlane && distance < view.farPlane;
}

struct OrbitCase {
    const char* label;
    Vector3 low, high;
    float yaw, pitch, aspect;
};

class OrbitFraming : public ::testing::TestWithParam<OrbitCase> {};

TEST_P(OrbitFraming, KeepsEveryCornerOfTheBoxInView) {
    const OrbitCase& c = GetParam();
    Bounds bounds;
    bounds.add(c.low);
    bounds.add(c.high);
    Orbit orbit;
    orbit.turn(c.yaw - orbit.yaw, c.pitch - orbit.pitch);
    const ViewPlacement view = orbitView(bounds, orbit, c.aspect);
    EXPECT_FLOAT_EQ(view.target.x, bounds.center().x);
    EXPECT_FLOAT_EQ(view.target.y, bounds.center().y);
    EXPECT_FLOAT_EQ(view.target.z, bounds.center().z);
    for (float x : {c.low.x, c.high.x})
        for (float y : {c.low.y, c.high.y})
            for (float z : {c.low.z, c.high.z})
                EXPECT_TRUE(cornerInView(view, {x, y, z}, c.aspect)) << x << "," << y << "," << z;
}

INSTANTIATE_TEST_SUITE_P(
    Table, OrbitFraming,
    ::testing::Values(OrbitCase{"UnitCube", {-1, -1, -1}, {1, 1, 1}, 30, 20, 4.0f / 3.0f},
                      OrbitCase{"FarFromTheOrigin", {100, 50, -300}, {102, 51, -299}, 0, 0, 1.0f},
                      OrbitCase{"LongAndFlat", {-50, 0, -1}, {50, 0.1f, 1}, 90, 10, 16.0f / 9.0f},
                      OrbitCase{"TallWindow", {-1, -1, -1}, {1, 1, 1}, 200, -45, 0.5f},
                      OrbitCase{"HugeModel", {-1e4f, -1e4f, -1e4f}, {1e4f, 1e4f, 1e4f}, 45, 45,
                                4.0f / 3.0f},
                      OrbitCase{"LookingStraightDown", {-1, -1, -1}, {1, 1, 1}, 0, 89, 1.0f}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(OrbitView, AnEmptyOrFlatSceneStillHasRoomAroundItsCentre) {
    Bounds empty;
    ViewPlacement view = orbitView(empty, Orbit{}, 1.0f);
    EXPECT_GT(length(minus(view.eye, view.target)), 1.0);
    EXPECT_TRUE(std::isfinite(view.nearPlane) && view.nearPlane > 0.0f);

    Bounds point;
    point.add({3, 4, 5});
    view = orbitView(point, Orbit{}, 1.0f);
    EXPECT_FLOAT_EQ(view.target.x, 3.0f);
    EXPECT_GT(length(minus(view.eye, view.target)), 1.0);
}

TEST(OrbitView, TheWheelBringsTheEyeNearerWithinLimits) {
    Bounds bounds;
    bounds.add({-1, -1, -1});
    bounds.add({1, 1, 1});
    Orbit orbit;
    const double start = length(minus(orbitView(bounds, orbit, 1.0f).eye, bounds.center()));
    orbit.zoomBy(2);
    const double nearer = length(minus(orbitView(bounds, orbit, 1.0f).eye, bounds.center()));
    EXPECT_LT(nearer, start);
    orbit.zoomBy(-4);
    EXPECT_GT(length(minus(orbitView(bounds, orbit, 1.0f).eye, bounds.center())), start);
    orbit.zoomBy(1000);
    EXPECT_GT(orbit.zoom, 0.0f);
    const double nearest = length(minus(orbitView(bounds, orbit, 1.0f).eye, bounds.center()));
    orbit.zoomBy(1);
    EXPECT_DOUBLE_EQ(length(minus(orbitView(bounds, orbit, 1.0f).eye, bounds.center())), nearest);
    orbit.zoomBy(-100000);
    EXPECT_TRUE(std::isfinite(orbit.zoom));
}

TEST(OrbitView, NeverTurnsOverThePoles) {
    Orbit orbit;
    orbit.turn(0, 500);
    EXPECT_LT(orbit.pitch, 90.0f);
    orbit.turn(0, -1000);
    EXPECT_GT(orbit.pitch, -90.0f);
    orbit.turn(720 + 10, 0);
    EXPECT_NEAR(orbit.yaw, 40.0f, 1e-3f);  // 30 to start with
}

TEST(CameraView, IsTheCameraOfTheFile) {
    Camera camera;
    camera.setPosition({0, 0.5f, -1.5f});
    camera.setTarget({1, 2, 3});
    camera.setFieldOfView(54);
    const ViewPlacement view = cameraView(camera);
    EXPECT_FLOAT_EQ(view.eye.z, -1.5f);
    EXPECT_FLOAT_EQ(view.target.y, 2.0f);
    EXPECT_FLOAT_EQ(view.fieldOfView, 54.0f);
    EXPECT_FLOAT_EQ(view.up.y, 1.0f);
}

TEST(CameraView, StraightDownOrOnItsTargetStillGivesAView) {
    Camera down;
    down.setPosition({0, 10, 0});
    down.setTarget({0, 0, 0});
    ViewPlacement view = cameraView(down);
    EXPECT_FLOAT_EQ(view.up.y, 0.0f);
    EXPECT_FLOAT_EQ(view.up.z, 1.0f);

    Camera nowhere;
    nowhere.setPosition({1, 1, 1});
    nowhere.setTarget({1, 1, 1});
    view = cameraView(nowhere);
    EXPECT_GT(length(minus(view.target, view.eye)), 0.0);
}

}  // namespace
