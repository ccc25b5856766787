// The file the viewer shows: its kind told by its first line, its load through the engine's own
// loaders, emptying the engine for a reload, and what the overlay and the orbit view need of it.
#pragma once

#include <cstddef>
#include <string>

#include "engine/vector3.h"

class Engine;
class MeshList;

enum class FileKind { mesh, sceneDescription };

// A first line that begins with FICHIER_VNT or FICHIER_VNS makes a scene description; anything
// else (FICHIER_VNO, an unreadable file, nonsense) goes to the mesh loader, which says what is
// wrong with it.
FileKind sniffFileKind(const char* path);

// Loads the file into the engine with the loader of its kind and its message boxes. False when
// the file was refused: no mesh read from a mesh file; for a scene description, a file that
// could not be opened or whose first line is not exactly its kind line.
bool loadViewedFile(Engine& engine, const char* path);

// Empties every list of the engine and frees the textures' GL names, so that the files can be
// read again in the same context. The effect switches stay as they are.
void unloadScene(Engine& engine);

struct SceneCounts {
    std::size_t triangles = 0, meshes = 0, materials = 0, textures = 0, lights = 0, cameras = 0;
};
SceneCounts countScene(const Engine& engine);

// An axis-aligned box of points; empty until the first point.
struct Bounds {
    Vector3 low, high;
    bool empty = true;
    void add(const Vector3& point);
    Vector3 center() const;
    // Half the diagonal; 0 for an empty box or a single point.
    float radius() const;
};
// Every corner of every mesh, moved as drawing moves it: scaled, turned about Z, Y, then X,
// and translated.
Bounds sceneBounds(const MeshList& meshes);

// The last part of a path, as the overlay shows it.
std::string fileNameOf(const std::string& path);
