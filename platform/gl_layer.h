// A drawing layer between the program and its OpenGL driver (the fixed-function layer on
// OpenGL ES 2): once installed, contexts are made for OpenGL ES 2.0 and the layer follows them.
#pragma once

#include <cstdint>

namespace platform {

struct GlLayer {
    void* (*procAddress)(const char* name) = nullptr;    // the layer's own, asked before the driver
    void (*contextCurrent)(std::uintptr_t context) = nullptr;  // 0 when none is current
    void (*contextDeleted)(std::uintptr_t context) = nullptr;
    void (*beforeSwap)() = nullptr;                          // draw what is pending
};

// Installs the layer for every context made from now on (before the first window).
void installGlLayer(const GlLayer& layer);
// The installed layer, or nullptr.
const GlLayer* glLayer();
// The driver's own entry point, past any layer (each host has its own).
void* getDriverProcAddress(const char* name);
// The layer's own entry point of a GL name, or else the driver's.
void* layerEntryPoint(const char* name);

// What a host tells the installed layer of its contexts and swaps; nothing without a layer.
void tellLayerCurrent(std::uintptr_t context);
void tellLayerDeleted(std::uintptr_t context);
void tellLayerBeforeSwap();

}  // namespace platform
