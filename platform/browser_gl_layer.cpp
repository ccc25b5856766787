// The installed drawing layer and the browser host's calls into it; the driver is WebGL, under
// Emscripten's emscripten_gl* names, which the layer's GL names do not hide.
#include "platform/browser_gl_layer.h"

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

void* getDriverProcAddress(const char* name) { return browser::driverEntryPoint(name); }

namespace browser {

void tellLayerCurrent(std::uintptr_t context) {
    if (isInstalled && installed.contextCurrent != nullptr) installed.contextCurrent(context);
}

void tellLayerDeleted(std::uintptr_t context) {
    if (isInstalled && installed.contextDeleted != nullptr) installed.contextDeleted(context);
}

void tellLayerBeforeSwap() {
    if (isInstalled && installed.beforeSwap != nullptr) installed.beforeSwap();
}

void* entryPoint(const char* name) {
    if (isInstalled && installed.procAddress != nullptr)
        if (void* own = installed.procAddress(name)) return own;
    return getDriverProcAddress(name);
}

}  // namespace browser
}  // namespace platform
