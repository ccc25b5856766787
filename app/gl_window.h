// The one application window with its device context and OpenGL rendering context: opening
// and closing, the fullscreen display mode, viewport and perspective, and the window procedure.
#pragma once

#include "app/shell_program.h"
#include "platform/platform.h"

extern platform::ModuleHandle moduleInstance;
extern platform::WindowHandle mainWindow;
extern platform::DeviceContext deviceContext;
extern platform::RenderContext renderContext;

// True when the window, context and GL state are ready and the program's start-up has run.
bool openGlWindow(ShellProgram& program, const char* title, int width, int height, int bits,
                  bool fullscreen);
// Releases whatever opening acquired; safe with any subset acquired.
void closeGlWindow();
// Viewport and perspective projection for a client area.
void resizeView(int width, int height);
// The initial GL state, then the program's start-up; always true.
bool initGlState(ShellProgram& program);
platform::LResult windowProcedure(platform::WindowHandle window, unsigned message,
                                  platform::WParam wParam, platform::LParam lParam);

// Forgets the pixel format filled by the first opening (tests open many windows).
void resetPixelFormat();
