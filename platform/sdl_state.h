// What the SDL host's files share: the start of SDL's video subsystem, the pixel format of
// every window, and the host's names for SDL's windows and contexts (their pointers).
#pragma once

#include <SDL.h>

#include "platform/host.h"

namespace platform::sdl {

// Starts SDL's video subsystem once; false when there is no display.
bool ensureVideo();
// The pixel format of every window the program makes, set before the window is made:
// 8 bits per colour channel, 16-bit depth, double buffer, a compatibility-profile context.
void setPixelFormatAttributes();

inline SDL_Window* sdlWindow(host::Window window) { return reinterpret_cast<SDL_Window*>(window); }
inline host::Window hostWindow(SDL_Window* window) { return reinterpret_cast<host::Window>(window); }

}  // namespace platform::sdl
