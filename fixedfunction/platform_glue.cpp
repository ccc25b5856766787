// The layer joined to the program's platform before main runs: the first window already gets
// an OpenGL ES 2.0 context, and the layer hears of every context and swap.
#include "fixedfunction/fixed_function.h"
#include "platform/gl_layer.h"

namespace {

const bool installed = [] {
    fixedfunction::setDriverLookup(&platform::getDriverProcAddress);
    platform::GlLayer layer;
    layer.procAddress = &fixedfunction::procAddress;
    layer.contextCurrent = [](std::uintptr_t context) {
        if (context != 0) fixedfunction::makeContextCurrent(context);
    };
    layer.contextDeleted = &fixedfunction::forgetContext;
    layer.beforeSwap = &fixedfunction::flushCurrentContext;
    platform::installGlLayer(layer);
    return true;
}();

}  // namespace
