// The SDL host's side of a GL layer: OpenGL ES 2.0 contexts under it, its entry points first.
#include "platform/sdl_gl_layer.h"

#include <SDL.h>

#include "platform/host.h"

namespace platform {

void* host::glEntryPoint(const char* name) { return layerEntryPoint(name); }

namespace sdl {

void setContextProfile() {
    if (glLayer() == nullptr) {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        return;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
}

}  // namespace sdl
}  // namespace platform
