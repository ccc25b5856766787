// Geometry math on Vector3 and planes.
// Products of two floats are formed in double, where they are exact; that keeps every result the
// same whether or not the compiler fuses a multiply with the following add or subtract.
#include "render/geometry.h"

#include <cmath>
#include <utility>

namespace {

// x·y − z·w from exact products, rounded once to double and then to float.
float productDifference(float x, float y, float z, float w) {
    const double first = static_cast<double>(x) * y;
    const double second = static_cast<double>(z) * w;
    return static_cast<float>(first - second);
}

// Quotient that stands for 0 when the divisor vanishes, so a singular system still has a point.
float quotientOrZero(double numerator, float divisor) {
    if (divisor == 0.0f) return 0.0f;
    return static_cast<float>(numerator / divisor);
}

// Replaces row by pivot·row − factor·pivotRow for the entries from b on (and a when asked).
void eliminate(Plane& row, const Plane& pivotRow, float pivot, float factor, bool withA) {
    if (withA) row.a = productDifference(pivot, row.a, factor, pivotRow.a);
    row.b = productDifference(pivot, row.b, factor, pivotRow.b);
    row.c = productDifference(pivot, row.c, factor, pivotRow.c);
    row.d = productDifference(pivot, row.d, factor, pivotRow.d);
}

}  // namespace

float length(const Vector3& v) {
    const double x = v.x;
    const double y = v.y;
    const double z = v.z;
    return static_cast<float>(std::sqrt(x * x + y * y + z * z));
}

void normalize(Vector3& v) {
    const float l = length(v);
    if (l == 0.0f) return;
    const float reciprocal = static_cast<float>(1.0 / l);
    v.x *= reciprocal;
    v.y *= reciprocal;
    v.z *= reciprocal;
}

Vector3 cross(const Vector3& a, const Vector3& b) {
    return {productDifference(a.y, b.z, a.z, b.y), productDifference(a.z, b.x, a.x, b.z),
            productDifference(a.x, b.y, a.y, b.x)};
}

float dot(const Vector3& a, const Vector3& b) {
    const double x = static_cast<double>(a.x) * b.x;
    const double y = static_cast<double>(a.y) * b.y;
    const double z = static_cast<double>(a.z) * b.z;
    return static_cast<float>(x + y + z);
}

Vector3 difference(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

float distance(const Vector3& a, const Vector3& b) { return length(difference(b, a)); }

bool equals(const Vector3& a, const Vector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

int sign(float x) {
    if (x > 0.0f) return 1;
    if (x == 0.0f) return 0;
    return -1;  // negative or NaN
}

Plane planeFromTriangle(const Vector3& p, const Vector3& q, const Vector3& r) {
    const Vector3 n = cross(difference(p, q), difference(q, r));
    return {n.x, n.y, n.z, dot(n, p)};
}

// Gaussian elimination that exchanges rows only when a pivot is exactly 0.
Vector3 intersectPlanes(const Plane& first, const Plane& second, const Plane& third) {
    Plane p = first;
    Plane q = second;
    Plane r = third;

    if (p.a == 0.0f) {
        if (q.a != 0.0f)
            std::swap(p, q);
        else
            std::swap(p, r);
    }

    const float pivotA = p.a;
    const float qa = q.a;
    const float ra = r.a;
    eliminate(q, p, pivotA, qa, true);
    eliminate(r, p, pivotA, ra, true);

    if (q.b == 0.0f) std::swap(q, r);
    if (r.b != 0.0f) {
        const float pivotB = q.b;
        const float rb = r.b;
        eliminate(r, q, pivotB, rb, false);
    }

    const float z = quotientOrZero(r.d, r.c);
    const float y = quotientOrZero(q.d - static_cast<double>(q.c) * z, q.b);
    const float x =
        quotientOrZero(p.d - static_cast<double>(p.c) * z - static_cast<double>(p.b) * y, p.a);
    return {x, y, z};
}

bool pointInTriangle(const Vector3& p, const Vector3& q, const Vector3& r, const Vector3& s) {
    const Vector3* corners[3][3] = {{&p, &q, &r}, {&q, &r, &p}, {&r, &p, &q}};
    for (const auto& corner : corners) {
        const Vector3& u = *corner[0];
        const Vector3& v = *corner[1];
        const Vector3& w = *corner[2];
        const Vector3 edge = difference(u, v);
        // s and w on the same side of the edge: both normals point the same way.
        const float t = dot(cross(edge, difference(u, s)), cross(edge, difference(u, w)));
        if (!(t > 0.0f)) return false;
    }
    return true;
}

bool segmentHitsTriangle(const Vector3& p, const Vector3& q, const Vector3& r,
                         const Vector3& segmentStart, const Vector3& segmentEnd) {
    const Vector3& a = segmentStart;
    const Vector3& b = segmentEnd;
    const Vector3 d = difference(a, b);
    // Any helper direction not along the segment will do; x is tried first.
    const Vector3 helper =
        (d.y == 0.0f && d.z == 0.0f) ? Vector3{0.0f, 1.0f, 0.0f} : Vector3{1.0f, 0.0f, 0.0f};
    const Vector3 m = cross(d, helper);
    const Vector3 e = {a.x + helper.x, a.y + helper.y, a.z + helper.z};
    const Vector3 f = {a.x + m.x, a.y + m.y, a.z + m.z};

    // Two planes that hold the segment's line, cut with the triangle's plane.
    const Vector3 hit = intersectPlanes(planeFromTriangle(p, q, r), planeFromTriangle(a, b, e),
                                        planeFromTriangle(a, b, f));

    if ((hit.x > a.x && hit.x > b.x) || (hit.x < a.x && hit.x < b.x)) return false;
    return pointInTriangle(p, q, r, hit);
}

bool raySidesTest(const Vector3& o, const Vector3& v, Vector3& a, Vector3& b, Vector3& c) {
    const Vector3 origin = o;  // o may be one of the corners being replaced
    a = difference(a, origin);
    b = difference(b, origin);
    c = difference(c, origin);

    const Vector3 n = cross(v, a);
    if (sign(dot(c, n)) < 1 || sign(dot(b, n)) < 1) return false;
    const Vector3 k = cross(v, b);
    return sign(dot(c, k)) > 0;
}
