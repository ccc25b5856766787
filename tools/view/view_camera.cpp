// Scene cameras and the orbit view as eye, target, up and projection.
#include "tools/view/view_camera.h"

#include <algorithm>
#include <cmath>

#include "scenedesc/camera.h"

namespace {

constexpr double degrees = 3.14159265358979323846 / 180.0;
constexpr float orbitFieldOfView = 54.0f;
constexpr float steepest = 89.0f;  // never straight up or down: the up vector would vanish
constexpr float zoomStep = 0.85f;
constexpr float nearestZoom = 0.05f, farthestZoom = 50.0f;
constexpr float margin = 1.1f;  // a little room around the box

bool isFinite(const Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

void Orbit::turn(float yawDegrees, float pitchDegrees) {
    yaw = std::fmod(yaw + yawDegrees, 360.0f);
    pitch = std::clamp(pitch + pitchDegrees, -steepest, steepest);
}

void Orbit::zoomBy(int steps) {
    zoom = std::clamp(zoom * std::pow(zoomStep, float(steps)), nearestZoom, farthestZoom);
}

ViewPlacement cameraView(const Camera& camera) {
    ViewPlacement view;
    view.eye = camera.position;
    view.target = camera.target;
    view.fieldOfView = camera.getFieldOfView();
    // Looking straight up or down, +Y cannot be the top of the picture: +Z is.
    const double dx = view.target.x - view.eye.x, dy = view.target.y - view.eye.y,
                 dz = view.target.z - view.eye.z;
    // A camera placed on its own target looks nowhere; it looks down -Z as the orbit starts.
    if (dx == 0 && dy == 0 && dz == 0) view.target.z -= 1.0f;
    else if (std::abs(dx) + std::abs(dz) <= 1e-6 * std::abs(dy)) view.up = {0.0f, 0.0f, 1.0f};
    return view;
}

ViewPlacement orbitView(const Bounds& bounds, const Orbit& orbit, float aspect) {
    Vector3 center = bounds.center();
    float radius = bounds.radius();
    if (!isFinite(center) || !std::isfinite(radius)) center = {}, radius = 0.0f;
    if (radius <= 0.0f) radius = 1.0f;  // nothing, or a single point: a unit of room around it

    const double halfAngle = orbitFieldOfView / 2.0 * degrees;
    const double narrowest = aspect >= 1.0f ? halfAngle : std::atan(std::tan(halfAngle) * aspect);
    const double distance = radius * margin / std::sin(narrowest) * orbit.zoom;
    const double yaw = orbit.yaw * degrees, pitch = orbit.pitch * degrees;

    ViewPlacement view;
    view.target = center;
    view.eye = {float(center.x + distance * std::cos(pitch) * std::sin(yaw)),
                float(center.y + distance * std::sin(pitch)),
                float(center.z + distance * std::cos(pitch) * std::cos(yaw))};
    view.fieldOfView = orbitFieldOfView;
    // The depth range follows the box, so that a model of any size keeps its depth precision.
    view.nearPlane = float(std::max(distance - radius * 1.5, distance * 0.01));
    view.farPlane = float(distance + radius * 1.5);
    return view;
}
