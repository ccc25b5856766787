// The browser host's driver beneath the drawing layer (the fixed-function layer on WebGL):
// WebGL's entry points, looked up past the layer.
#pragma once

#include <cstdint>

#include "platform/gl_layer.h"

namespace platform::browser {

// WebGL's entry point of an OpenGL ES 2.0 name, made to behave as the layer expects.
void* driverEntryPoint(const char* name);

}  // namespace platform::browser
