// Window classes, windows, display modes, device and rendering contexts, emulated over the
// host's windows and contexts with the rules and failure values of Windows.
#include <algorithm>

#include "platform/class_names.h"
#include "platform/emulation_state.h"

namespace platform {
namespace emulation {
namespace {
CallWatcher* currentWatcher = nullptr;
}

State& state() {
    static State s;
    return s;
}

WindowRecord* findWindow(WindowHandle window) {
    auto found = state().windows.find(window);
    return found == state().windows.end() ? nullptr : &found->second;
}

WindowRecord* windowOfDeviceContext(DeviceContext dc) {
    auto found = state().deviceContexts.find(dc);
    return found == state().deviceContexts.end() ? nullptr : findWindow(found->second);
}

CallWatcher* watcher() { return currentWatcher; }
void watchCalls(CallWatcher* newWatcher) { currentWatcher = newWatcher; }

void reset() { state() = State{}; }
WindowHandle newestWindow() { return state().newestWindow; }
std::vector<std::string> registeredClasses() {
    std::vector<std::string> out;
    for (const auto& entry : state().classes) out.push_back(entry.first);
    return out;
}

}  // namespace emulation

using emulation::findWindow;
using emulation::state;
using emulation::watched;
using emulation::windowOfDeviceContext;

ModuleHandle getModuleHandle() {
    watched("getModuleHandle");
    return 0x400000;
}

bool registerClass(const WindowClass& c) {
    if (watched("registerClass", c.className, c.style, c.icon, c.cursor, c.backgroundBrush,
                c.menuName))
        return false;
    if (c.className == nullptr || c.className[0] == '\0') return false;
    const std::string name = classKey(c.className);
    if (state().classes.count(name)) return false;  // registered already, as on Windows
    state().classes[name] = c;
    return true;
}

bool unregisterClass(const char* className, ModuleHandle instance) {
    if (watched("unregisterClass", className, instance)) return false;
    return state().classes.erase(classKey(className)) == 1;
}

long changeDisplaySettings(const DisplayMode* mode, unsigned flags) {
    if (mode == nullptr) {
        watched("changeDisplaySettings", "desktop", flags);
        // Back to the desktop: a fullscreen window still open leaves its mode now.
        state().fullscreenRequested = false;
        for (auto& entry : state().windows) {
            if (!entry.second.fullscreen) continue;
            host::leaveFullscreen(entry.second.window);
            entry.second.fullscreen = false;
        }
        return DISP_CHANGE_SUCCESSFUL;
    }
    if (watched("changeDisplaySettings", mode->size, mode->fields, mode->pelsWidth,
                mode->pelsHeight, mode->bitsPerPel, flags))
        return DISP_CHANGE_BADMODE;
    if (!(flags & CDS_FULLSCREEN)) return DISP_CHANGE_FAILED;
    if (!host::hasDisplayMode(int(mode->pelsWidth), int(mode->pelsHeight)))
        return DISP_CHANGE_BADMODE;
    state().fullscreenRequested = true;
    return DISP_CHANGE_SUCCESSFUL;
}

int showCursor(bool show) {
    watched("showCursor", show);
    host::showCursor(show);
    return show ? 0 : -1;
}

// The host sizes windows by their client area and the window manager adds the frame, so the
// rectangle that gives the wanted client area is the client area itself.
bool adjustWindowRectEx(Rect& rect, unsigned style, bool menu, unsigned exStyle) {
    watched("adjustWindowRectEx", rect.right - rect.left, rect.bottom - rect.top, style, menu,
            exStyle);
    return true;
}

WindowHandle createWindowEx(unsigned exStyle, const char* className, const char* title,
                            unsigned style, int x, int y, int width, int height,
                            WindowHandle parent, ModuleHandle instance) {
    if (watched("createWindowEx", exStyle, className, title, style, x, y, width, height, parent,
                instance))
        return 0;
    auto found = state().classes.find(classKey(className));
    if (found == state().classes.end()) return 0;
    host::WindowRequest request;
    request.title = title ? title : "";
    request.x = x;
    request.y = y;
    request.width = width;
    request.height = height;
    request.popup = (style & WS_POPUP) != 0;
    request.fullscreen = request.popup && state().fullscreenRequested;
    const host::Window window = host::openWindow(request);
    if (window == 0) return 0;
    const WindowHandle handle = state().nextHandle++;
    state().windows[handle] =
        emulation::WindowRecord{window, found->second.procedure, request.fullscreen};
    state().newestWindow = handle;
    return handle;
}

bool destroyWindow(WindowHandle window) {
    if (watched("destroyWindow", window)) return false;
    emulation::WindowRecord* record = findWindow(window);
    if (record == nullptr) return false;
    host::closeWindow(record->window);
    state().windows.erase(window);
    // Messages still queued for the window die with it.
    std::erase_if(state().queue, [window](const Message& m) { return m.window == window; });
    return true;
}

bool showWindow(WindowHandle window) {
    watched("showWindow", window);
    emulation::WindowRecord* record = findWindow(window);
    if (record == nullptr) return false;
    host::showWindow(record->window);
    return true;
}

bool setForegroundWindow(WindowHandle window) {
    watched("setForegroundWindow", window);
    emulation::WindowRecord* record = findWindow(window);
    if (record == nullptr) return false;
    host::raiseWindow(record->window);
    return true;
}

WindowHandle setFocus(WindowHandle window) {
    watched("setFocus", window);
    emulation::WindowRecord* record = findWindow(window);
    if (record != nullptr) host::focusWindow(record->window);
    return 0;
}

LResult defWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    watched("defWindowProc", window, message, wParam, lParam);
    return 0;
}

DeviceContext getDC(WindowHandle window) {
    if (watched("getDC", window) || findWindow(window) == nullptr) return 0;
    const DeviceContext dc = state().nextHandle++;
    state().deviceContexts[dc] = window;
    return dc;
}

bool releaseDC(WindowHandle window, DeviceContext dc) {
    if (watched("releaseDC", window, dc)) return false;
    auto found = state().deviceContexts.find(dc);
    if (found == state().deviceContexts.end() || found->second != window) return false;
    state().deviceContexts.erase(found);
    return true;
}

int choosePixelFormat(DeviceContext dc, const PixelFormatDescriptor& d) {
    if (watched("choosePixelFormat", dc, d.nSize, d.nVersion, d.dwFlags, int(d.iPixelType),
                int(d.cColorBits), int(d.cDepthBits), int(d.cStencilBits), int(d.cAccumBits),
                int(d.iLayerType)))
        return 0;
    if (windowOfDeviceContext(dc) == nullptr) return 0;
    const unsigned needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if ((d.dwFlags & needed) != needed || d.iPixelType != PFD_TYPE_RGBA) return 0;
    return 1;  // the one format the windows are made with
}

bool setPixelFormat(DeviceContext dc, int format, const PixelFormatDescriptor&) {
    if (watched("setPixelFormat", dc, format)) return false;
    return format == 1 && windowOfDeviceContext(dc) != nullptr;
}

RenderContext createContext(DeviceContext dc) {
    if (watched("createContext", dc)) return 0;
    emulation::WindowRecord* record = windowOfDeviceContext(dc);
    if (record == nullptr) return 0;
    const host::Context context = host::createContext(record->window);
    if (context == 0) return 0;
    const RenderContext handle = state().nextHandle++;
    state().renderContexts[handle] = context;
    return handle;
}

bool makeCurrent(DeviceContext dc, RenderContext rc) {
    if (watched("makeCurrent", dc, rc)) return false;
    if (dc == 0 && rc == 0) return host::makeCurrent(0, 0);
    emulation::WindowRecord* record = windowOfDeviceContext(dc);
    auto context = state().renderContexts.find(rc);
    if (record == nullptr || context == state().renderContexts.end()) return false;
    return host::makeCurrent(record->window, context->second);
}

bool deleteContext(RenderContext rc) {
    if (watched("deleteContext", rc)) return false;
    auto context = state().renderContexts.find(rc);
    if (context == state().renderContexts.end()) return false;
    host::deleteContext(context->second);
    state().renderContexts.erase(context);
    return true;
}

bool swapBuffers(DeviceContext dc) {
    if (watched("swapBuffers", dc)) return false;
    emulation::WindowRecord* record = windowOfDeviceContext(dc);
    if (record == nullptr) return false;
    host::swapBuffers(record->window);
    return true;
}

void* getProcAddress(const char* name) {
    watched("getProcAddress", name);
    return host::glEntryPoint(name);
}

bool createOffscreenContext(int width, int height) {
    if (watched("createOffscreenContext", width, height)) return false;
    return host::createOffscreenContext(width, height);
}

void destroyOffscreenContext() {
    watched("destroyOffscreenContext");
    host::destroyOffscreenContext();
}

}  // namespace platform
