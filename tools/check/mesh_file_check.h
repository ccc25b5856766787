// The mesh file checker: walks a mesh file section by section in the engine's order and
// reports every line whose meaning differs from what its author most likely meant.
#pragma once

#include <string>
#include <vector>

#include "engine/vector3.h"
#include "meshfile/mesh.h"

class CheckRun;
class LineChecker;

// A material block's values as written: texture indices are those of the file's entries.
struct MaterialValues {
    int baseTexture = -1;
    float baseScrollU = 0.0f, baseScrollV = 0.0f;
    bool baseSphereMap = false;
    int detailTexture = -1;
    float detailScrollU = 0.0f, detailScrollV = 0.0f;
    bool detailSphereMap = false;
    int bumpTexture = -1;
    float bumpParameter = 0.0f;
};

// What the checker read, as the engine would keep it: entries and blocks the engine drops
// (past their limits, or cut short by the end of the file) are left out. Faces carry the
// material index as written.
struct MeshFileValues {
    std::vector<std::string> textureNames;
    std::vector<bool> textureRepeats;
    std::vector<MaterialValues> materials;
    bool hasMesh = false;
    std::string meshName;
    Vector3 position, rotation, scale;
    std::vector<Face> faces;
};

// Checks the rest of a mesh file whose first line `lines` has just read.
void checkMeshFileLines(LineChecker& lines, CheckRun& run, MeshFileValues* values);
