// Geometry math on random inputs with fixed seeds, checked against double-precision references.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include "render/geometry.h"

namespace {

constexpr int rounds = 20000;

struct Vec {
    double x, y, z;
};

Vec widen(const Vector3& v) { return {v.x, v.y, v.z}; }
Vec operator-(const Vec& a, const Vec& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator+(const Vec& a, const Vec& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator*(double k, const Vec& a) { return {k * a.x, k * a.y, k * a.z}; }
double dotOf(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec crossOf(const Vec& a, const Vec& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double lengthOf(const Vec& a) { return std::sqrt(dotOf(a, a)); }

class Random {
public:
    explicit Random(unsigned seed) : engine(seed) {}
    float uniform(float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(engine);
    }
    Vector3 point(float extent) {
        return {uniform(-extent, extent), uniform(-extent, extent), uniform(-extent, extent)};
    }
    // A point on the grid of 1/256 steps, so that quarter points of its edges stay exact.
    Vector3 gridPoint() {
        std::uniform_int_distribution<int> steps(-4096, 4096);
        return {steps(engine) / 256.0f, steps(engine) / 256.0f, steps(engine) / 256.0f};
    }

private:
    std::mt19937 engine;
};

// Smallest height of the triangle over its longest edge: near 0 for slivers.
double shapeOf(const Vector3& p, const Vector3& q, const Vector3& r) {
    const Vec a = widen(q) - widen(p);
    const Vec b = widen(r) - widen(p);
    const Vec c = widen(r) - widen(q);
    const double longest = std::max({lengthOf(a), lengthOf(b), lengthOf(c)});
    if (longest == 0.0) return 0.0;
    return lengthOf(crossOf(a, b)) / (longest * longest);
}

Vector3 centroidOf(const Vector3& p, const Vector3& q, const Vector3& r) {
    return {static_cast<float>((static_cast<double>(p.x) + q.x + r.x) / 3.0),
            static_cast<float>((static_cast<double>(p.y) + q.y + r.y) / 3.0),
            static_cast<float>((static_cast<double>(p.z) + q.z + r.z) / 3.0)};
}

// Distance from s to the nearest edge line (negative when outside) of triangle p, q, r,
// relative to the longest edge; measured in the triangle's plane.
double insideMarginOf(const Vector3& p, const Vector3& q, const Vector3& r, const Vector3& s) {
    const std::array<Vec, 3> corners = {widen(p), widen(q), widen(r)};
    const Vec normal = crossOf(corners[1] - corners[0], corners[2] - corners[0]);
    double margin = 1.0;
    double longest = 0.0;
    for (int i = 0; i < 3; ++i) {
        const Vec& u = corners[i];
        const Vec& v = corners[(i + 1) % 3];
        const Vec edge = v - u;
        longest = std::max(longest, lengthOf(edge));
        // Inward direction of the edge within the plane.
        const Vec inward = crossOf(normal, edge);
        margin = std::min(margin, dotOf(widen(s) - u, inward) / lengthOf(inward));
    }
    return margin / longest;
}

TEST(NormalizeProperty, GivesUnitLengthInTheRightDirection) {
    Random random(1);
    double worstLength = 0.0;
    double worstComponent = 0.0;
    for (int i = 0; i < rounds; ++i) {
        const float scale = std::ldexp(1.0f, static_cast<int>(random.uniform(-60.0f, 60.0f)));
        Vector3 v = random.point(1.0f);
        v = {v.x * scale, v.y * scale, v.z * scale};
        const Vec exact = (1.0 / lengthOf(widen(v))) * widen(v);
        normalize(v);
        worstLength = std::max(worstLength, std::abs(lengthOf(widen(v)) - 1.0));
        worstComponent = std::max({worstComponent, std::abs(v.x - exact.x), std::abs(v.y - exact.y),
                                   std::abs(v.z - exact.z)});
    }
    // A few ulps of 1.0 (2⁻²³ each): the length, the reciprocal and the product each round.
    EXPECT_LE(worstLength, 3 * 0x1p-23);
    EXPECT_LE(worstComponent, 3 * 0x1p-24);
}

TEST(PointInTriangleProperty, CentroidInsideCornersAndEdgesOutside) {
    Random random(2);
    int tested = 0;
    for (int i = 0; i < rounds; ++i) {
        const bool onGrid = i % 2 == 0;
        const Vector3 p = onGrid ? random.gridPoint() : random.point(100.0f);
        const Vector3 q = onGrid ? random.gridPoint() : random.point(100.0f);
        const Vector3 r = onGrid ? random.gridPoint() : random.point(100.0f);
        if (shapeOf(p, q, r) < 1e-3) continue;
        ++tested;
        const Vector3 centroid = centroidOf(p, q, r);
        const std::array<std::array<Vector3, 3>, 6> orders = {{
            {p, q, r},
            {q, r, p},
            {r, p, q},
            {p, r, q},
            {r, q, p},
            {q, p, r},
        }};
        for (const auto& order : orders) {
            ASSERT_TRUE(pointInTriangle(order[0], order[1], order[2], centroid)) << "round " << i;
            for (const Vector3& corner : order)
                ASSERT_FALSE(pointInTriangle(order[0], order[1], order[2], corner))
                    << "round " << i;
            if (!onGrid) continue;
            // Quarter points of the edges are exact on the grid.
            for (int k = 0; k < 3; ++k) {
                const Vector3& u = order[k];
                const Vector3& v = order[(k + 1) % 3];
                for (float t : {0.25f, 0.5f, 0.75f}) {
                    const Vector3 onEdge = {u.x + t * (v.x - u.x), u.y + t * (v.y - u.y),
                                            u.z + t * (v.z - u.z)};
                    ASSERT_FALSE(pointInTriangle(order[0], order[1], order[2], onEdge))
                        << "round " << i << " edge " << k << " at " << t;
                }
            }
        }
    }
    EXPECT_GT(tested, rounds / 2);
}

TEST(PointInTriangleProperty, AgreesWithTheReferenceAwayFromEdges) {
    Random random(3);
    int inside = 0;
    int outside = 0;
    for (int i = 0; i < rounds; ++i) {
        const Vector3 p = random.point(10.0f);
        const Vector3 q = random.point(10.0f);
        const Vector3 r = random.point(10.0f);
        if (shapeOf(p, q, r) < 1e-3) continue;
        // A point of the triangle's plane, rounded to float, around the triangle.
        const float u = random.uniform(-0.5f, 1.5f);
        const float v = random.uniform(-0.5f, 1.5f);
        const Vec exact = widen(p) + static_cast<double>(u) * (widen(q) - widen(p)) +
                          static_cast<double>(v) * (widen(r) - widen(p));
        const Vector3 s = {static_cast<float>(exact.x), static_cast<float>(exact.y),
                           static_cast<float>(exact.z)};
        const double margin = insideMarginOf(p, q, r, s);
        if (std::abs(margin) < 1e-4) continue;
        const bool expected = margin > 0;
        (expected ? inside : outside)++;
        ASSERT_EQ(expected, pointInTriangle(p, q, r, s)) << "round " << i;
        ASSERT_EQ(expected, pointInTriangle(r, q, p, s)) << "round " << i;
    }
    EXPECT_GT(inside, rounds / 10);
    EXPECT_GT(outside, rounds / 10);
}

// Solution of the three planes by Cramer's rule, in double.
Vec solveExactly(const Plane& p, const Plane& q, const Plane& r) {
    const Vec a = {p.a, q.a, r.a};
    const Vec b = {p.b, q.b, r.b};
    const Vec c = {p.c, q.c, r.c};
    const Vec d = {p.d, q.d, r.d};
    const double det = dotOf(a, crossOf(b, c));
    return {dotOf(d, crossOf(b, c)) / det, dotOf(a, crossOf(d, c)) / det,
            dotOf(a, crossOf(b, d)) / det};
}

Plane planeThrough(const Vector3& normal, const Vector3& point) {
    return {normal.x, normal.y, normal.z, static_cast<float>(dotOf(widen(normal), widen(point)))};
}

// Planes whose rows need no pivoting: each pivot of the elimination stays large.
bool wellConditioned(const Plane& p, const Plane& q, const Plane& r) {
    const Vec a = {p.a, p.b, p.c};
    const Vec b = {q.a, q.b, q.c};
    const Vec c = {r.a, r.b, r.c};
    const double la = lengthOf(a);
    const double lb = lengthOf(b);
    const double lc = lengthOf(c);
    const double secondPivot = (a.x * b.y - b.x * a.y) / (la * lb);
    return std::abs(a.x) > 0.3 * la && std::abs(secondPivot) > 0.3 &&
           std::abs(dotOf(a, crossOf(b, c))) > 0.3 * la * lb * lc;
}

TEST(IntersectPlanesProperty, RecoversTheCommonPoint) {
    Random random(4);
    int tested = 0;
    double worstToPoint = 0.0;
    double worstToSolution = 0.0;
    for (int i = 0; i < rounds; ++i) {
        const Vector3 point = random.point(10.0f);
        const Plane p = planeThrough(random.point(1.0f), point);
        const Plane q = planeThrough(random.point(1.0f), point);
        const Plane r = planeThrough(random.point(1.0f), point);
        if (!wellConditioned(p, q, r)) continue;
        ++tested;
        const Vector3 found = intersectPlanes(p, q, r);
        const Vec exact = solveExactly(p, q, r);
        worstToPoint = std::max(worstToPoint, lengthOf(widen(found) - widen(point)));
        worstToSolution = std::max(worstToSolution, lengthOf(widen(found) - exact));
    }
    EXPECT_GT(tested, rounds / 20);
    // Coordinates up to 10 carry about 1e-6 of rounding; the elimination adds a little more.
    EXPECT_LT(worstToSolution, 2e-5);
    EXPECT_LT(worstToPoint, 2e-5);
}

TEST(IntersectPlanesProperty, ExchangesRowsWithAZeroPivot) {
    Random random(5);
    int tested = 0;
    for (int i = 0; i < rounds / 10; ++i) {
        const Vector3 point = random.point(10.0f);
        Vector3 n1 = random.point(1.0f);
        Vector3 n2 = random.point(1.0f);
        Vector3 n3 = random.point(1.0f);
        n1.x = 0.0f;                  // first pivot is 0: a later row must come first
        if (i % 2 == 0) n2.x = 0.0f;  // and not the second
        const Plane p = planeThrough(n1, point);
        const Plane q = planeThrough(n2, point);
        const Plane r = planeThrough(n3, point);
        const double det = dotOf(widen(n1), crossOf(widen(n2), widen(n3)));
        if (std::abs(det) < 0.2 || std::abs(n3.x) < 0.3 || (i % 2 != 0 && std::abs(n2.x) < 0.3))
            continue;
        ++tested;
        const Vec exact = solveExactly(p, q, r);
        const Vector3 found = intersectPlanes(p, q, r);
        ASSERT_LT(lengthOf(widen(found) - exact), 1e-4) << "round " << i;
    }
    EXPECT_GT(tested, rounds / 100);
}

// The line through A and B against the triangle, in double: does it cross inside?
TEST(SegmentHitsTriangleProperty, AgreesWithTheReferenceForClearCases) {
    Random random(6);
    int hits = 0;
    int misses = 0;
    for (int i = 0; i < rounds; ++i) {
        const Vector3 p = random.point(10.0f);
        const Vector3 q = random.point(10.0f);
        const Vector3 r = random.point(10.0f);
        const Vector3 a = random.point(10.0f);
        const Vector3 b = random.point(10.0f);
        if (shapeOf(p, q, r) < 1e-2) continue;
        const Vec normal = crossOf(widen(q) - widen(p), widen(r) - widen(p));
        const Vec direction = widen(b) - widen(a);
        const double along = dotOf(normal, direction);
        const double slope = std::abs(along) / (lengthOf(normal) * lengthOf(direction));
        if (slope < 0.2 || std::abs(direction.x) < 1.0)
            continue;  // nearly parallel, or too steep for the x check to be clear
        const double t = dotOf(normal, widen(p) - widen(a)) / along;
        const Vec crossing = widen(a) + t * direction;
        const Vector3 crossingPoint = {static_cast<float>(crossing.x),
                                       static_cast<float>(crossing.y),
                                       static_cast<float>(crossing.z)};
        const double margin = insideMarginOf(p, q, r, crossingPoint);
        if (std::abs(margin) < 1e-3 || std::abs(t) < 1e-2 || std::abs(t - 1.0) < 1e-2)
            continue;  // too close to an edge or to an end of the segment
        const bool expected = t > 0.0 && t < 1.0 && margin > 0.0;
        (expected ? hits : misses)++;
        ASSERT_EQ(expected, segmentHitsTriangle(p, q, r, a, b)) << "round " << i;
    }
    EXPECT_GT(hits, 100);
    EXPECT_GT(misses, 100);
}

}  // namespace
