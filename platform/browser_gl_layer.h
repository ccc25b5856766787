// What the browser host tells the drawing layer on WebGL (the fixed-function layer) about its
// contexts and swaps, and the entry points it looks up past the layer.
#pragma once

#include <cstdint>

#include "platform/gl_layer.h"

namespace platform::browser {

void tellLayerCurrent(std::uintptr_t context);
void tellLayerDeleted(std::uintptr_t context);
void tellLayerBeforeSwap();
// The layer's own entry point of a GL name, or the driver's.
void* entryPoint(const char* name);
// WebGL's entry point of an OpenGL ES 2.0 name, made to behave as the layer expects.
void* driverEntryPoint(const char* name);

}  // namespace platform::browser
