// What the SDL platform files tell an installed GL layer, and the context attributes it needs.
#pragma once

#include "platform/gl_layer.h"

namespace platform::sdl {

// The context profile of the next context: compatibility, or OpenGL ES 2.0 under a layer.
void setContextProfile();
void tellLayerCurrent(std::uintptr_t context);
void tellLayerDeleted(std::uintptr_t context);
void tellLayerBeforeSwap();

}  // namespace platform::sdl
