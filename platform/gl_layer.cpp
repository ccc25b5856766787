// The installed GL layer and what every host tells it: one record for the SDL and browser hosts.
#include "platform/gl_layer.h"

namespace platform {
namespace {

GlLayer installed;
bool isInstalled = false;

}  // namespace

void installGlLayer(const GlLayer& layer) {
    installed = layer;
    isInstalled = true;
}

const GlLayer* glLayer() { return isInstalled ? &installed : nullptr; }

void* layerEntryPoint(const char* name) {
    if (isInstalled && installed.procAddress != nullptr)
        if (void* own = installed.procAddress(name)) return own;
    return getDriverProcAddress(name);
}

void tellLayerCurrent(std::uintptr_t context) {
    if (isInstalled && installed.contextCurrent != nullptr) installed.contextCurrent(context);
}

void tellLayerDeleted(std::uintptr_t context) {
    if (isInstalled && installed.contextDeleted != nullptr) installed.contextDeleted(context);
}

void tellLayerBeforeSwap() {
    if (isInstalled && installed.beforeSwap != nullptr) installed.beforeSwap();
}

}  // namespace platform
