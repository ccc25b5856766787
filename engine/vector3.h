// Three 32-bit floats: positions, normals, colours, Euler angles in degrees and scale factors.
// Shared by every subsystem; plain data with no behaviour (the geometry lives in render/).
#pragma once

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};
