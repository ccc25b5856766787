// The driver's OpenGL extensions: whole-word lookup in the extension string, and the
// multitexture entry points that material application and mesh drawing go through.
#pragma once

#include <GL/gl.h>

// With the driver's calling convention: on 32-bit Windows the callee clears the stack.
using MultiTexCoord2fProc = void(APIENTRY*)(GLenum unit, GLfloat s, GLfloat t);
using ActiveTextureProc = void(APIENTRY*)(GLenum unit);
using ClientActiveTextureProc = void(APIENTRY*)(GLenum unit);

struct GlExtensions {
    const GLubyte* extensionString = nullptr;  // as at the last capture; owned by the driver
    MultiTexCoord2fProc multiTexCoord2f = nullptr;
    ActiveTextureProc activeTexture = nullptr;
    ClientActiveTextureProc clientActiveTexture = nullptr;

    // Keeps the current context's extension string.
    void capture();
    // Whether `name` is a whole word of the driver's extension string (read anew).
    bool isSupported(const char* name) const;
    // Fetches the three multitexture entry points when GL_ARB_multitexture is reported.
    bool initMultitexture();
    // Both texture_env_combine and texture_env_dot3 are reported.
    bool supportsDot3Bump() const;
    // Texture units can be selected and addressed: both entry points we call are present.
    bool hasMultitexture() const { return activeTexture != nullptr && multiTexCoord2f != nullptr; }
};

// The whole-word search itself, on any extension string (nullptr: none).
bool extensionListContains(const char* extensions, const char* name);
