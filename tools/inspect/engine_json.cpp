// Turning the engine's lists into the inspector's JSON document.
#include "tools/inspect/engine_json.h"

#include "engine/engine.h"
#include "tools/inspect/json_writer.h"

namespace {

void writeVector(JsonWriter& json, const char* name, const Vector3& v) {
    const float values[3] = {v.x, v.y, v.z};
    json.key(name);
    json.floats(values, 3);
}

void writePair(JsonWriter& json, const char* name, float u, float v) {
    const float values[2] = {u, v};
    json.key(name);
    json.floats(values, 2);
}

void writeTextures(JsonWriter& json, const TextureList& textures) {
    json.key("textures");
    json.beginArray();
    for (const Texture& t : textures.all()) {
        json.beginObject();
        json.key("id"), json.value(t.id);
        json.key("fileName"), json.value(std::string_view(t.fileName));
        json.key("width"), json.value(t.width);
        json.key("height"), json.value(t.height);
        json.key("filterMode"), json.value(t.filterMode);
        json.key("wrapMode"), json.value(t.wrapMode);
        json.endObject();
    }
    json.endArray();
}

void writeMaterials(JsonWriter& json, const MaterialList& materials) {
    json.key("materials");
    json.beginArray();
    for (const Material& m : materials.all()) {
        json.beginObject();
        json.key("id"), json.value(m.getId());
        json.key("baseTexture"), json.value(m.getBaseTexture());
        json.key("baseScrollU"), json.value(m.getBaseScrollU());
        json.key("baseScrollV"), json.value(m.getBaseScrollV());
        json.key("baseSphereMap"), json.value(m.getBaseSphereMap());
        json.key("detailTexture"), json.value(m.getDetailTexture());
        json.key("detailScrollU"), json.value(m.getDetailScrollU());
        json.key("detailScrollV"), json.value(m.getDetailScrollV());
        json.key("detailSphereMap"), json.value(m.getDetailSphereMap());
        json.key("bumpTexture"), json.value(m.getBumpTexture());
        json.key("bumpParameter"), json.value(m.getBumpParameter());
        json.endObject();
    }
    json.endArray();
}

void writeFace(JsonWriter& json, const Face& face) {
    json.beginObject();
    json.key("materialId"), json.value(face.materialId);
    writeVector(json, "normal", face.normal);
    json.key("vertices");
    json.beginArray();
    for (const Vertex& v : face.vertices) {
        json.beginObject();
        writeVector(json, "position", v.position);
        writePair(json, "base", v.baseU, v.baseV);
        writePair(json, "detail", v.detailU, v.detailV);
        writePair(json, "bump", v.bumpU, v.bumpV);
        json.key("color");
        json.floats(v.color, 3);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

void writeMeshes(JsonWriter& json, const MeshList& meshes) {
    json.key("meshes");
    json.beginArray();
    for (const Mesh& mesh : meshes.all()) {
        json.beginObject();
        json.key("id"), json.value(mesh.id);
        json.key("name"), json.value(std::string_view(mesh.name));
        writeVector(json, "position", mesh.position);
        writeVector(json, "rotation", mesh.rotation);
        writeVector(json, "scale", mesh.scale);
        json.key("materialIds");
        json.beginArray();
        for (int id : mesh.materialIds) json.value(id);
        json.endArray();
        json.key("faces");
        json.beginArray();
        for (const Face& face : mesh.faces) writeFace(json, face);
        json.endArray();
        json.endObject();
    }
    json.endArray();
}

void writeCameras(JsonWriter& json, const CameraList& cameras) {
    json.key("cameras");
    json.beginArray();
    for (const Camera& camera : cameras.all()) {
        json.beginObject();
        json.key("id"), json.value(camera.id);
        json.key("name"), json.value(std::string_view(camera.name));
        writeVector(json, "position", camera.position);
        writeVector(json, "target", camera.target);
        json.key("fieldOfView"), json.value(camera.fieldOfView);
        json.endObject();
    }
    json.endArray();
}

void writeLights(JsonWriter& json, const LightList& lights) {
    json.key("lights");
    json.beginArray();
    for (const Light& light : lights.all()) {
        json.beginObject();
        json.key("id"), json.value(light.id);
        json.key("name"), json.value(std::string_view(light.name));
        writeVector(json, "position", light.position);
        writeVector(json, "color", {light.color.red, light.color.green, light.color.blue});
        json.key("radius"), json.value(light.radius);
        json.key("tag"), json.value(light.tag);
        json.endObject();
    }
    json.endArray();
}

std::string toJson(const Engine& engine, int loadResult, bool withScene) {
    JsonWriter json;
    json.beginObject();
    json.key("load"), json.value(loadResult);
    writeTextures(json, engine.textures);
    writeMaterials(json, engine.materials);
    writeMeshes(json, engine.meshes);
    if (withScene) {
        writeCameras(json, engine.cameras);
        writeLights(json, engine.lights);
    }
    json.endObject();
    return json.text();
}

}  // namespace

std::string engineToJson(const Engine& engine, int loadResult) {
    return toJson(engine, loadResult, false);
}

std::string sceneToJson(const Engine& engine, int loadResult) {
    return toJson(engine, loadResult, true);
}
