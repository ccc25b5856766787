// The start of SDL's video subsystem and the pixel format of the host's windows.
#include "platform/sdl_state.h"
#include "platform/sdl_gl_layer.h"

#include <cstdio>
#include <cstring>

namespace platform::sdl {

bool ensureVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    // A fullscreen window keeps its display mode and goes on drawing when it loses the focus;
    // SDL would otherwise minimise it and give the desktop mode back.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "vorn: no display: %s\n", SDL_GetError());
        return false;
    }
    // Where the display cannot be reached, SDL falls back to drivers that show nothing: the
    // demo would then draw, unseen and without end, into memory. No display is no window.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "offscreen") == 0 ||
        std::strcmp(driver, "dummy") == 0) {
        std::fprintf(stderr, "vorn: no display to show a window on\n");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    return true;
}

void setPixelFormatAttributes() {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    setContextProfile();
}

}  // namespace platform::sdl
