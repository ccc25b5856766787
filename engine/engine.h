// The engine: the one object that owns all scene data (meshes, lights, cameras, textures,
// materials), the driver's extension record and the two effect switches.
#pragma once

#include <cstdio>

#include "engine/gl_extensions.h"
#include "meshfile/material.h"
#include "meshfile/mesh.h"
#include "render/texture_list.h"
#include "scenedesc/camera.h"
#include "scenedesc/light.h"

class Engine {
public:
    MeshList meshes;
    LightList lights;
    CameraList cameras;
    TextureList textures;
    MaterialList materials;
    GlExtensions extensions;

    // Start-up in the current rendering context: extensions, links, capability check, switches.
    void init();
    // Reads one mesh file into meshes, materials and textures; the mesh's number, or -1.
    int load(const char* path);
    // Every mesh, in white before and after.
    void drawAllMeshes();
    // Reads a scene description file: textures, cameras, lights and further mesh files.
    void loadSceneDescription(const char* path);
    // The same from a stream already open for reading (bytes in memory through fmemopen, for
    // instance); `path` names it in the messages. The stream is closed in every case.
    void loadSceneDescription(std::FILE* stream, const char* path);
    // Light markers: all of them in white surroundings, or the first light with that id.
    void drawLightMarkers();
    void drawLightMarker(int id);
    // Cameras draw nothing yet; the colour calls around them stay.
    void drawCameras();
    void drawCamera(int id);
    // Nothing to release: everything the engine owns goes with it.
    void shutdown() {}

    bool isDetailEnabled() const { return materials.detailEnabled; }
    void enableDetail() { materials.detailEnabled = true; }
    void disableDetail() { materials.detailEnabled = false; }
    bool isBumpEnabled() const { return materials.bumpEnabled; }
    void enableBump() { materials.bumpEnabled = true; }
    void disableBump() { materials.bumpEnabled = false; }

    // Switches 2D texturing and coordinate generation off on every unit the engine uses, so
    // that what is drawn next (the overlay) shows its own colours.
    void disableTexturing();
};
