// The JSON of vorn-inspect has a fixed layout, so a cursor that looks for each key in turn
// reads it back; no general JSON reading is needed for a document the project writes itself.
#include "tool_runs.h"

#include <cmath>
#include <cstdlib>

namespace fs = std::filesystem;

namespace importtest {

const char* const loadedWithoutMessages = "messagebox: Information: Chargement Termin\xC3\xA9\n";

namespace {

class JsonCursor {
public:
    JsonCursor(const std::string& text, std::size_t from, std::size_t to) : text_(text), at_(from), end_(to) {}

    // Moves past the next `"key":`; false when there is none before the end.
    bool next(const std::string& key) {
        const std::size_t found = text_.find("\"" + key + "\":", at_);
        if (found == std::string::npos || found >= end_) return false;
        at_ = found + key.size() + 3;
        return true;
    }
    float number() {
        char* end = nullptr;
        const float value = std::strtof(text_.c_str() + at_, &end);
        at_ = static_cast<std::size_t>(end - text_.c_str());
        return value;
    }
    template <std::size_t N>
    std::array<float, N> numbers(const std::string& key) {
        std::array<float, N> values{};
        if (!next(key)) return values;
        for (float& value : values) {
            ++at_;  // '[' or ','
            value = number();
        }
        return values;
    }
    std::string string(const std::string& key) {
        if (!next(key)) return "";
        std::string out;
        for (++at_; at_ < text_.size() && text_[at_] != '"'; ++at_) {
            if (text_[at_] == '\\') ++at_;
            out += text_[at_];
        }
        return out;
    }
    std::size_t at() const { return at_; }

private:
    const std::string& text_;
    std::size_t at_;
    std::size_t end_;
};

std::size_t sectionStart(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\":[");
    return at == std::string::npos ? json.size() : at;
}

}  // namespace

ToolRun runIn(const fs::path& folder, const std::string& command) {
    return testsupport::runCaptured("cd " + testsupport::quoted(folder.string()) + " && " + command, folder);
}

ToolRun runImport(const fs::path& folder, const std::string& arguments) {
    return runIn(folder, std::string("'") + VORN_IMPORT + "' " + arguments);
}

std::string InspectedScene::textureName(int id) const {
    return id >= 0 && id < static_cast<int>(textures.size()) ? textures[id] : "";
}

std::string InspectedScene::baseTextureOf(const InspectedFace& face) const {
    if (face.material < 0 || face.material >= static_cast<int>(materials.size())) return "";
    return textureName(materials[face.material].base);
}

std::vector<const InspectedFace*> InspectedScene::facesAt(const Vec3& position) const {
    std::vector<const InspectedFace*> found;
    for (const InspectedFace& face : faces)
        for (const InspectedCorner& corner : face.corners)
            if (std::abs(corner.position[0] - position[0]) < 1e-4f && std::abs(corner.position[1] - position[1]) < 1e-4f &&
                std::abs(corner.position[2] - position[2]) < 1e-4f) {
                found.push_back(&face);
                break;
            }
    return found;
}

InspectedScene inspectScene(const fs::path& folder, const std::string& sceneFile) {
    InspectedScene scene;
    scene.run = runIn(folder, std::string("'") + VORN_INSPECT + "' --scene '" + sceneFile + "'");
    const std::string& json = scene.run.out;
    const std::size_t materials = sectionStart(json, "materials"), meshes = sectionStart(json, "meshes"),
                      cameras = sectionStart(json, "cameras"), lights = sectionStart(json, "lights");
    for (JsonCursor textures(json, 0, materials); textures.next("id");) scene.textures.push_back(textures.string("fileName"));
    for (JsonCursor cursor(json, materials, meshes); cursor.next("baseTexture");) {
        InspectedMaterial material;
        material.base = static_cast<int>(cursor.number());
        cursor.next("detailTexture"), material.detail = static_cast<int>(cursor.number());
        cursor.next("bumpTexture"), material.bump = static_cast<int>(cursor.number());
        scene.materials.push_back(material);
    }
    for (JsonCursor cursor(json, meshes, cameras); cursor.next("materialIds");) ++scene.meshes;
    for (JsonCursor cursor(json, meshes, cameras); cursor.next("materialId");) {
        InspectedFace face;
        face.material = static_cast<int>(cursor.number());
        face.normal = cursor.numbers<3>("normal");
        for (InspectedCorner& corner : face.corners) {
            corner.position = cursor.numbers<3>("position");
            corner.base = cursor.numbers<2>("base");
            corner.detail = cursor.numbers<2>("detail");
            corner.bump = cursor.numbers<2>("bump");
            corner.colour = cursor.numbers<3>("color");
        }
        scene.faces.push_back(face);
    }
    for (JsonCursor cursor(json, cameras, lights); cursor.next("id");) {
        InspectedCamera camera;
        camera.name = cursor.string("name");
        camera.position = cursor.numbers<3>("position");
        camera.target = cursor.numbers<3>("target");
        scene.cameras.push_back(camera);
    }
    for (JsonCursor cursor(json, lights, json.size()); cursor.next("id");) {
        InspectedLight light;
        light.name = cursor.string("name");
        light.position = cursor.numbers<3>("position");
        light.colour = cursor.numbers<3>("color");
        cursor.next("radius"), light.radius = cursor.number();
        scene.lights.push_back(light);
    }
    return scene;
}

}  // namespace importtest
