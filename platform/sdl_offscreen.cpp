// The host's OpenGL entry points, and its context without a visible window: a hidden SDL
// window on a display, or a surfaceless EGL context (Mesa) where there is no display at all.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <SDL.h>

#include <cstdlib>

#include "platform/host.h"
#include "platform/sdl_gl_layer.h"

namespace platform::host {
namespace {

// A hidden window of the host's own with its context, where a display is there...
Window hiddenWindow = 0;
Context hiddenContext = 0;
// ...or a context on no surface at all.
EGLDisplay eglDisplay = EGL_NO_DISPLAY;
EGLContext eglContext = EGL_NO_CONTEXT;

bool createHiddenWindowContext(int width, int height) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') return false;
    WindowRequest request;
    request.title = "vorn offscreen";
    request.width = width;
    request.height = height;
    hiddenWindow = openWindow(request);
    if (hiddenWindow == 0) return false;
    hiddenContext = createContext(hiddenWindow);
    if (hiddenContext != 0 && makeCurrent(hiddenWindow, hiddenContext)) return true;
    // Nothing of a half-made context stays behind for the surfaceless one to inherit.
    if (hiddenContext != 0) deleteContext(hiddenContext);
    closeWindow(hiddenWindow);
    hiddenWindow = 0;
    hiddenContext = 0;
    return false;
}

bool createSurfacelessContext() {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return false;
    eglDisplay = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (eglDisplay == EGL_NO_DISPLAY || !eglInitialize(eglDisplay, nullptr, nullptr))
        return false;
    // Under a GL layer the context is an OpenGL ES 2.0 one, as the windows' are.
    const bool es2 = glLayer() != nullptr;
    if (!eglBindAPI(es2 ? EGL_OPENGL_ES_API : EGL_OPENGL_API)) return false;
    const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                 es2 ? EGL_OPENGL_ES2_BIT : EGL_OPENGL_BIT, EGL_NONE};
    const EGLint es2Attributes[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    EGLConfig config;
    EGLint count = 0;
    if (!eglChooseConfig(eglDisplay, attributes, &config, 1, &count) || count == 0) return false;
    eglContext = eglCreateContext(eglDisplay, config, EGL_NO_CONTEXT, es2 ? es2Attributes : nullptr);
    if (eglContext == EGL_NO_CONTEXT) return false;
    return eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, eglContext);
}

// The key a GL layer knows the surfaceless context by: no window's context has it. The hidden
// window's context is told to the layer by makeCurrent and deleteContext, as every window's is.
constexpr Context surfacelessContextKey = 1;

}  // namespace

bool createOffscreenContext(int width, int height) {
    if (createHiddenWindowContext(width, height)) return true;
    if (!createSurfacelessContext()) return false;
    tellLayerCurrent(surfacelessContextKey);
    return true;
}

void destroyOffscreenContext() {
    if (eglContext != EGL_NO_CONTEXT) tellLayerDeleted(surfacelessContextKey);
    if (hiddenContext != 0) {
        deleteContext(hiddenContext);
        closeWindow(hiddenWindow);
    }
    if (eglContext != EGL_NO_CONTEXT) {
        eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(eglDisplay, eglContext);
        eglTerminate(eglDisplay);
    }
    hiddenWindow = 0;
    hiddenContext = 0;
    eglDisplay = EGL_NO_DISPLAY;
    eglContext = EGL_NO_CONTEXT;
}

}  // namespace platform::host

namespace platform {

void* getDriverProcAddress(const char* name) {
    if (host::eglContext != EGL_NO_CONTEXT)
        return reinterpret_cast<void*>(eglGetProcAddress(name));
    return SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GL_GetProcAddress(name) : nullptr;
}

}  // namespace platform
