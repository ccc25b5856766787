// Preloaded into the program under test: counts the frames it presents, so that a test can tell
// drawing from not drawing. The count is written, fixed-width, to the file VORN_SWAP_COUNT_FILE.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

using SwapWindow = void (*)(void*);

int countFile() {
    static const int fd = [] {
        const char* path = std::getenv("VORN_SWAP_COUNT_FILE");
        return path ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
    }();
    return fd;
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(void* window) {
    static const auto next = reinterpret_cast<SwapWindow>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    static unsigned long long swaps = 0;
    if (next != nullptr) next(window);
    char text[24];
    const int length = std::snprintf(text, sizeof text, "%20llu\n", ++swaps);
    if (countFile() >= 0 && length > 0) (void)!pwrite(countFile(), text, std::size_t(length), 0);
}
