// The engine: the one object that owns all scene data (meshes, lights, cameras, textures,
// materials), the driver's extension record and the two effect switches.
#pragma once

#include "engine/gl_extensions.h"
#include "meshfile/material.h"
#include "meshfile/mesh.h"
#include "render/texture_list.h"

class Engine {
public:
    MeshList meshes;
    TextureList textures;
    MaterialList materials;
    GlExtensions extensions;

    // Start-up in the current rendering context: extensions, links, capability check, switches.
    void init();
    // Reads one mesh file into meshes, materials and textures; the mesh's number, or -1.
    int load(const char* path);
    // Every mesh, in white before and after.
    void drawAllMeshes();
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
