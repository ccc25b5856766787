// Geometry math: vector basics on Vector3, planes, and point, segment and ray tests against
// triangles. Owns the Plane record; the functions keep no state.
#pragma once

#include "engine/vector3.h"

// The plane a·x + b·y + c·z = d; (a, b, c) is a normal, not normalised.
struct Plane {
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    float d = 0.0f;
};

// Euclidean length; the squares are summed and rooted in double, so no overflow for large floats.
float length(const Vector3& v);
// Scales v to unit length by the float reciprocal of its length; an exact zero vector stays.
void normalize(Vector3& v);
Vector3 cross(const Vector3& a, const Vector3& b);
float dot(const Vector3& a, const Vector3& b);
// a − b, componentwise.
Vector3 difference(const Vector3& a, const Vector3& b);
float distance(const Vector3& a, const Vector3& b);
// True when the three components are each exactly equal.
bool equals(const Vector3& a, const Vector3& b);
// -1, 0 or +1; a NaN counts as negative.
int sign(float x);

// The plane through p, q and r, with the normal (p − q) × (q − r); (0, 0, 0, 0) when collinear.
Plane planeFromTriangle(const Vector3& p, const Vector3& q, const Vector3& r);
// The point common to three planes; a coordinate whose pivot vanishes comes out as 0.
Vector3 intersectPlanes(const Plane& p, const Plane& q, const Plane& r);

// True when s lies strictly inside triangle p, q, r (either winding); false on edges and corners.
bool pointInTriangle(const Vector3& p, const Vector3& q, const Vector3& r, const Vector3& s);
// True when the line through the segment's ends meets triangle p, q, r at a point whose x lies
// between the ends' x (only x is checked against the ends; y and z are not).
bool segmentHitsTriangle(const Vector3& p, const Vector3& q, const Vector3& r,
                         const Vector3& segmentStart, const Vector3& segmentEnd);
// Side tests of direction v from point o against corners a, b, c: true when c·(v × a),
// b·(v × a) and c·(v × b) are all positive. The corners are replaced in place by a − o, b − o
// and c − o, which the caller sees afterwards.
bool raySidesTest(const Vector3& o, const Vector3& v, Vector3& a, Vector3& b, Vector3& c);
