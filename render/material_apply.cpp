// Putting a material on texture units 0, 1 and 2: base, detail and bump, each with its fixed
// environment; the two switches decide whether the detail and bump units stay enabled.
#include <GL/gl.h>

#include "engine/gl_extensions.h"
#include "meshfile/material.h"
#include "render/texture_list.h"

void MaterialList::applyMaterial(int materialId) {
    const Material* material = nullptr;
    for (const Material& candidate : all())
        if (candidate.getId() == materialId) {
            material = &candidate;
            break;
        }
    if (material == nullptr) return;

    textureList->applyTexture(material->getBaseTexture(), 0);
    if (material->getBaseSphereMap()) {
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
    } else {
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
    }

    // With one texture unit only, the detail and bump layers have nowhere to go: setting
    // them up would change unit 0 instead.
    const bool unitsAvailable = extensions != nullptr && extensions->hasMultitexture();
    if (unitsAvailable && material->getDetailTexture() != -1) {
        textureList->applyTexture(material->getDetailTexture(), 1);
        if (!detailEnabled) glDisable(GL_TEXTURE_2D);
        if (material->getDetailSphereMap()) {
            glEnable(GL_TEXTURE_GEN_S);
            glEnable(GL_TEXTURE_GEN_T);
        } else {
            glDisable(GL_TEXTURE_GEN_S);
            glDisable(GL_TEXTURE_GEN_T);
        }
    }
    if (unitsAvailable && material->getBumpTexture() != -1) {
        textureList->applyTexture(material->getBumpTexture(), 2);
        if (!bumpEnabled) glDisable(GL_TEXTURE_2D);
    }
    currentMaterialId = materialId;
}
