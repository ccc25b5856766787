// Where the viewer looks from: a scene camera as the file places it, or the orbit view that
// frames the scene's bounding box and turns about its centre.
#pragma once

#include "engine/vector3.h"
#include "tools/view/viewed_scene.h"

struct Camera;

// The view for gluLookAt and gluPerspective.
struct ViewPlacement {
    Vector3 eye, target, up{0.0f, 1.0f, 0.0f};
    float fieldOfView = 54.0f;  // vertical, degrees
    float nearPlane = 0.1f, farPlane = 2000.0f;
};

// Turn and distance of the orbit view, kept across reloads and camera changes.
struct Orbit {
    float yaw = 30.0f;    // degrees about the vertical, 0 looking down -Z
    float pitch = 20.0f;  // degrees above the horizon
    float zoom = 1.0f;    // distance as a share of the distance that frames the box

    void turn(float yawDegrees, float pitchDegrees);
    // Wheel notches: away from the user comes nearer.
    void zoomBy(int steps);
};

ViewPlacement cameraView(const Camera& camera);
// The whole box in view, whatever the window's shape: its sphere fits the narrower angle.
ViewPlacement orbitView(const Bounds& bounds, const Orbit& orbit, float aspect);
