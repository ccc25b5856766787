// The context attributes an installed GL layer needs of the SDL host.
#pragma once

#include "platform/gl_layer.h"

namespace platform::sdl {

// The context profile of the next context: compatibility, or OpenGL ES 2.0 under a layer.
void setContextProfile();

}  // namespace platform::sdl
