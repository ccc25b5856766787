// Materials: how the faces that carry a material id are textured on units 0, 1 and 2, and the
// list that keeps one copy of each distinct material, hands out their ids and holds the switches.
#pragma once

#include <vector>

class TextureList;
struct GlExtensions;

class Material {
public:
    int getId() const { return id; }
    void setId(int value) { id = value; }
    int getBaseTexture() const { return baseTexture; }
    void setBaseTexture(int value) { baseTexture = value; }
    float getBaseScrollU() const { return baseScrollU; }
    void setBaseScrollU(float value) { baseScrollU = value; }
    float getBaseScrollV() const { return baseScrollV; }
    void setBaseScrollV(float value) { baseScrollV = value; }
    bool getBaseSphereMap() const { return baseSphereMap; }
    void setBaseSphereMap(bool value) { baseSphereMap = value; }
    int getDetailTexture() const { return detailTexture; }
    void setDetailTexture(int value) { detailTexture = value; }
    float getDetailScrollU() const { return detailScrollU; }
    void setDetailScrollU(float value) { detailScrollU = value; }
    float getDetailScrollV() const { return detailScrollV; }
    void setDetailScrollV(float value) { detailScrollV = value; }
    bool getDetailSphereMap() const { return detailSphereMap; }
    void setDetailSphereMap(bool value) { detailSphereMap = value; }
    int getBumpTexture() const { return bumpTexture; }
    void setBumpTexture(int value) { bumpTexture = value; }
    float getBumpParameter() const { return bumpParameter; }
    void setBumpParameter(float value) { bumpParameter = value; }

    // Every member but the id is equal; floats by exact value, with no tolerance.
    bool sameAs(const Material& other) const;

private:
    int id = 0;
    int baseTexture = -1;
    float baseScrollU = 0.0f;
    float baseScrollV = 0.0f;
    bool baseSphereMap = false;
    int detailTexture = -1;
    float detailScrollU = 0.0f;
    float detailScrollV = 0.0f;
    bool detailSphereMap = false;
    int bumpTexture = -1;
    float bumpParameter = 0.0f;
};

class MaterialList {
public:
    // The engine's start-up: counts and switches reset, links stored, and the capability check
    // that turns both switches on when the driver can combine textures with DOT3.
    void init(TextureList& textures, GlExtensions& extensions);
    // Forgets every material, before a reload.
    void clear();

    // Id of the first material equal to `material` (sameAs), or -1.
    int find(const Material& material) const;
    // Gives `material` the next id, keeps a copy and returns the id.
    int add(Material& material);
    // Removes the first material with that id; nothing happens when there is none.
    void remove(int id);
    // Id of the first material whose base texture is `textureId`, or -1.
    int findByBaseTexture(int textureId) const;

    // Reads by material id: the first material with that id; -1.0 (floats), -1 (texture ids)
    // or false (flags) when there is none.
    float baseScrollUOf(int id) const;
    float baseScrollVOf(int id) const;
    float detailScrollUOf(int id) const;
    float detailScrollVOf(int id) const;
    float bumpParameterOf(int id) const;
    int baseTextureOf(int id) const;
    int detailTextureOf(int id) const;
    int bumpTextureOf(int id) const;
    bool baseSphereMapOf(int id) const;
    bool detailSphereMapOf(int id) const;

    // Writes by material id: the first material with that id; nothing when there is none.
    void setBaseScrollUOf(int id, float value);
    void setBaseScrollVOf(int id, float value);
    void setDetailScrollUOf(int id, float value);
    void setDetailScrollVOf(int id, float value);
    void setBumpParameterOf(int id, float value);
    void setBaseTextureOf(int id, int value);
    void setDetailTextureOf(int id, int value);
    void setBumpTextureOf(int id, int value);
    void setBaseSphereMapOf(int id, bool value);
    void setDetailSphereMapOf(int id, bool value);

    const std::vector<Material>& all() const { return materials; }

    // Puts the material on texture units 0, 1 and 2 (render/material_apply.cpp).
    void applyMaterial(int materialId);

    int currentMaterialId = -1;  // the material applied last
    int count = 0;
    int nextId = 0;
    bool detailEnabled = false;  // detail maps drawn on texture unit 1
    bool bumpEnabled = false;    // bump maps drawn on texture unit 2
    TextureList* textureList = nullptr;
    GlExtensions* extensions = nullptr;

private:
    const Material* byId(int id) const;
    Material* byId(int id);

    std::vector<Material> materials;
};
