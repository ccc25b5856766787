// What the SDL platform files share: the registered classes, the windows with their device
// and rendering contexts, the pending display mode and the message queue.
#pragma once

#include <SDL.h>

#include <deque>
#include <map>
#include <string>

#include "platform/platform.h"

namespace platform::sdl {

struct WindowRecord {
    SDL_Window* window = nullptr;
    WindowProcedure procedure = nullptr;
};

struct State {
    std::map<std::string, WindowClass> classes;  // by lower-case name
    std::map<WindowHandle, WindowRecord> windows;
    std::map<DeviceContext, WindowHandle> deviceContexts;
    std::map<RenderContext, SDL_GLContext> renderContexts;
    std::deque<Message> queue;
    bool fullscreenRequested = false;  // a display mode change is in force
    SDL_DisplayMode fullscreenMode{};
    bool cursorHidden = false;
    std::uintptr_t nextHandle = 0x100;
};

State& state();
// Starts SDL's video subsystem once; false when there is no display.
bool ensureVideo();
// The window record of a handle or of a device context; nullptr when unknown.
WindowRecord* findWindow(WindowHandle window);
WindowHandle windowOfDeviceContext(DeviceContext dc);
// The pixel format of every window the program makes, set before the window is made:
// 8 bits per colour channel, 16-bit depth, double buffer, a compatibility-profile context.
void setPixelFormatAttributes();
// Turns pending SDL events into window messages at the end of the queue.
void pumpEvents();

}  // namespace platform::sdl
