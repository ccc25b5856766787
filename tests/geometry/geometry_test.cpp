// Geometry math: the edge cases, as tables of hand-worked inputs and results.
#include "render/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

std::ostream& operator<<(std::ostream& out, const Vector3& v) {
    return out << '(' << v.x << ", " << v.y << ", " << v.z << ')';
}

namespace {

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();

void expectSameVector(const Vector3& expected, const Vector3& actual) {
    EXPECT_EQ(expected.x, actual.x);
    EXPECT_EQ(expected.y, actual.y);
    EXPECT_EQ(expected.z, actual.z);
}

TEST(Length, SumsSquaresBeyondTheFloatRange) {
    EXPECT_EQ(5.0f, length({3.0f, 4.0f, 0.0f}));
    // The squares overflow (3e20² > FLT_MAX) or vanish (1e-30² < FLT_MIN) in float.
    EXPECT_EQ(5e20f, length({3e20f, 0.0f, -4e20f}));
    EXPECT_EQ(1e-30f, length({0.0f, 1e-30f, 0.0f}));
    EXPECT_EQ(5.0f, distance({1.0f, 2.0f, 3.0f}, {4.0f, 6.0f, 3.0f}));
}

TEST(Normalize, LeavesTheZeroVectorAlone) {
    Vector3 v = {0.0f, 0.0f, 0.0f};
    normalize(v);
    expectSameVector({0.0f, 0.0f, 0.0f}, v);
    EXPECT_FALSE(std::signbit(v.x));
}

TEST(Normalize, ScalesThreeFourFiveToUnitLength) {
    Vector3 v = {3.0f, 0.0f, 4.0f};
    normalize(v);
    EXPECT_FLOAT_EQ(0.6f, v.x);
    EXPECT_EQ(0.0f, v.y);
    EXPECT_FLOAT_EQ(0.8f, v.z);
}

// The face normals are recomputed the same way, so the rounding must match bit for bit:
// x·(1/L) rounds differently from x/L here.
TEST(Normalize, MultipliesByTheRoundedReciprocal) {
    Vector3 v = {3.0f, 1.0f, 1.0f};
    normalize(v);
    expectSameVector({0x1.cf1f16p-1f, 0x1.34bf64p-2f, 0x1.34bf64p-2f}, v);
}

TEST(Cross, KeepsTheExactProducts) {
    expectSameVector({0.0f, 0.0f, 1.0f}, cross({1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}));
    expectSameVector({-3.0f, 6.0f, -3.0f}, cross({1.0f, 2.0f, 3.0f}, {4.0f, 5.0f, 6.0f}));
    // (1 + 2⁻¹²)² − (1 + 2⁻¹¹) = 2⁻²⁴, lost if each product were rounded to float first.
    const float a = 1.0f + 0x1p-12f;
    const float b = 1.0f + 0x1p-11f;
    EXPECT_EQ(0x1p-24f, cross({0.0f, a, b}, {0.0f, 1.0f, a}).x);
}

TEST(Dot, SumsTheProducts) {
    EXPECT_EQ(32.0f, dot({1.0f, 2.0f, 3.0f}, {4.0f, 5.0f, 6.0f}));
    EXPECT_EQ(0x1p-24f,
              dot({1.0f + 0x1p-12f, 1.0f + 0x1p-11f, 0.0f}, {1.0f + 0x1p-12f, -1.0f, 0.0f}));
}

TEST(Difference, SubtractsTheSecondFromTheFirst) {
    expectSameVector({-3.0f, 1.0f, 0.5f}, difference({1.0f, 2.0f, 1.0f}, {4.0f, 1.0f, 0.5f}));
}

TEST(Equals, ComparesEachComponentExactly) {
    struct Case {
        Vector3 a;
        Vector3 b;
        bool equal;
    };
    const Case cases[] = {
        {{1.0f, 2.0f, 3.0f}, {1.0f, 2.0f, 3.0f}, true},
        {{0.0f, 0.0f, 0.0f}, {-0.0f, -0.0f, -0.0f}, true},
        {{1.0f, 2.0f, 3.0f}, {1.0f, 2.0f, std::nextafter(3.0f, 4.0f)}, false},
        {{1.0f, 2.0f, 3.0f}, {1.0f, 2.5f, 3.0f}, false},
        {{1.0f, 2.0f, 3.0f}, {0.0f, 2.0f, 3.0f}, false},
        {{nan, 0.0f, 0.0f}, {nan, 0.0f, 0.0f}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " vs " << c.b);
        EXPECT_EQ(c.equal, equals(c.a, c.b));
    }
}

TEST(Sign, CountsNanAsNegative) {
    struct Case {
        float x;
        int sign;
    };
    const Case cases[] = {
        {-2.5f, -1}, {-infinity, -1}, {nan, -1}, {-nan, -1},
        {0.0f, 0},   {-0.0f, 0},
        {1e-45f, 1}, {3.0f, 1},       {infinity, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(c.sign, sign(c.x));
    }
}

TEST(PlaneFromTriangle, TakesTheNormalFromTwoEdges) {
    const Plane plane =
        planeFromTriangle({0.0f, 0.0f, 5.0f}, {1.0f, 0.0f, 5.0f}, {0.0f, 1.0f, 5.0f});
    EXPECT_EQ(0.0f, plane.a);
    EXPECT_EQ(0.0f, plane.b);
    EXPECT_EQ(1.0f, plane.c);
    EXPECT_EQ(5.0f, plane.d);
}

TEST(PlaneFromTriangle, CollinearPointsGiveTheZeroPlane) {
    const Plane plane =
        planeFromTriangle({1.0f, 1.0f, 1.0f}, {2.0f, 2.0f, 2.0f}, {4.0f, 4.0f, 4.0f});
    EXPECT_EQ(0.0f, plane.a);
    EXPECT_EQ(0.0f, plane.b);
    EXPECT_EQ(0.0f, plane.c);
    EXPECT_EQ(0.0f, plane.d);
}

struct PlanesCase {
    const char* name;
    Plane p;
    Plane q;
    Plane r;
    Vector3 point;
};

TEST(IntersectPlanes, FollowsTheEliminationAndItsRowExchanges) {
    const PlanesCase cases[] = {
        {"no exchange", {1, 0, 0, 1}, {0, 1, 0, 2}, {0, 0, 1, 3}, {1, 2, 3}},
        {"first two rows exchanged", {0, 1, 0, 2}, {1, 0, 0, 1}, {0, 0, 1, 3}, {1, 2, 3}},
        {"rows one and three, then two and three", {0, 1, 0, 2}, {0, 0, 1, 3}, {1, 0, 0, 1},
         {1, 2, 3}},
        {"scaled rows", {2, 0, 0, 2}, {0, 4, 0, 8}, {0, 0, 0.5f, 1.5f}, {1, 2, 3}},
        {"full elimination", {1, 1, 1, 6}, {2, -1, 1, 3}, {1, 2, -1, 2}, {1, 2, 3}},
        {"negative pivots", {-1, 0, 0, 1}, {0, -2, 0, 2}, {0, 0, -4, 4}, {-1, -1, -1}},
    };
    for (const PlanesCase& c : cases) {
        SCOPED_TRACE(c.name);
        expectSameVector(c.point, intersectPlanes(c.p, c.q, c.r));
    }
}

// Without a unique solution there is still a point: 0 wherever the pivot vanished, and the
// other coordinates from the rows that remain.
TEST(IntersectPlanes, GivesZeroWhereThePivotVanishes) {
    const PlanesCase cases[] = {
        {"three zero planes", {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0}},
        {"zero normals", {0, 0, 0, 1}, {0, 0, 0, 2}, {-0.0f, 0, -0.0f, 3}, {0, 0, 0}},
        {"three parallel planes", {1, 0, 0, 1}, {1, 0, 0, 2}, {1, 0, 0, 3}, {1, 0, 0}},
        {"two equal planes", {1, 0, 0, 1}, {0, 1, 0, 2}, {0, 1, 0, 2}, {1, 2, 0}},
        {"no plane holds x", {0, 1, 0, 2}, {0, 0, 1, 3}, {0, 1, 1, 5}, {0, 0, 0}},
        {"y free", {1, 0, 0, 1}, {0, 0, 1, 3}, {0, 0, 2, 6}, {1, 0, 3}},
        {"x and y free", {0, 0, 1, 3}, {0, 0, 2, 6}, {0, 0, 0, 0}, {0, 0, 0}},
    };
    for (const PlanesCase& c : cases) {
        SCOPED_TRACE(c.name);
        expectSameVector(c.point, intersectPlanes(c.p, c.q, c.r));
    }
}

TEST(PointInTriangle, IsStrictlyInside) {
    const Vector3 p = {0, 0, 0};
    const Vector3 q = {6, 0, 0};
    const Vector3 r = {0, 6, 0};
    struct Case {
        const char* name;
        Vector3 s;
        bool inside;
    };
    const Case cases[] = {
        {"centroid", {2, 2, 0}, true},
        {"near a corner", {0.001f, 0.001f, 0}, true},
        {"corner p", p, false},
        {"corner q", q, false},
        {"corner r", r, false},
        {"on edge pq", {3, 0, 0}, false},
        {"on edge qr", {3, 3, 0}, false},
        {"on edge rp", {0, 3, 0}, false},
        {"on the line of pq beyond q", {9, 0, 0}, false},
        {"outside", {5, 5, 0}, false},
        {"above the plane", {2, 2, 1}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.inside, pointInTriangle(p, q, r, c.s));
        EXPECT_EQ(c.inside, pointInTriangle(p, r, q, c.s)) << "other winding";
        EXPECT_EQ(c.inside, pointInTriangle(q, r, p, c.s)) << "other first corner";
    }
}

TEST(PointInTriangle, DegenerateTrianglesHoldNoPoint) {
    const Vector3 a = {1, 1, 1};
    const Vector3 b = {2, 2, 2};
    const Vector3 c = {4, 4, 4};
    EXPECT_FALSE(pointInTriangle(a, b, c, {3, 3, 3}));
    EXPECT_FALSE(pointInTriangle(a, b, c, {3, 3, 2}));
    EXPECT_FALSE(pointInTriangle(a, a, a, a));
    EXPECT_FALSE(pointInTriangle(a, a, c, {2, 2, 2}));
}

// Triangle in the plane z = 0 around the origin: edges y = −1, x = −1 and x + y = 2.
constexpr Vector3 floorP = {-1, -1, 0};
constexpr Vector3 floorQ = {3, -1, 0};
constexpr Vector3 floorR = {-1, 3, 0};

// Triangle in the plane x = 0, for segments along x.
constexpr Vector3 wallP = {0, -1, -1};
constexpr Vector3 wallQ = {0, 3, -1};
constexpr Vector3 wallR = {0, -1, 3};

TEST(SegmentHitsTriangle, CrossesTouchesAndMisses) {
    struct Case {
        const char* name;
        Vector3 p, q, r;
        Vector3 a, b;
        bool hit;
    };
    const Case cases[] = {
        {"crosses straight down", floorP, floorQ, floorR, {0, 0, 1}, {0, 0, -1}, true},
        {"crosses slanted", floorP, floorQ, floorR, {0, 0, 1}, {1, 1, -1}, true},
        {"crosses upwards", floorP, floorQ, floorR, {1, 1, -2}, {0, 0, 2}, true},
        {"crosses the plane outside", floorP, floorQ, floorR, {5, 5, 1}, {5, 5, -1}, false},
        {"crosses beside, x in range", floorP, floorQ, floorR, {0, 5, 1}, {0, 5, -1}, false},
        {"ends on the triangle", floorP, floorQ, floorR, {0, 0, 1}, {0, 0, 0}, true},
        {"ends on an edge", floorP, floorQ, floorR, {1, -1, 1}, {1, -1, -1}, false},
        {"through a corner", floorP, floorQ, floorR, {3, -1, 1}, {3, -1, -1}, false},
        {"stops short, slanted", floorP, floorQ, floorR, {1, 0, 2}, {2, 0, 1}, false},
        {"along x through the wall", wallP, wallQ, wallR, {-1, 0, 0}, {1, 0, 0}, true},
        {"along x beside the wall", wallP, wallQ, wallR, {-1, 5, 0}, {1, 5, 0}, false},
        {"along x short of the wall", wallP, wallQ, wallR, {1, 0, 0}, {2, 0, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.hit, segmentHitsTriangle(c.p, c.q, c.r, c.a, c.b));
    }
}

// Only x is checked against the segment's ends, so a segment with constant x that stops short
// of the plane still meets the triangle. Callers rely on this.
TEST(SegmentHitsTriangle, ChecksOnlyXAgainstTheEnds) {
    EXPECT_TRUE(segmentHitsTriangle(floorP, floorQ, floorR, {0, 0, 2}, {0, 0, 1}));
    EXPECT_TRUE(segmentHitsTriangle(floorP, floorQ, floorR, {0.5f, 0.5f, -1}, {0.5f, 0.5f, -3}));
}

// A segment parallel to the plane has no single crossing; the planes' zero rule puts the
// tested point at the origin, which lies inside the floor triangle.
TEST(SegmentHitsTriangle, ParallelSegmentTestsTheZeroRulePoint) {
    EXPECT_TRUE(segmentHitsTriangle(floorP, floorQ, floorR, {-1, 1, 1}, {2, 1, 1}));
    EXPECT_FALSE(segmentHitsTriangle(floorP, floorQ, floorR, {1, 1, 1}, {2, 1, 1}));
    EXPECT_TRUE(segmentHitsTriangle(floorP, floorQ, floorR, {0, 0, 1}, {0, 0, 1}))
        << "a zero-length segment ends up at the origin too";
    const Vector3 far = {10, 10, 0};
    EXPECT_FALSE(segmentHitsTriangle(far, {14, 10, 0}, {10, 14, 0}, {-1, 1, 1}, {2, 1, 1}));
}

TEST(RaySidesTest, ChecksTheThreeSides) {
    struct Case {
        Vector3 o, v, a, b, c;
        bool result;
        const char* name;
    };
    const Vector3 o = {0, 0, 0};
    const Vector3 up = {0, 0, 1};
    const Case cases[] = {
        {o, up, {1, 0, 0}, {0, 1, 0}, {-1, 1, 0}, true, "corners all ahead of the turn"},
        {{5, 5, 5}, {0, 0, 2}, {6, 5, 0}, {5, 6, 0}, {4, 6, 9}, true, "moved origin"},
        {o, up, {1, 0, 0}, {0, 1, 0}, {-1, -1, 0}, false, "ray inside a triangle"},
        {o, up, {1, 0, 0}, {0, 1, 0}, {1, -1, 0}, false, "c on the wrong side of a"},
        {o, up, {1, 0, 0}, {0, -1, 0}, {-1, 1, 0}, false, "b on the wrong side of a"},
        {o, up, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, false, "c on the wrong side of b"},
        {o, up, {1, 0, 0}, {0, 1, 0}, {2, 0, 0}, false, "c on the line of a"},
        {o, o, {1, 0, 0}, {0, 1, 0}, {-1, 1, 0}, false, "zero direction"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Vector3 a = c.a;
        Vector3 b = c.b;
        Vector3 corner = c.c;
        EXPECT_EQ(c.result, raySidesTest(c.o, c.v, a, b, corner));
    }
}

TEST(RaySidesTest, LeavesTheCornersRelativeToTheOrigin) {
    const Vector3 o = {1, 2, 3};
    Vector3 a = {2, 2, 3};
    Vector3 b = {1, 4, 3};
    Vector3 c = {0, 0, 0};
    raySidesTest(o, {0, 0, 1}, a, b, c);
    expectSameVector({1, 0, 0}, a);
    expectSameVector({0, 2, 0}, b);
    expectSameVector({-1, -2, -3}, c);

    // Even when the origin is one of the corners, every corner is taken relative to it.
    Vector3 d = {1, 1, 1};
    Vector3 e = {3, 2, 1};
    Vector3 f = {1, 5, 1};
    raySidesTest(d, {0, 0, 1}, d, e, f);
    expectSameVector({0, 0, 0}, d);
    expectSameVector({2, 1, 0}, e);
    expectSameVector({0, 4, 0}, f);
}

}  // namespace
