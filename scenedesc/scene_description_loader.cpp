// The scene description loader: the kind line, then texture, camera and light blocks and mesh
// entries read line by line at the top level until the end line. A file that ends early keeps
// every block it held in full and says so.
#include "scenedesc/scene_description_loader.h"

#include <string>
#include <vector>

#include "engine/engine.h"
#include "meshfile/line_reader.h"
#include "meshfile/number_reader.h"
#include "platform/platform.h"

namespace {

constexpr std::size_t lineChars = 254;  // a line read takes at most this, its line end included
constexpr int filterMipmapped = 2;
constexpr int wrapRepeat = 0;
constexpr int cameraFieldOfView = 54;  // the vertical angle of the window's own projection
constexpr int lightTag = 0;

class SceneDescriptionReader {
public:
    SceneDescriptionReader(const char* path, Engine& engine) : path(path), engine(engine) {}

    // False when the file was refused. A stream, when given, is read in place of the file at
    // the path.
    bool load(std::FILE* stream = nullptr) {
        if (stream != nullptr ? !file.open(stream) : !file.open(path)) {
            tellUser("Impossible d'ouvrir le fichier ", "Erreur");
            return false;
        }
        // A file of the second kind is accepted and left unread.
        const Kind kind = readKind();
        if (kind == Kind::invalid) tellUser("Fichier Non Valide:  ", "Erreur");
        const bool ended = kind == Kind::sceneDescription && !readTopLevel();
        // Closed here, once, whatever the kind line or the blocks turned out to be.
        file.close();
        if (ended) tellUser("Fin de fichier inattendue dans le fichier ", "Erreur");
        return kind != Kind::invalid;
    }

private:
    enum class Kind { sceneDescription, secondKind, invalid };

    // The whole first line, its line end included: nothing before or after the kind word.
    Kind readKind() {
        if (!readLine() || !line.hasLineEnd || line.length != line.rawLength) return Kind::invalid;
        const std::string text(line.text, line.length);
        if (text == "FICHIER_VNT") return Kind::sceneDescription;
        if (text == "FICHIER_VNS") return Kind::secondKind;
        return Kind::invalid;
    }

    // False when the file ended before its end line.
    bool readTopLevel() {
        for (;;) {
            if (!readLine()) return false;
            if (begins("FIN_FICHIER_VNT")) {
                platform::messageBox("Chargement Termin\xE9", "Information", platform::MB_OK);
                return true;
            }
            bool whole = true;
            if (begins("TEXTURE")) whole = readTextureBlock();
            else if (begins("CAMERA")) whole = readCameraBlock();
            else if (begins("LUMIERE")) whole = readLightBlock();
            else if (begins("MESH")) whole = readMeshEntry();
            if (!whole) return false;
        }
    }

    // Every line up to the closing one is a file name, even an end-of-file line; each is
    // added as it is read, so a block cut short keeps the names before the end.
    bool readTextureBlock() {
        for (;;) {
            if (!readLine()) return false;
            if (begins("FIN_TEXTURE")) return true;
            engine.textures.addTexture(text().c_str(), filterMipmapped, wrapRepeat);
        }
    }

    // Lines by position alone: a keyword inside the block is a name, numbers or ignored.
    bool readCameraBlock() {
        std::string name;
        Vector3 position;
        Vector3 target;
        if (!readText(name) || !readVector(position) || !readVector(target) || !readLine())
            return false;
        engine.cameras.add(name.c_str(), position, target, cameraFieldOfView);
        return true;
    }

    bool readLightBlock() {
        std::string name;
        Vector3 position;
        Vector3 color;
        double radius = 0.0;
        if (!readText(name) || !readVector(position) || !readVector(color) ||
            !readNumber(radius) || !readLine())
            return false;
        // Lights have whole radii: the fraction written in the file is dropped.
        engine.lights.add(name.c_str(), position, color, static_cast<float>(wholeRadius(radius)),
                          lightTag);
        return true;
    }

    // The mesh loader reports its own failures; the scene goes on after them.
    bool readMeshEntry() {
        std::string meshPath;
        if (!readText(meshPath)) return false;
        engine.load(meshPath.c_str());
        return true;
    }

    bool readLine() { return file.readRawLine(lineChars, line); }

    bool begins(const char* keyword) const {
        return line.startsWith(keyword, std::char_traits<char>::length(keyword));
    }

    // The line without its line end, as far as a C string would see it.
    std::string text() const { return std::string(line.text, line.length); }

    bool readText(std::string& out) {
        if (!readLine()) return false;
        out = text();
        return true;
    }

    // A number as read, before it is made a float: "2.99999999" must stay below 3.
    bool readNumber(double& out) {
        if (!readLine()) return false;
        out = readDouble(line.text, line.text + line.length);
        return true;
    }

    // Three numbers, each after the first comma that follows the start of the one before.
    // Values that the line runs out of before read as 0.
    bool readVector(Vector3& out) {
        if (!readLine()) return false;
        const char* at = line.text;
        const char* end = line.text + line.length;
        out.x = takeFloat(at, end);
        out.y = takeFloat(at, end);
        out.z = takeFloat(at, end);
        return true;
    }

    static float takeFloat(const char*& at, const char* end) {
        const float value = readFloat(at, end);
        while (at != end && *at != ',') ++at;
        if (at != end) ++at;
        return value;
    }

    void tellUser(const char* prefix, const char* caption) const {
        const std::string message = std::string(prefix) + path;
        platform::messageBox(message.c_str(), caption, platform::MB_OK);
    }

    const char* path;
    Engine& engine;
    LineReader file;
    Line line;
};

}  // namespace

bool readSceneDescription(Engine& engine, const char* path, std::FILE* stream) {
    SceneDescriptionReader reader(path != nullptr ? path : "", engine);
    return reader.load(stream);
}

void Engine::loadSceneDescription(const char* path) { readSceneDescription(*this, path); }

void Engine::loadSceneDescription(std::FILE* stream, const char* path) {
    readSceneDescription(*this, path, stream);
}
