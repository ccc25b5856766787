// An OpenGL context without a visible window: a hidden SDL window on a display, or a
// surfaceless EGL context (Mesa) where there is no display at all.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <SDL.h>

#include <cstdlib>

#include "platform/sdl_gl_layer.h"
#include "platform/sdl_state.h"

namespace platform {
namespace {

struct Offscreen {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    EGLDisplay eglDisplay = EGL_NO_DISPLAY;
    EGLContext eglContext = EGL_NO_CONTEXT;
};

Offscreen& offscreen() {
    static Offscreen s;
    return s;
}

bool createHiddenWindowContext(int width, int height) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0' || !sdl::ensureVideo()) return false;
    sdl::setPixelFormatAttributes();
    Offscreen& o = offscreen();
    o.window = SDL_CreateWindow("vorn offscreen", 0, 0, width, height,
                                SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (o.window == nullptr) return false;
    o.context = SDL_GL_CreateContext(o.window);
    if (o.context == nullptr) {
        SDL_DestroyWindow(o.window);
        o.window = nullptr;
        return false;
    }
    return SDL_GL_MakeCurrent(o.window, o.context) == 0;
}

bool createSurfacelessContext() {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return false;
    Offscreen& o = offscreen();
    o.eglDisplay = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (o.eglDisplay == EGL_NO_DISPLAY || !eglInitialize(o.eglDisplay, nullptr, nullptr))
        return false;
    // Under a GL layer the context is an OpenGL ES 2.0 one, as the windows' are.
    const bool es2 = glLayer() != nullptr;
    if (!eglBindAPI(es2 ? EGL_OPENGL_ES_API : EGL_OPENGL_API)) return false;
    const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                 es2 ? EGL_OPENGL_ES2_BIT : EGL_OPENGL_BIT, EGL_NONE};
    const EGLint es2Attributes[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    EGLConfig config;
    EGLint count = 0;
    if (!eglChooseConfig(o.eglDisplay, attributes, &config, 1, &count) || count == 0) return false;
    o.eglContext = eglCreateContext(o.eglDisplay, config, EGL_NO_CONTEXT, es2 ? es2Attributes : nullptr);
    if (o.eglContext == EGL_NO_CONTEXT) return false;
    return eglMakeCurrent(o.eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, o.eglContext);
}

}  // namespace

// The key a GL layer knows the offscreen context by: no window's context has it.
constexpr std::uintptr_t kOffscreenContextKey = 1;

bool createOffscreenContext(int width, int height) {
    const bool made = createHiddenWindowContext(width, height) || createSurfacelessContext();
    if (made) sdl::tellLayerCurrent(kOffscreenContextKey);
    return made;
}

void destroyOffscreenContext() {
    Offscreen& o = offscreen();
    if (o.context != nullptr || o.eglContext != EGL_NO_CONTEXT) sdl::tellLayerDeleted(kOffscreenContextKey);
    if (o.context != nullptr) {
        SDL_GL_MakeCurrent(o.window, nullptr);
        SDL_GL_DeleteContext(o.context);
        SDL_DestroyWindow(o.window);
    }
    if (o.eglContext != EGL_NO_CONTEXT) {
        eglMakeCurrent(o.eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(o.eglDisplay, o.eglContext);
        eglTerminate(o.eglDisplay);
    }
    o = Offscreen{};
}

void* getDriverProcAddress(const char* name) {
    if (offscreen().eglContext != EGL_NO_CONTEXT)
        return reinterpret_cast<void*>(eglGetProcAddress(name));
    return SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GL_GetProcAddress(name) : nullptr;
}

}  // namespace platform
