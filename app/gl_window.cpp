// Opening and closing the window and its rendering context, every failure told in its box.
#include "app/gl_window.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>

#include "app/frame.h"
#include "app/shell_state.h"

using namespace platform;

ModuleHandle moduleInstance = 0;
WindowHandle mainWindow = 0;
DeviceContext deviceContext = 0;
RenderContext renderContext = 0;

namespace {

PixelFormatDescriptor pixelFormat;
bool pixelFormatFilled = false;

void errorBox(const char* text) { messageBox(text, "ERROR", MB_OK | MB_ICONEXCLAMATION); }
void shutdownBox(const char* text) {
    messageBox(text, "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION);
}

// Closes what the failed step left open, then says what failed.
bool failOpening(const char* text) {
    closeGlWindow();
    errorBox(text);
    return false;
}

void fillPixelFormat(int bits) {
    pixelFormat = PixelFormatDescriptor{};
    pixelFormat.nSize = PIXEL_FORMAT_DESCRIPTOR_SIZE;
    pixelFormat.nVersion = 1;
    pixelFormat.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pixelFormat.iPixelType = PFD_TYPE_RGBA;
    pixelFormat.cColorBits = static_cast<unsigned char>(bits);
    pixelFormat.cDepthBits = 16;
    pixelFormat.iLayerType = PFD_MAIN_PLANE;
    pixelFormatFilled = true;
}

// Client coordinates are signed 16-bit words: left of or above the window they are negative.
void trackMouse(unsigned message, WParam wParam, LParam lParam) {
    const int x = std::int16_t(lParam & 0xFFFF);
    const int y = std::int16_t((lParam >> 16) & 0xFFFF);
    if (message == WM_MOUSEMOVE && mouse.leftDown && (wParam & MK_LBUTTON)) {
        mouse.dragX += x - mouse.x;
        mouse.dragY += y - mouse.y;
    }
    if (message == WM_LBUTTONDOWN) mouse.leftDown = true;
    if (message == WM_LBUTTONUP || !(wParam & MK_LBUTTON)) mouse.leftDown = false;
    mouse.x = x;
    mouse.y = y;
}

}  // namespace

void resetPixelFormat() { pixelFormatFilled = false; }

bool openGlWindow(ShellProgram& program, const char* title, int width, int height, int bits,
                  bool fullscreen) {
    Rect rectangle{0, 0, width, height};
    fullscreenMode = fullscreen;
    moduleInstance = getModuleHandle();

    WindowClass windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.procedure = windowProcedure;
    windowClass.instance = moduleInstance;
    windowClass.icon = IDI_WINLOGO;
    windowClass.cursor = IDC_ARROW;
    windowClass.className = "OpenGL";
    if (!registerClass(windowClass)) {
        errorBox("Failed To Register The Window Class.");
        return false;
    }

    if (fullscreenMode) {
        DisplayMode mode;
        mode.size = DISPLAY_MODE_SIZE;
        mode.pelsWidth = unsigned(width);
        mode.pelsHeight = unsigned(height);
        mode.bitsPerPel = unsigned(bits);
        mode.fields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        if (changeDisplaySettings(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) {
            if (messageBox("The Requested Fullscreen Mode Is Not Supported By\n"
                           "Your Video Card. Use Windowed Mode Instead?",
                           "Kovo GL", MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
                fullscreenMode = false;
            } else {
                messageBox("Program Will Now Close.", "ERROR", MB_OK | MB_ICONSTOP);
                return false;
            }
        }
    }

    unsigned exStyle, style;
    if (fullscreenMode) {
        exStyle = WS_EX_APPWINDOW;
        style = WS_POPUP;
        showCursor(false);
    } else {
        exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
        style = WS_OVERLAPPEDWINDOW;
    }
    adjustWindowRectEx(rectangle, style, false, exStyle);

    mainWindow = createWindowEx(exStyle, "OpenGl", title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                0, 0, int(rectangle.right - rectangle.left),
                                int(rectangle.bottom - rectangle.top), 0, moduleInstance);
    if (mainWindow == 0) return failOpening("Window Creation Error.");

    if (!pixelFormatFilled) fillPixelFormat(bits);

    deviceContext = getDC(mainWindow);
    if (deviceContext == 0) return failOpening("Can't Create A GL Device Context.");
    const int format = choosePixelFormat(deviceContext, pixelFormat);
    if (format == 0) return failOpening("Can't Find A Suitable PixelFormat.");
    if (!setPixelFormat(deviceContext, format, pixelFormat))
        return failOpening("Can't Set The PixelFormat.");
    renderContext = createContext(deviceContext);
    if (renderContext == 0) return failOpening("Can't Create A GL Rendering Context.");
    if (!makeCurrent(deviceContext, renderContext))
        return failOpening("Can't Activate The GL Rendering Context.");

    showWindow(mainWindow);
    setForegroundWindow(mainWindow);
    setFocus(mainWindow);
    resizeView(width, height);
    if (!initGlState(program)) return failOpening("Initialization Failed.");
    return true;
}

void closeGlWindow() {
    if (fullscreenMode) {
        changeDisplaySettings(nullptr, 0);
        showCursor(true);
    }
    if (renderContext != 0) {
        stopShell();
        if (!makeCurrent(0, 0)) shutdownBox("Release Of DC And RC Failed.");
        if (!deleteContext(renderContext)) shutdownBox("Release Rendering Context Failed.");
        renderContext = 0;
    }
    if (deviceContext != 0) {
        if (!releaseDC(mainWindow, deviceContext)) shutdownBox("Release Device Context Failed.");
        deviceContext = 0;
    }
    if (mainWindow != 0) {
        if (!destroyWindow(mainWindow)) shutdownBox("Could Not Release hWnd.");
        mainWindow = 0;
    }
    if (!unregisterClass("OpenGL", moduleInstance)) shutdownBox("Could Not Unregister Class.");
    moduleInstance = 0;
}

void resizeView(int width, int height) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(54.0, double(width) / double(height), double(0.1f), 2000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool initGlState(ShellProgram& program) {
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_POLYGON_SMOOTH);
    program.start();
    return true;
}

LResult windowProcedure(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_ACTIVATE:
        // Losing the focus alone does not stop drawing; only minimising does.
        windowActive = ((wParam >> 16) & 0xFFFF) == 0;
        return 0;
    case WM_SYSCOMMAND:
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
        break;
    case WM_CLOSE:
        postQuitMessage(0);
        return 0;
    case WM_KEYDOWN:
        keyDown[wParam & 0xFF] = true;
        return 0;
    case WM_KEYUP:
        keyDown[wParam & 0xFF] = false;
        return 0;
    case WM_SIZE:
        resizeView(int(lParam & 0xFFFF), int((lParam >> 16) & 0xFFFF));
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        trackMouse(message, wParam, lParam);
        break;  // noted, and handled by default as Windows does
    case WM_MOUSEWHEEL:
        mouse.wheelSteps += std::int16_t((wParam >> 16) & 0xFFFF) / WHEEL_DELTA;
        break;
    default:
        break;
    }
    return defWindowProc(window, message, wParam, lParam);
}
