// vorn-inspect: loads a mesh file with the engine, in an OpenGL context of its own, and prints
// the engine's lists as JSON; every message box is answered and printed to standard error.
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/engine.h"
#include "platform/platform.h"
#include "tools/inspect/engine_json.h"

namespace {

int answerAndPrint(const char* text, const char* caption, unsigned style) {
    std::fprintf(stderr, "messagebox: %s: %s\n", caption, text);
    return (style & 0x0F) == platform::MB_YESNO ? platform::IDYES : platform::IDOK;
}

int usage() {
    std::fprintf(stderr,
                 "usage: vorn-inspect PATH\n"
                 "Loads the mesh file PATH as the demo would and prints what the engine holds "
                 "as JSON.\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '\0' || std::strcmp(argv[1], "--help") == 0) return usage();
    const char* path = argv[1];

    platform::setMessageBoxResponder(answerAndPrint);
    if (!platform::createOffscreenContext(64, 64)) {
        std::fprintf(stderr, "vorn-inspect: no OpenGL context could be made\n");
        return 1;
    }
    // The engine is made here, after the image library's allocator is in place, and lives
    // as long as the context its textures belong to.
    static Engine engine;
    engine.init();
    const int result = engine.load(path);
    std::printf("%s\n", engineToJson(engine, result).c_str());
    platform::destroyOffscreenContext();
    return result == -1 ? 1 : 0;
}
