// The fixed-function layer: OpenGL 1.1 and GLU entry points under their own names, drawn
// through OpenGL ES 2.0 (or WebGL 1). A program links it in place of the system's GL and GLU;
// its glue tells the layer how to reach the driver and which context is current.
#pragma once

#include <cstdint>
#include <string>

namespace fixedfunction {

class Context;
struct Driver;
using ProcLookup = void* (*)(const char* name);

// Where the driver's own OpenGL ES 2.0 functions are found, for every context made after.
void setDriverLookup(ProcLookup lookup);
// The context made current (any nonzero key of the caller's); the layer makes its own state
// for a key it has not seen. forgetContext drops one whose driver context is gone.
void makeContextCurrent(std::uintptr_t key);
void forgetContext(std::uintptr_t key);
// For tests: the context of `key` draws through the given driver table from now on.
void makeContextCurrent(std::uintptr_t key, const Driver& driver);
// The current context (one made on first use when none was named).
Context& currentContext();
// Draws whatever the current context still holds: before a buffer swap.
void flushCurrentContext();

// The layer's own entry point of a GL name ("glActiveTextureARB"), nullptr when it has none.
void* procAddress(const char* name);

// The extension string: what the layer implements, less the extensions hidden; textures of
// any size when the driver beneath takes them (OpenGL ES 3, or GL_OES_texture_npot). Hiding
// works as Mesa's MESA_EXTENSION_OVERRIDE: VORN_GL_EXTENSION_OVERRIDE="-GL_EXT_texture_env_dot3
// ...", or hideExtension from a test.
std::string offeredExtensions(bool driverTakesAnySize);
void hideExtension(const std::string& name);
void showAllExtensions();

}  // namespace fixedfunction
