// The installed GL layer and the SDL platform's calls into it.
#include "platform/sdl_gl_layer.h"

#include <SDL.h>

#include "platform/host.h"

namespace platform {
namespace {

GlLayer installed;
bool isInstalled = false;

}  // namespace

void installGlLayer(const GlLayer& layer) {
    installed = layer;
    isInstalled = true;
}

const GlLayer* glLayer() { return isInstalled ? &installed : nullptr; }

// The host's entry points: the layer's own first, then the driver's.
void* host::glEntryPoint(const char* name) {
    if (isInstalled && installed.procAddress != nullptr)
        if (void* own = installed.procAddress(name)) return own;
    return getDriverProcAddress(name);
}

namespace sdl {

void setContextProfile() {
    if (!isInstalled) {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        return;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
}

void tellLayerCurrent(std::uintptr_t context) {
    if (isInstalled && installed.contextCurrent != nullptr) installed.contextCurrent(context);
}

void tellLayerDeleted(std::uintptr_t context) {
    if (isInstalled && installed.contextDeleted != nullptr) installed.contextDeleted(context);
}

void tellLayerBeforeSwap() {
    if (isInstalled && installed.beforeSwap != nullptr) installed.beforeSwap();
}

}  // namespace sdl
}  // namespace platform
