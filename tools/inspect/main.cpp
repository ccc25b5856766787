// vorn-inspect: loads a mesh file (or, with --scene, a scene description) with the engine, in
// an OpenGL context of its own, and prints the engine's lists as JSON; every message box is
// answered with its default button and printed to standard error.
#include <cstdio>
#include <cstring>

#include "engine/engine.h"
#include "image/decode.h"
#include "platform/platform.h"
#include "scenedesc/scene_description_loader.h"
#include "tools/common/printed_message_boxes.h"
#include "tools/inspect/engine_json.h"
#include "tools/common/plain_line_ends.h"
#include "tools/common/version_answer.h"

namespace {

int usage(FILE* out = stderr) {
    std::fprintf(out,
                 "usage: vorn-inspect PATH\n"
                 "       vorn-inspect --scene PATH\n"
                 "Loads the mesh file PATH as the demo would (or the scene description PATH) and\n"
                 "prints what the engine holds as JSON.\n");
    return out == stderr ? 2 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    toolcommon::keepLineEndsPlain();
    if (toolcommon::answeredVersion(argc, argv, "vorn-inspect")) return 0;
    startImageDecoding();
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return usage(stdout);
    const bool scene = argc == 3 && std::strcmp(argv[1], "--scene") == 0;
    if (!(argc == 2 || scene)) return usage();
    const char* path = argv[argc - 1];
    if (path[0] == '\0' || (!scene && path[0] == '-')) return usage();

    platform::setMessageBoxResponder(toolcommon::printAndAnswerMessageBox);
    if (!platform::createOffscreenContext(64, 64)) {
        std::fprintf(stderr, "vorn-inspect: no OpenGL context could be made\n");
        return 1;
    }
    // The engine lives as long as the context its textures belong to.
    static Engine engine;
    engine.init();
    int result;
    if (scene) {
        result = readSceneDescription(engine, path) ? 0 : -1;
        std::printf("%s\n", sceneToJson(engine, result).c_str());
    } else {
        result = engine.load(path);
        std::printf("%s\n", engineToJson(engine, result).c_str());
    }
    platform::destroyOffscreenContext();
    return result == -1 ? 1 : 0;
}
