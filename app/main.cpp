// vorn-demo: the detail-map and bump-map demonstration. It reads no options: --version and
// --help are answered on standard output, any other argument is ignored.
#include <cstdio>
#include <cstring>

#include "app/main_loop.h"
#include "tools/common/version_answer.h"

namespace {

const char* const demoHelp =
    "usage: vorn-demo [--help] [--version]\n"
    "Two textured cubes turn about the origin, with a detail map and a bump map to switch.\n"
    "The demo reads scene/2cube.vno and the images it names from its working folder.\n"
    "Keys: arrows turn the view, keypad 1 detail map, keypad 2 bump map,\n"
    "F1 fullscreen or windowed, Escape quit.\n";

}  // namespace

int main(int argc, char** argv) {
    if (toolcommon::answeredVersion(argc, argv, "vorn-demo")) return 0;
    if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(demoHelp, stdout);
        return 0;
    }
    return runDemo();
}
