// Window classes, windows, display modes, device and rendering contexts on SDL2.
#include <SDL.h>
#include <malloc.h>

#include <algorithm>
#include <cctype>

#include "platform/sdl_gl_layer.h"
#include "platform/sdl_state.h"

namespace platform {
using sdl::ensureVideo;
using sdl::findWindow;
using sdl::state;
using sdl::windowOfDeviceContext;

namespace {

std::string lowerCase(const char* text) {
    std::string out = text ? text : "";
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// A display mode of the requested size, if the display offers one (of any refresh rate).
bool findDisplayMode(unsigned width, unsigned height, SDL_DisplayMode& mode) {
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode candidate;
        if (SDL_GetDisplayMode(0, i, &candidate) != 0) continue;
        if (unsigned(candidate.w) == width && unsigned(candidate.h) == height) {
            mode = candidate;
            return true;
        }
    }
    return false;
}

}  // namespace

ModuleHandle getModuleHandle() { return 0x400000; }

bool registerClass(const WindowClass& windowClass) {
    if (windowClass.className == nullptr || windowClass.className[0] == '\0') return false;
    const std::string name = lowerCase(windowClass.className);
    if (state().classes.count(name)) return false;  // registered already, as on Windows
    state().classes[name] = windowClass;
    return true;
}

bool unregisterClass(const char* className, ModuleHandle) {
    return state().classes.erase(lowerCase(className)) == 1;
}

long changeDisplaySettings(const DisplayMode* mode, unsigned flags) {
    if (mode == nullptr) {
        // Back to the desktop: a fullscreen window still open leaves its mode now.
        state().fullscreenRequested = false;
        for (auto& entry : state().windows)
            if (SDL_GetWindowFlags(entry.second.window) & SDL_WINDOW_FULLSCREEN)
                SDL_SetWindowFullscreen(entry.second.window, 0);
        return DISP_CHANGE_SUCCESSFUL;
    }
    if (!(flags & CDS_FULLSCREEN) || !ensureVideo()) return DISP_CHANGE_FAILED;
    SDL_DisplayMode found;
    if (!findDisplayMode(mode->pelsWidth, mode->pelsHeight, found)) return DISP_CHANGE_BADMODE;
    state().fullscreenMode = found;
    state().fullscreenRequested = true;
    return DISP_CHANGE_SUCCESSFUL;
}

int showCursor(bool show) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
    state().cursorHidden = !show;
    return show ? 0 : -1;
}

// SDL sizes windows by their client area and the window manager adds the frame, so the
// rectangle that gives the wanted client area is the client area itself.
bool adjustWindowRectEx(Rect&, unsigned, bool, unsigned) { return true; }

WindowHandle createWindowEx(unsigned, const char* className, const char* title, unsigned style,
                            int x, int y, int width, int height, WindowHandle, ModuleHandle) {
    auto found = state().classes.find(lowerCase(className));
    if (found == state().classes.end() || !ensureVideo()) return 0;

    // The visual is fixed when an X window is made, so the pixel format that the program asks
    // for afterwards is set up here: 8 bits per colour channel, 16-bit depth, double buffer.
    sdl::setPixelFormatAttributes();

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    const bool popup = (style & WS_POPUP) != 0;
    if (popup && state().fullscreenRequested) flags |= SDL_WINDOW_FULLSCREEN;
    if (!popup) flags |= SDL_WINDOW_RESIZABLE;
    if (popup) flags |= SDL_WINDOW_BORDERLESS;

    SDL_Window* window = SDL_CreateWindow(title ? title : "", x, y, width, height, flags);
    if (window == nullptr) return 0;
    if (flags & SDL_WINDOW_FULLSCREEN) SDL_SetWindowDisplayMode(window, &state().fullscreenMode);

    const WindowHandle handle = state().nextHandle++;
    state().windows[handle] = sdl::WindowRecord{window, found->second.procedure};
    return handle;
}

bool destroyWindow(WindowHandle window) {
    sdl::WindowRecord* record = findWindow(window);
    if (record == nullptr) return false;
    SDL_DestroyWindow(record->window);
    state().windows.erase(window);
    // Messages still queued for the window die with it.
    std::erase_if(state().queue, [window](const Message& m) { return m.window == window; });
    return true;
}

bool showWindow(WindowHandle window) {
    sdl::WindowRecord* record = findWindow(window);
    if (record == nullptr) return false;
    SDL_ShowWindow(record->window);
    return true;
}

bool setForegroundWindow(WindowHandle window) {
    sdl::WindowRecord* record = findWindow(window);
    if (record == nullptr) return false;
    SDL_RaiseWindow(record->window);
    return true;
}

WindowHandle setFocus(WindowHandle window) {
    sdl::WindowRecord* record = findWindow(window);
    if (record != nullptr) SDL_SetWindowInputFocus(record->window);
    return 0;
}

LResult defWindowProc(WindowHandle, unsigned, WParam, LParam) { return 0; }

DeviceContext getDC(WindowHandle window) {
    if (findWindow(window) == nullptr) return 0;
    const DeviceContext dc = state().nextHandle++;
    state().deviceContexts[dc] = window;
    return dc;
}

bool releaseDC(WindowHandle window, DeviceContext dc) {
    auto found = state().deviceContexts.find(dc);
    if (found == state().deviceContexts.end() || found->second != window) return false;
    state().deviceContexts.erase(found);
    return true;
}

int choosePixelFormat(DeviceContext dc, const PixelFormatDescriptor& descriptor) {
    if (windowOfDeviceContext(dc) == 0) return 0;
    const unsigned needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if ((descriptor.dwFlags & needed) != needed || descriptor.iPixelType != PFD_TYPE_RGBA)
        return 0;
    return 1;  // the one format the windows are made with
}

bool setPixelFormat(DeviceContext dc, int format, const PixelFormatDescriptor&) {
    return format == 1 && windowOfDeviceContext(dc) != 0;
}

RenderContext createContext(DeviceContext dc) {
    sdl::WindowRecord* record = findWindow(windowOfDeviceContext(dc));
    if (record == nullptr) return 0;
    // SDL makes a new context current; a new rendering context is not current until asked.
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previous = SDL_GL_GetCurrentContext();
    SDL_GLContext context = SDL_GL_CreateContext(record->window);
    SDL_GL_MakeCurrent(previousWindow, previous);
    if (context == nullptr) return 0;
    const RenderContext handle = state().nextHandle++;
    state().renderContexts[handle] = context;
    return handle;
}

bool makeCurrent(DeviceContext dc, RenderContext rc) {
    if (dc == 0 && rc == 0) return SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr) == 0;
    sdl::WindowRecord* record = findWindow(windowOfDeviceContext(dc));
    auto context = state().renderContexts.find(rc);
    if (record == nullptr || context == state().renderContexts.end()) return false;
    const bool made = SDL_GL_MakeCurrent(record->window, context->second) == 0;
    if (made) sdl::tellLayerCurrent(rc);
    return made;
}

bool deleteContext(RenderContext rc) {
    auto context = state().renderContexts.find(rc);
    if (context == state().renderContexts.end()) return false;
    if (SDL_GL_GetCurrentContext() == context->second)
        SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
    SDL_GL_DeleteContext(context->second);
    state().renderContexts.erase(context);
    sdl::tellLayerDeleted(rc);
    // A context takes its textures, lists and compiled state with it. What the driver freed
    // lies scattered in the heap, between blocks still in use: give those pages back, or each
    // display-mode switch leaves the process a little larger than the one before.
    malloc_trim(0);
    return true;
}

bool swapBuffers(DeviceContext dc) {
    sdl::WindowRecord* record = findWindow(windowOfDeviceContext(dc));
    if (record == nullptr) return false;
    sdl::tellLayerBeforeSwap();
    SDL_GL_SwapWindow(record->window);
    return true;
}

}  // namespace platform
