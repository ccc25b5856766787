// vorn-view: shows a scene description or a mesh file with its cameras and lights, in a window
// or, with --frames and --screenshot, as a picture drawn without showing anything.
#include <cstdio>
#include <string>

#include "image/decode.h"
#include "tools/view/renderer_choice.h"
#include "tools/view/view_options.h"
#include "tools/view/viewer.h"
#include "tools/common/plain_line_ends.h"
#include "tools/common/version_answer.h"

int main(int argc, char** argv) {
    toolcommon::keepLineEndsPlain();
    if (toolcommon::answeredVersion(argc, argv, "vorn-view")) return 0;
    startImageDecoding();
    ViewOptions options;
    std::string error;
    switch (parseViewOptions(argc, argv, options, error)) {
    case ParseOutcome::help:
        std::fputs(viewUsage, stdout);
        return 0;
    case ParseOutcome::usageError:
        std::fprintf(stderr, "vorn-view: error: %s\n%s", error.c_str(), viewUsage);
        return 2;
    case ParseOutcome::run:
        break;
    }
    const std::string renderer = options.renderer.empty() ? defaultRenderer : options.renderer;
    if (renderer != builtRenderer) return runSiblingRenderer(renderer, argv);
    return options.headless() ? runViewerPicture(options) : runViewerWindow(options);
}
