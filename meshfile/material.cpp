// The material record's equality and the material list: ids, sharing, lookups by id, start-up.
#include "meshfile/material.h"

#include "engine/gl_extensions.h"
#include "platform/platform.h"

bool Material::sameAs(const Material& other) const {
    return baseTexture == other.baseTexture && baseScrollU == other.baseScrollU &&
           baseScrollV == other.baseScrollV && baseSphereMap == other.baseSphereMap &&
           detailTexture == other.detailTexture && detailScrollU == other.detailScrollU &&
           detailScrollV == other.detailScrollV && detailSphereMap == other.detailSphereMap &&
           bumpTexture == other.bumpTexture && bumpParameter == other.bumpParameter;
}

void MaterialList::init(TextureList& textures, GlExtensions& extensions) {
    count = 0;
    nextId = 0;
    detailEnabled = false;
    bumpEnabled = false;
    textureList = &textures;
    this->extensions = &extensions;

    // Neither lack stops the start-up: the user is told and the demo runs with what it has.
    if (!extensions.initMultitexture())
        platform::messageBox("Votre carte graphique ne supporte pas le multitexturing", "Erreur",
                             platform::MB_OK);
    if (!extensions.supportsDot3Bump()) {
        platform::messageBox("Votre carte graphique ne supporte pas le BumpMapping", "Erreur",
                             platform::MB_OK);
        return;
    }
    detailEnabled = true;
    bumpEnabled = true;
}

void MaterialList::clear() {
    materials.clear();
    count = 0;
    nextId = 0;
    currentMaterialId = -1;
}

int MaterialList::find(const Material& material) const {
    for (const Material& held : materials)
        if (held.sameAs(material)) return held.getId();
    return -1;
}

int MaterialList::add(Material& material) {
    material.setId(nextId);
    materials.push_back(material);
    ++count;
    return nextId++;
}

void MaterialList::remove(int id) {
    for (auto it = materials.begin(); it != materials.end(); ++it)
        if (it->getId() == id) {
            materials.erase(it);
            if (count > 0) --count;
            return;
        }
}

int MaterialList::findByBaseTexture(int textureId) const {
    for (const Material& held : materials)
        if (held.getBaseTexture() == textureId) return held.getId();
    return -1;
}

const Material* MaterialList::byId(int id) const {
    for (const Material& held : materials)
        if (held.getId() == id) return &held;
    return nullptr;
}

Material* MaterialList::byId(int id) {
    for (Material& held : materials)
        if (held.getId() == id) return &held;
    return nullptr;
}

// Each read answers its "no such material" value; each write leaves the list alone then.
#define VORN_MATERIAL_FIELD(Type, Name, Member, none)                       \
    Type MaterialList::Name##Of(int id) const {                             \
        const Material* found = byId(id);                                   \
        return found != nullptr ? found->get##Member() : (none);            \
    }                                                                       \
    void MaterialList::set##Member##Of(int id, Type value) {                \
        if (Material* found = byId(id)) found->set##Member(value);          \
    }

VORN_MATERIAL_FIELD(float, baseScrollU, BaseScrollU, -1.0f)
VORN_MATERIAL_FIELD(float, baseScrollV, BaseScrollV, -1.0f)
VORN_MATERIAL_FIELD(float, detailScrollU, DetailScrollU, -1.0f)
VORN_MATERIAL_FIELD(float, detailScrollV, DetailScrollV, -1.0f)
VORN_MATERIAL_FIELD(float, bumpParameter, BumpParameter, -1.0f)
VORN_MATERIAL_FIELD(int, baseTexture, BaseTexture, -1)
VORN_MATERIAL_FIELD(int, detailTexture, DetailTexture, -1)
VORN_MATERIAL_FIELD(int, bumpTexture, BumpTexture, -1)
VORN_MATERIAL_FIELD(bool, baseSphereMap, BaseSphereMap, false)
VORN_MATERIAL_FIELD(bool, detailSphereMap, DetailSphereMap, false)

#undef VORN_MATERIAL_FIELD
