// The window system, GDI, WGL and kernel services the program needs, on our own narrow terms.
// On Windows the API itself answers; elsewhere one emulation of it over a host (win32_emulation.h).
#pragma once

#include <cstdint>

namespace platform {

// Opaque handles; 0 means "none", as the null handles of the Windows API.
using ModuleHandle = std::uintptr_t;
using WindowHandle = std::uintptr_t;
using DeviceContext = std::uintptr_t;
using RenderContext = std::uintptr_t;
using FontHandle = std::uintptr_t;

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;
using WindowProcedure = LResult (*)(WindowHandle, unsigned message, WParam, LParam);

// Window messages, with the Windows values.
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_ACTIVATE = 0x0006;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_QUIT = 0x0012;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_SYSKEYDOWN = 0x0104;
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_SYSCOMMAND = 0x0112;
constexpr unsigned WM_MOUSEMOVE = 0x0200;  // lParam: x | y << 16 in client pixels
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_MOUSEWHEEL = 0x020A;  // high word of wParam: signed steps of WHEEL_DELTA
constexpr WParam MK_LBUTTON = 0x0001;
constexpr int WHEEL_DELTA = 120;

constexpr WParam SC_SCREENSAVE = 0xF140;
constexpr WParam SC_MONITORPOWER = 0xF170;
constexpr WParam WA_INACTIVE = 0;
constexpr WParam WA_ACTIVE = 1;

// Virtual-key codes.
constexpr unsigned VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10,
                   VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14,
                   VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22,
                   VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27,
                   VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_NUMPAD0 = 0x60,
                   VK_NUMPAD1 = 0x61, VK_NUMPAD2 = 0x62, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B,
                   VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F, VK_F1 = 0x70,
                   VK_F12 = 0x7B;

// Message box styles and answers.
constexpr unsigned MB_OK = 0x00, MB_YESNO = 0x04, MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20,
                   MB_ICONEXCLAMATION = 0x30, MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1, IDYES = 6, IDNO = 7;

// Window class and window styles.
constexpr unsigned CS_VREDRAW = 0x0001, CS_HREDRAW = 0x0002, CS_OWNDC = 0x0020;
constexpr unsigned WS_POPUP = 0x80000000u, WS_CLIPSIBLINGS = 0x04000000u,
                   WS_CLIPCHILDREN = 0x02000000u, WS_OVERLAPPEDWINDOW = 0x00CF0000u;
constexpr unsigned WS_EX_WINDOWEDGE = 0x00000100u, WS_EX_APPWINDOW = 0x00040000u;
constexpr int IDI_WINLOGO = 32517, IDC_ARROW = 32512;

// Display settings.
constexpr unsigned CDS_FULLSCREEN = 0x04;
constexpr long DISP_CHANGE_SUCCESSFUL = 0, DISP_CHANGE_FAILED = -1, DISP_CHANGE_BADMODE = -2;
constexpr unsigned DM_BITSPERPEL = 0x00040000u, DM_PELSWIDTH = 0x00080000u,
                   DM_PELSHEIGHT = 0x00100000u;

// Pixel format.
constexpr unsigned PFD_DOUBLEBUFFER = 0x01, PFD_DRAW_TO_WINDOW = 0x04, PFD_SUPPORT_OPENGL = 0x20;
constexpr unsigned char PFD_TYPE_RGBA = 0, PFD_MAIN_PLANE = 0;

// Fonts.
constexpr int FW_BOLD = 700;
constexpr unsigned ANSI_CHARSET = 0, OUT_TT_PRECIS = 4, CLIP_DEFAULT_PRECIS = 0,
                   ANTIALIASED_QUALITY = 4, DEFAULT_PITCH = 0, FF_DONTCARE = 0;

struct WindowClass {
    unsigned style = 0;
    WindowProcedure procedure = nullptr;
    int classExtraBytes = 0;
    int windowExtraBytes = 0;
    ModuleHandle instance = 0;
    int icon = 0;
    int cursor = 0;
    bool backgroundBrush = false;
    const char* menuName = nullptr;
    const char* className = nullptr;
};

struct Rect {
    long left = 0, top = 0, right = 0, bottom = 0;
};

struct DisplayMode {
    unsigned size = 0;  // the structure's size, 148 as on Windows
    unsigned fields = 0;
    unsigned bitsPerPel = 0;
    unsigned pelsWidth = 0;
    unsigned pelsHeight = 0;
};
constexpr unsigned DISPLAY_MODE_SIZE = 148;

struct PixelFormatDescriptor {
    unsigned short nSize = 0, nVersion = 0;
    unsigned dwFlags = 0;
    unsigned char iPixelType = 0, cColorBits = 0, cRedBits = 0, cRedShift = 0, cGreenBits = 0,
                  cGreenShift = 0, cBlueBits = 0, cBlueShift = 0, cAlphaBits = 0,
                  cAlphaShift = 0, cAccumBits = 0, cAccumRedBits = 0, cAccumGreenBits = 0,
                  cAccumBlueBits = 0, cAccumAlphaBits = 0, cDepthBits = 0, cStencilBits = 0,
                  cAuxBuffers = 0, iLayerType = 0, bReserved = 0;
    unsigned dwLayerMask = 0, dwVisibleMask = 0, dwDamageMask = 0;
};
constexpr unsigned short PIXEL_FORMAT_DESCRIPTOR_SIZE = 40;

struct Message {
    WindowHandle window = 0;
    unsigned message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
};

struct FontRequest {
    int height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
    bool italic = false, underline = false, strikeOut = false;
    unsigned charSet = 0, outputPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
    const char* faceName = nullptr;
};

// Process module and window class.
ModuleHandle getModuleHandle();
bool registerClass(const WindowClass& windowClass);
bool unregisterClass(const char* className, ModuleHandle instance);

// Display mode: a mode, or nullptr to return to the desktop's own.
long changeDisplaySettings(const DisplayMode* mode, unsigned flags);
int showCursor(bool show);

// Windows.
bool adjustWindowRectEx(Rect& rect, unsigned style, bool menu, unsigned exStyle);
WindowHandle createWindowEx(unsigned exStyle, const char* className, const char* title,
                            unsigned style, int x, int y, int width, int height,
                            WindowHandle parent, ModuleHandle instance);
bool destroyWindow(WindowHandle window);
bool showWindow(WindowHandle window);
bool setForegroundWindow(WindowHandle window);
WindowHandle setFocus(WindowHandle window);
LResult defWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam);

// Device context, pixel format and OpenGL rendering context.
DeviceContext getDC(WindowHandle window);
bool releaseDC(WindowHandle window, DeviceContext dc);
int choosePixelFormat(DeviceContext dc, const PixelFormatDescriptor& descriptor);
bool setPixelFormat(DeviceContext dc, int format, const PixelFormatDescriptor& descriptor);
RenderContext createContext(DeviceContext dc);
bool makeCurrent(DeviceContext dc, RenderContext rc);
bool deleteContext(RenderContext rc);
bool swapBuffers(DeviceContext dc);
void* getProcAddress(const char* name);

// A current OpenGL context with no visible window, for tools and tests: a hidden window when a
// display is there, a surfaceless context when there is none. False when neither can be had.
bool createOffscreenContext(int width, int height);
void destroyOffscreenContext();

// Message queue.
bool peekMessage(Message& message);  // takes the next message off the queue, if any
bool translateMessage(const Message& message);
LResult dispatchMessage(const Message& message);
void postQuitMessage(int exitCode);

// Modal message box; text and caption are Windows-1252 or UTF-8 bytes. Enter answers the
// first button, Escape the last.
int messageBox(const char* text, const char* caption, unsigned style);
// Tools that run without a user answer every box themselves: the responder gets the text and
// caption as UTF-8 and returns the answer; nullptr shows real boxes again.
using MessageBoxResponder = int (*)(const char* text, const char* caption, unsigned style);
void setMessageBoxResponder(MessageBoxResponder responder);

// Timing.
bool queryPerformanceFrequency(std::int64_t& frequency);
bool queryPerformanceCounter(std::int64_t& count);
void sleep(unsigned milliseconds);

// Bitmap fonts: a font, its selection into a device context, and one display list per glyph.
// prepareFonts has the font list read on a thread of its own while the program goes on (opens
// its window), so that the first createFont does not wait for all of it; optional.
void prepareFonts();
FontHandle createFont(const FontRequest& request);
FontHandle selectObject(DeviceContext dc, FontHandle font);
bool useFontBitmaps(DeviceContext dc, unsigned first, unsigned count, unsigned listBase);
// Releases a font made by createFont, with whatever it holds, and takes it out of every device
// context it is selected into. False for a handle that names no font (0, or released already).
bool deleteObject(FontHandle font);

}  // namespace platform
