// The browser host's driver beneath a drawing layer: WebGL, under Emscripten's emscripten_gl*
// names, which the layer's GL names do not hide.
#include "platform/browser_gl_layer.h"

namespace platform {

void* getDriverProcAddress(const char* name) { return browser::driverEntryPoint(name); }

}  // namespace platform
