// Window classes, windows, display modes, device and rendering contexts on Win32 and WGL.
// Each class registered through here gets one real window procedure, which hands every
// message its windows receive to the procedure the program gave for the class.
#include <map>
#include <string>

#include "platform/class_names.h"
#include "platform/win32_api.h"

namespace platform {
using win32::handleOf;

namespace {

// The program's procedures by class name; Windows compares class names without case.
std::map<std::string, WindowProcedure>& procedures() {
    static std::map<std::string, WindowProcedure> byClass;
    return byClass;
}

LRESULT CALLBACK classProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    char name[256];
    if (GetClassNameA(window, name, sizeof name) > 0) {
        auto found = procedures().find(classKey(name));
        if (found != procedures().end() && found->second != nullptr)
            return found->second(handleOf(window), message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

namespace win32 {
PIXELFORMATDESCRIPTOR toWindows(const PixelFormatDescriptor& d) {
    PIXELFORMATDESCRIPTOR w{};
    w.nSize = sizeof w;
    w.nVersion = d.nVersion;
    w.dwFlags = d.dwFlags;
    w.iPixelType = d.iPixelType;
    w.cColorBits = d.cColorBits;
    w.cRedBits = d.cRedBits;
    w.cRedShift = d.cRedShift;
    w.cGreenBits = d.cGreenBits;
    w.cGreenShift = d.cGreenShift;
    w.cBlueBits = d.cBlueBits;
    w.cBlueShift = d.cBlueShift;
    w.cAlphaBits = d.cAlphaBits;
    w.cAlphaShift = d.cAlphaShift;
    w.cAccumBits = d.cAccumBits;
    w.cAccumRedBits = d.cAccumRedBits;
    w.cAccumGreenBits = d.cAccumGreenBits;
    w.cAccumBlueBits = d.cAccumBlueBits;
    w.cAccumAlphaBits = d.cAccumAlphaBits;
    w.cDepthBits = d.cDepthBits;
    w.cStencilBits = d.cStencilBits;
    w.cAuxBuffers = d.cAuxBuffers;
    w.iLayerType = d.iLayerType;
    w.bReserved = d.bReserved;
    w.dwLayerMask = d.dwLayerMask;
    w.dwVisibleMask = d.dwVisibleMask;
    w.dwDamageMask = d.dwDamageMask;
    return w;
}
}  // namespace win32

ModuleHandle getModuleHandle() { return handleOf(GetModuleHandleA(nullptr)); }

bool registerClass(const WindowClass& windowClass) {
    if (windowClass.className == nullptr || windowClass.className[0] == '\0') return false;
    WNDCLASSA w{};
    w.style = windowClass.style;
    w.lpfnWndProc = classProcedure;
    w.cbClsExtra = windowClass.classExtraBytes;
    w.cbWndExtra = windowClass.windowExtraBytes;
    w.hInstance = reinterpret_cast<HINSTANCE>(windowClass.instance);
    w.hIcon = windowClass.icon ? LoadIconA(nullptr, MAKEINTRESOURCEA(windowClass.icon)) : nullptr;
    w.hCursor =
        windowClass.cursor ? LoadCursorA(nullptr, MAKEINTRESOURCEA(windowClass.cursor)) : nullptr;
    w.hbrBackground = windowClass.backgroundBrush ? GetSysColorBrush(COLOR_WINDOW) : nullptr;
    w.lpszMenuName = windowClass.menuName;
    w.lpszClassName = windowClass.className;
    if (RegisterClassA(&w) == 0) return false;
    procedures()[classKey(windowClass.className)] = windowClass.procedure;
    return true;
}

bool unregisterClass(const char* className, ModuleHandle instance) {
    if (!UnregisterClassA(className, reinterpret_cast<HINSTANCE>(instance))) return false;
    procedures().erase(classKey(className));
    return true;
}

long changeDisplaySettings(const DisplayMode* mode, unsigned flags) {
    if (mode == nullptr) return ChangeDisplaySettingsA(nullptr, flags);
    DEVMODEA w{};
    w.dmSize = sizeof w;
    w.dmFields = mode->fields;
    w.dmBitsPerPel = mode->bitsPerPel;
    w.dmPelsWidth = mode->pelsWidth;
    w.dmPelsHeight = mode->pelsHeight;
    return ChangeDisplaySettingsA(&w, flags);
}

int showCursor(bool show) { return ShowCursor(show); }

bool adjustWindowRectEx(Rect& rect, unsigned style, bool menu, unsigned exStyle) {
    RECT w{LONG(rect.left), LONG(rect.top), LONG(rect.right), LONG(rect.bottom)};
    if (!AdjustWindowRectEx(&w, style, menu, exStyle)) return false;
    rect = Rect{w.left, w.top, w.right, w.bottom};
    return true;
}

WindowHandle createWindowEx(unsigned exStyle, const char* className, const char* title,
                            unsigned style, int x, int y, int width, int height,
                            WindowHandle parent, ModuleHandle instance) {
    return handleOf(CreateWindowExA(exStyle, className, title, style, x, y, width, height,
                                    win32::window(parent), nullptr,
                                    reinterpret_cast<HINSTANCE>(instance), nullptr));
}

bool destroyWindow(WindowHandle window) { return DestroyWindow(win32::window(window)); }

// ShowWindow answers whether the window was visible before; success is whether it is now.
bool showWindow(WindowHandle window) {
    ShowWindow(win32::window(window), SW_SHOW);
    return IsWindowVisible(win32::window(window));
}

bool setForegroundWindow(WindowHandle window) {
    return SetForegroundWindow(win32::window(window));
}

WindowHandle setFocus(WindowHandle window) { return handleOf(SetFocus(win32::window(window))); }

LResult defWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    return DefWindowProcA(win32::window(window), message, wParam, lParam);
}

DeviceContext getDC(WindowHandle window) { return handleOf(GetDC(win32::window(window))); }

bool releaseDC(WindowHandle window, DeviceContext dc) {
    return ReleaseDC(win32::window(window), win32::deviceContext(dc)) == 1;
}

int choosePixelFormat(DeviceContext dc, const PixelFormatDescriptor& descriptor) {
    const PIXELFORMATDESCRIPTOR w = win32::toWindows(descriptor);
    return ChoosePixelFormat(win32::deviceContext(dc), &w);
}

bool setPixelFormat(DeviceContext dc, int format, const PixelFormatDescriptor& descriptor) {
    const PIXELFORMATDESCRIPTOR w = win32::toWindows(descriptor);
    return SetPixelFormat(win32::deviceContext(dc), format, &w);
}

RenderContext createContext(DeviceContext dc) {
    return handleOf(wglCreateContext(win32::deviceContext(dc)));
}

bool makeCurrent(DeviceContext dc, RenderContext rc) {
    return wglMakeCurrent(win32::deviceContext(dc), win32::renderContext(rc));
}

bool deleteContext(RenderContext rc) { return wglDeleteContext(win32::renderContext(rc)); }

bool swapBuffers(DeviceContext dc) { return SwapBuffers(win32::deviceContext(dc)); }

void* getProcAddress(const char* name) {
    PROC found = wglGetProcAddress(name);
    // Some drivers answer 1, 2, 3 or -1 for "not found"; OpenGL 1.1 functions are not theirs
    // to give but opengl32's own exports.
    const auto value = reinterpret_cast<std::intptr_t>(found);
    if (value >= -1 && value <= 3) found = GetProcAddress(GetModuleHandleA("opengl32.dll"), name);
    return reinterpret_cast<void*>(found);
}

}  // namespace platform
