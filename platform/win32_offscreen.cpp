// An OpenGL context without a visible window: a window that is never shown, with its own
// pixel format and context.
#include "platform/win32_api.h"

namespace platform {
namespace {

constexpr const char* offscreenClass = "VornOffscreen";

struct Offscreen {
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
};

Offscreen& offscreen() {
    static Offscreen s;
    return s;
}

bool makeContext(Offscreen& o) {
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cDepthBits = 24;
    format.iLayerType = PFD_MAIN_PLANE;
    const int chosen = ChoosePixelFormat(o.dc, &format);
    if (chosen == 0 || !SetPixelFormat(o.dc, chosen, &format)) return false;
    o.context = wglCreateContext(o.dc);
    return o.context != nullptr && wglMakeCurrent(o.dc, o.context);
}

}  // namespace

bool createOffscreenContext(int width, int height) {
    Offscreen& o = offscreen();
    if (o.context != nullptr) return false;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = offscreenClass;
    if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    o.window = CreateWindowExA(0, offscreenClass, "vorn offscreen", WS_OVERLAPPEDWINDOW, 0, 0,
                               width, height, nullptr, nullptr, instance, nullptr);
    if (o.window != nullptr) o.dc = GetDC(o.window);
    if (o.dc != nullptr && makeContext(o)) return true;
    destroyOffscreenContext();
    return false;
}

void destroyOffscreenContext() {
    Offscreen& o = offscreen();
    if (o.context != nullptr) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(o.context);
    }
    if (o.dc != nullptr) ReleaseDC(o.window, o.dc);
    if (o.window != nullptr) DestroyWindow(o.window);
    o = Offscreen{};
}

}  // namespace platform
