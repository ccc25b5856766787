// Finding and running the sibling program of the other renderer, next to this one.
#include "tools/view/renderer_choice.h"

#include <cstdio>
#include <filesystem>

#ifndef _WIN32
#include <unistd.h>
#endif

// Measured on Mesa's llvmpipe (bench/fixedfunction): the system's fixed function is the faster
// of the two on the program's immediate mode, so it stays the default; see the README.
const char* const defaultRenderer = "gl";

int runSiblingRenderer(const std::string& renderer, char** argv) {
#ifdef _WIN32
    (void)argv;
    std::fprintf(stderr, "vorn-view: error: --renderer %s is not there yet on Windows\n", renderer.c_str());
    return 2;
#else
    const std::string name = renderer == "es2" ? "vorn-view-es2" : "vorn-view";
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path sibling = self.parent_path() / name;
    if (error || !std::filesystem::exists(sibling, error)) {
        std::fprintf(stderr, "vorn-view: error: the %s renderer needs %s beside vorn-view\n", renderer.c_str(),
                     name.c_str());
        return 1;
    }
    const std::string path = sibling.string();
    execv(path.c_str(), argv);
    std::fprintf(stderr, "vorn-view: error: %s could not be started\n", path.c_str());
    return 1;
#endif
}
