// The engine's start-up and its thin operations over the lists it owns.
#include "engine/engine.h"

#include <GL/glext.h>

void Engine::init() {
    // Each start-up runs in a new rendering context whose textures are new: the lists of an
    // earlier load would name textures that no longer exist, so the scene is loaded afresh.
    meshes.clear();
    materials.clear();
    textures.clear();

    extensions.capture();
    textures.setExtensions(extensions);
    materials.init(textures, extensions);
    meshes.init(materials, extensions);
}

int Engine::load(const char* path) { return meshes.load(path); }

void Engine::drawAllMeshes() {
    glColor3f(1.0f, 1.0f, 1.0f);
    meshes.drawAll();
    glColor3f(1.0f, 1.0f, 1.0f);
}

void Engine::disableTexturing() {
    const GLenum units[] = {GL_TEXTURE2_ARB, GL_TEXTURE1_ARB, GL_TEXTURE0_ARB};
    for (GLenum unit : units) {
        if (extensions.activeTexture != nullptr) extensions.activeTexture(unit);
        else if (unit != GL_TEXTURE0_ARB) continue;
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
    }
}
