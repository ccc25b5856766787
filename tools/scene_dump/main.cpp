// vorn-inspect: loads a mesh file (or, with --scene, a scene description) with the engine, in
// an OpenGL context of its own, and prints the engine's lists as JSON; every message box is
// answered with its default button and printed to standard error.
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/engine.h"
#include "platform/platform.h"
#include "tools/scene_dump/engine_json.h"

namespace {

std::string firstBox;  // the first message box's text, to tell a refused scene description

int answerAndPrint(const char* text, const char* caption, unsigned style) {
    std::fprintf(stderr, "messagebox: %s: %s\n", caption, text);
    if (firstBox.empty()) firstBox = text;
    return (style & 0x0F) == platform::MB_YESNO ? platform::IDYES : platform::IDOK;
}

int usage() {
    std::fprintf(stderr,
                 "usage: vorn-inspect PATH\n"
                 "       vorn-inspect --scene PATH\n"
                 "Loads the mesh file PATH as the demo would (or the scene description PATH) and\n"
                 "prints what the engine holds as JSON.\n");
    return 2;
}

// The scene description loader reports no result: it refused the file when its first word
// to the user was that the file could not be opened or is of no known kind.
bool sceneRefused(const char* path) {
    return firstBox == std::string("Impossible d'ouvrir le fichier ") + path ||
           firstBox == std::string("Fichier Non Valide:  ") + path;
}

}  // namespace

int main(int argc, char** argv) {
    const bool scene = argc == 3 && std::strcmp(argv[1], "--scene") == 0;
    if (!(argc == 2 || scene)) return usage();
    const char* path = argv[argc - 1];
    if (path[0] == '\0' || (!scene && path[0] == '-')) return usage();

    platform::setMessageBoxResponder(answerAndPrint);
    if (!platform::createOffscreenContext(64, 64)) {
        std::fprintf(stderr, "vorn-inspect: no OpenGL context could be made\n");
        return 1;
    }
    // The engine lives as long as the context its textures belong to.
    static Engine engine;
    engine.init();
    firstBox.clear();
    int result;
    if (scene) {
        engine.loadSceneDescription(path);
        result = sceneRefused(path) ? -1 : 0;
        std::printf("%s\n", sceneToJson(engine, result).c_str());
    } else {
        result = engine.load(path);
        std::printf("%s\n", engineToJson(engine, result).c_str());
    }
    platform::destroyOffscreenContext();
    return result == -1 ? 1 : 0;
}
