// The browser host's windows and contexts: a canvas of the page for each window, a WebGL 1
// context on it, fullscreen through the page's Fullscreen API, and the frame handed to the
// browser at each swap.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <string>

#include "platform/browser_gl_layer.h"
#include "platform/host.h"

namespace platform::host {
namespace {

EM_JS(int, pageOpenWindow, (int width, int height), {
    return window.vornPage.openWindow(width, height);
});
EM_JS(void, pageCloseWindow, (int id), { window.vornPage.closeWindow(id); });
EM_JS(void, pageShowWindow, (int id), { window.vornPage.showWindow(id); });
EM_JS(void, pageMarkFullscreen, (int id), { window.vornPage.markFullscreen(id); });
EM_JS(void, pageLeaveFullscreen, (), { window.vornPage.leaveFullscreen(); });
EM_JS(void, pageShowCursor, (int show), {
    document.body.classList.toggle('vorn-no-cursor', !show);
});
EM_ASYNC_JS(int, pageEnterFullscreen, (), {
    return (await window.vornPage.enterFullscreen()) ? 1 : 0;
});
// The frame is shown when the browser gets control back; the program goes on at the next
// frame the browser draws, which a hidden page never does.
EM_ASYNC_JS(void, pageNextFrame, (), {
    window.vornPage.framesShown++;
    await new Promise((resolve) => requestAnimationFrame(() => resolve()));
});

std::string canvasSelector(Window window) { return "#vorn-window-" + std::to_string(window); }

}  // namespace

// A browser has no display modes: fullscreen is the page's, granted or refused by the browser
// from the user's click or key press just before.
bool hasDisplayMode(int width, int height) {
    if (width <= 0 || height <= 0) return false;
    return pageEnterFullscreen() != 0;
}

Window openWindow(const WindowRequest& request) {
    const int id = pageOpenWindow(request.width, request.height);
    if (id <= 0) return 0;
    // The canvas keeps its pixels in fullscreen too, scaled by the page with its aspect kept.
    if (request.fullscreen) pageMarkFullscreen(id);
    return Window(id);
}

void closeWindow(Window window) { pageCloseWindow(int(window)); }
void showWindow(Window window) { pageShowWindow(int(window)); }
void raiseWindow(Window) {}
void focusWindow(Window window) { pageShowWindow(int(window)); }
void leaveFullscreen(Window) { pageLeaveFullscreen(); }
void showCursor(bool show) { pageShowCursor(show ? 1 : 0); }

Context createContext(Window window) {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    // The pixel format the programs use everywhere: 8 bits a channel, a depth buffer, no
    // smoothing of edges that Mesa's pictures do not have either.
    attributes.alpha = false;
    attributes.depth = true;
    attributes.stencil = false;
    attributes.antialias = false;
    attributes.premultipliedAlpha = false;
    // What was drawn stays readable after it is shown: pictures and tests read it back.
    attributes.preserveDrawingBuffer = true;
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    const std::string selector = canvasSelector(window);
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
        emscripten_webgl_create_context(selector.c_str(), &attributes);
    if (context <= 0) return 0;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE previous = emscripten_webgl_get_current_context();
    emscripten_webgl_make_context_current(previous);
    return Context(context);
}

bool makeCurrent(Window window, Context context) {
    if (window == 0 && context == 0) {
        emscripten_webgl_make_context_current(0);
        tellLayerCurrent(0);
        return true;
    }
    if (emscripten_webgl_make_context_current(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE(context)) !=
        EMSCRIPTEN_RESULT_SUCCESS)
        return false;
    tellLayerCurrent(context);
    return true;
}

void deleteContext(Context context) {
    tellLayerDeleted(context);
    const auto handle = EMSCRIPTEN_WEBGL_CONTEXT_HANDLE(context);
    // The canvas would hand the same context back, with every texture in it: lose it for good.
    emscripten_webgl_make_context_current(handle);
    EM_ASM({
        const context = GL.currentContext && GL.currentContext.GLctx;
        const loser = context && context.getExtension('WEBGL_lose_context');
        if (loser) loser.loseContext();
    });
    emscripten_webgl_make_context_current(0);
    emscripten_webgl_destroy_context(handle);
}

void swapBuffers(Window) {
    tellLayerBeforeSwap();
    pageNextFrame();
}

void* glEntryPoint(const char* name) { return layerEntryPoint(name); }

namespace {
Window offscreenWindow = 0;
Context offscreenContext = 0;
}  // namespace

// A canvas the page never shows, with its context: the viewer's pictures are drawn there.
bool createOffscreenContext(int width, int height) {
    WindowRequest request;
    request.width = width;
    request.height = height;
    offscreenWindow = openWindow(request);
    if (offscreenWindow == 0) return false;
    offscreenContext = createContext(offscreenWindow);
    if (offscreenContext != 0 && makeCurrent(offscreenWindow, offscreenContext)) return true;
    destroyOffscreenContext();
    return false;
}

void destroyOffscreenContext() {
    if (offscreenContext != 0) deleteContext(offscreenContext);
    if (offscreenWindow != 0) closeWindow(offscreenWindow);
    offscreenContext = 0;
    offscreenWindow = 0;
}

}  // namespace platform::host
