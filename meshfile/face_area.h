// Whether a triangle has no area: the rule behind vorn-check's degenerate-face warning, shared
// with vorn-import, which drops such triangles. Works on any point type with x, y and z.
#pragma once

#include <cmath>

namespace facearea {

// Corners on one line leave a cross product that is nothing next to the edges it comes from.
template <class Point>
bool spansNoArea(const Point& a, const Point& b, const Point& c) {
    const double ux = double(b.x) - a.x, uy = double(b.y) - a.y, uz = double(b.z) - a.z;
    const double vx = double(c.x) - a.x, vy = double(c.y) - a.y, vz = double(c.z) - a.z;
    const double cx = uy * vz - uz * vy, cy = uz * vx - ux * vz, cz = ux * vy - uy * vx;
    const double cross = cx * cx + cy * cy + cz * cz;
    const double edges = (ux * ux + uy * uy + uz * uz) * (vx * vx + vy * vy + vz * vz);
    return std::isfinite(edges) && cross <= edges * 1e-14;
}

}  // namespace facearea
