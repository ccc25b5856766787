// The host's windows, display modes and OpenGL contexts on SDL2.
#include <SDL.h>
#include <malloc.h>

#include "platform/sdl_gl_layer.h"
#include "platform/sdl_state.h"

namespace platform::host {
using sdl::sdlWindow;

namespace {

// A display mode of the requested size, if the display offers one (of any refresh rate).
bool findDisplayMode(int width, int height, SDL_DisplayMode& mode) {
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode candidate;
        if (SDL_GetDisplayMode(0, i, &candidate) != 0) continue;
        if (candidate.w == width && candidate.h == height) {
            mode = candidate;
            return true;
        }
    }
    return false;
}

}  // namespace

bool hasDisplayMode(int width, int height) {
    SDL_DisplayMode mode;
    return sdl::ensureVideo() && findDisplayMode(width, height, mode);
}

Window openWindow(const WindowRequest& request) {
    if (!sdl::ensureVideo()) return 0;
    // The visual is fixed when an X window is made, so the pixel format that the program asks
    // for afterwards is set up here.
    sdl::setPixelFormatAttributes();
    SDL_DisplayMode mode;
    const bool fullscreen =
        request.fullscreen && findDisplayMode(request.width, request.height, mode);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN;
    flags |= request.popup ? SDL_WINDOW_BORDERLESS : SDL_WINDOW_RESIZABLE;
    SDL_Window* window =
        SDL_CreateWindow(request.title, request.x, request.y, request.width, request.height, flags);
    if (window == nullptr) return 0;
    if (fullscreen) SDL_SetWindowDisplayMode(window, &mode);
    return sdl::hostWindow(window);
}

void closeWindow(Window window) { SDL_DestroyWindow(sdlWindow(window)); }
void showWindow(Window window) { SDL_ShowWindow(sdlWindow(window)); }
void raiseWindow(Window window) { SDL_RaiseWindow(sdlWindow(window)); }
void focusWindow(Window window) { SDL_SetWindowInputFocus(sdlWindow(window)); }

void leaveFullscreen(Window window) {
    if (SDL_GetWindowFlags(sdlWindow(window)) & SDL_WINDOW_FULLSCREEN)
        SDL_SetWindowFullscreen(sdlWindow(window), 0);
}

void showCursor(bool show) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

Context createContext(Window window) {
    // SDL makes a new context current; a new rendering context is not current until asked.
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previous = SDL_GL_GetCurrentContext();
    SDL_GLContext context = SDL_GL_CreateContext(sdlWindow(window));
    SDL_GL_MakeCurrent(previousWindow, previous);
    return reinterpret_cast<Context>(context);
}

bool makeCurrent(Window window, Context context) {
    if (window == 0 && context == 0)
        return SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr) == 0;
    const bool made =
        SDL_GL_MakeCurrent(sdlWindow(window), reinterpret_cast<SDL_GLContext>(context)) == 0;
    if (made) tellLayerCurrent(context);
    return made;
}

void deleteContext(Context context) {
    SDL_GLContext gl = reinterpret_cast<SDL_GLContext>(context);
    if (SDL_GL_GetCurrentContext() == gl) SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
    SDL_GL_DeleteContext(gl);
    tellLayerDeleted(context);
    // A context takes its textures, lists and compiled state with it. What the driver freed
    // lies scattered in the heap, between blocks still in use: give those pages back, or each
    // display-mode switch leaves the process a little larger than the one before.
    malloc_trim(0);
}

void swapBuffers(Window window) {
    tellLayerBeforeSwap();
    SDL_GL_SwapWindow(sdlWindow(window));
}

}  // namespace platform::host
