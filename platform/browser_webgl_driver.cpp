// WebGL 1 as the OpenGL ES 2.0 driver the drawing layer expects. WebGL has no RGBA8
// renderbuffers (OES_rgb8_rgba8 is not offered), which the offscreen pictures draw into: such a
// renderbuffer is a texture of the same size, attached in its place.
#include <GLES2/gl2.h>
#include <emscripten/html5_webgl.h>

#include <cstring>
#include <map>

#include "platform/browser_gl_layer.h"

extern "C" {
void emscripten_glBindRenderbuffer(GLenum target, GLuint renderbuffer);
void emscripten_glRenderbufferStorage(GLenum target, GLenum format, GLsizei width, GLsizei height);
void emscripten_glFramebufferRenderbuffer(GLenum target, GLenum attachment, GLenum rbTarget,
                                          GLuint renderbuffer);
void emscripten_glFramebufferTexture2D(GLenum target, GLenum attachment, GLenum texTarget,
                                       GLuint texture, GLint level);
void emscripten_glDeleteRenderbuffers(GLsizei n, const GLuint* renderbuffers);
void emscripten_glGenTextures(GLsizei n, GLuint* textures);
void emscripten_glDeleteTextures(GLsizei n, const GLuint* textures);
void emscripten_glBindTexture(GLenum target, GLuint texture);
void emscripten_glGetIntegerv(GLenum name, GLint* value);
void emscripten_glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                             GLsizei height, GLint border, GLenum format, GLenum type,
                             const void* pixels);
void emscripten_glTexParameteri(GLenum target, GLenum name, GLint value);
}

namespace platform::browser {
namespace {

constexpr GLenum rgba8 = 0x8058, rgb8 = 0x8051;

GLuint boundRenderbuffer = 0;
std::map<GLuint, GLuint> colourTextures;  // renderbuffer -> the texture standing in for it

void bindRenderbuffer(GLenum target, GLuint renderbuffer) {
    boundRenderbuffer = renderbuffer;
    emscripten_glBindRenderbuffer(target, renderbuffer);
}

void renderbufferStorage(GLenum target, GLenum format, GLsizei width, GLsizei height) {
    if (format != rgba8 && format != rgb8) {
        emscripten_glRenderbufferStorage(target, format, width, height);
        return;
    }
    GLuint& texture = colourTextures[boundRenderbuffer];
    if (texture == 0) emscripten_glGenTextures(1, &texture);
    // The layer keeps its own idea of the bound texture: it is left as it was.
    GLint previous = 0;
    emscripten_glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    emscripten_glBindTexture(GL_TEXTURE_2D, texture);
    emscripten_glTexImage2D(GL_TEXTURE_2D, 0, format == rgb8 ? GL_RGB : GL_RGBA, width, height, 0,
                            format == rgb8 ? GL_RGB : GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    emscripten_glBindTexture(GL_TEXTURE_2D, GLuint(previous));
}

void framebufferRenderbuffer(GLenum target, GLenum attachment, GLenum rbTarget, GLuint renderbuffer) {
    const auto texture = colourTextures.find(renderbuffer);
    if (texture == colourTextures.end())
        emscripten_glFramebufferRenderbuffer(target, attachment, rbTarget, renderbuffer);
    else
        emscripten_glFramebufferTexture2D(target, attachment, GL_TEXTURE_2D, texture->second, 0);
}

void deleteRenderbuffers(GLsizei n, const GLuint* renderbuffers) {
    for (GLsizei i = 0; i < n; ++i) {
        const auto texture = colourTextures.find(renderbuffers[i]);
        if (texture == colourTextures.end()) continue;
        emscripten_glDeleteTextures(1, &texture->second);
        colourTextures.erase(texture);
    }
    emscripten_glDeleteRenderbuffers(n, renderbuffers);
}

}  // namespace

void* driverEntryPoint(const char* name) {
    struct Replaced {
        const char* name;
        void* address;
    };
    static const Replaced replaced[] = {
        {"glBindRenderbuffer", reinterpret_cast<void*>(&bindRenderbuffer)},
        {"glRenderbufferStorage", reinterpret_cast<void*>(&renderbufferStorage)},
        {"glFramebufferRenderbuffer", reinterpret_cast<void*>(&framebufferRenderbuffer)},
        {"glDeleteRenderbuffers", reinterpret_cast<void*>(&deleteRenderbuffers)},
    };
    for (const Replaced& entry : replaced)
        if (std::strcmp(entry.name, name) == 0) return entry.address;
    return emscripten_webgl1_get_proc_address(name);
}

}  // namespace platform::browser
