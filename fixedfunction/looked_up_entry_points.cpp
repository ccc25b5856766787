// The entry points a program looks up by name instead of linking: the multitexture ones of
// GL_ARB_multitexture and the framebuffer-object ones of the offscreen pictures, which pass
// through to the driver once the batch before them is drawn.
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

#include "fixedfunction/context.h"
#include "fixedfunction/fixed_function.h"

using fixedfunction::current;

extern "C" {

void APIENTRY glGenFramebuffers(GLsizei n, GLuint* names) { current().driverTable().GenFramebuffers(n, names); }
void APIENTRY glDeleteFramebuffers(GLsizei n, const GLuint* names) {
    current().flush();
    current().driverTable().DeleteFramebuffers(n, names);
}
void APIENTRY glBindFramebuffer(GLenum target, GLuint framebuffer) { current().bindFramebuffer(target, framebuffer); }
void APIENTRY glGenRenderbuffers(GLsizei n, GLuint* names) { current().driverTable().GenRenderbuffers(n, names); }
void APIENTRY glDeleteRenderbuffers(GLsizei n, const GLuint* names) {
    current().flush();
    current().driverTable().DeleteRenderbuffers(n, names);
}
void APIENTRY glBindRenderbuffer(GLenum target, GLuint name) { current().driverTable().BindRenderbuffer(target, name); }
void APIENTRY glRenderbufferStorage(GLenum target, GLenum format, GLsizei width, GLsizei height) {
    current().driverTable().RenderbufferStorage(target, format, width, height);
}
void APIENTRY glFramebufferRenderbuffer(GLenum target, GLenum attachment, GLenum renderbufferTarget,
                                        GLuint renderbuffer) {
    current().driverTable().FramebufferRenderbuffer(target, attachment, renderbufferTarget, renderbuffer);
}
GLenum APIENTRY glCheckFramebufferStatus(GLenum target) {
    return current().driverTable().CheckFramebufferStatus(target);
}

}  // extern "C"

namespace fixedfunction {

void* procAddress(const char* name) {
    struct Entry {
        const char* name;
        void* address;
    };
    static const Entry entries[] = {
        {"glActiveTextureARB", reinterpret_cast<void*>(&glActiveTextureARB)},
        {"glActiveTexture", reinterpret_cast<void*>(&glActiveTexture)},
        {"glClientActiveTextureARB", reinterpret_cast<void*>(&glClientActiveTextureARB)},
        {"glClientActiveTexture", reinterpret_cast<void*>(&glClientActiveTexture)},
        {"glMultiTexCoord2fARB", reinterpret_cast<void*>(&glMultiTexCoord2fARB)},
        {"glMultiTexCoord2f", reinterpret_cast<void*>(&glMultiTexCoord2f)},
        {"glGenFramebuffers", reinterpret_cast<void*>(&glGenFramebuffers)},
        {"glDeleteFramebuffers", reinterpret_cast<void*>(&glDeleteFramebuffers)},
        {"glBindFramebuffer", reinterpret_cast<void*>(&glBindFramebuffer)},
        {"glGenRenderbuffers", reinterpret_cast<void*>(&glGenRenderbuffers)},
        {"glDeleteRenderbuffers", reinterpret_cast<void*>(&glDeleteRenderbuffers)},
        {"glBindRenderbuffer", reinterpret_cast<void*>(&glBindRenderbuffer)},
        {"glRenderbufferStorage", reinterpret_cast<void*>(&glRenderbufferStorage)},
        {"glFramebufferRenderbuffer", reinterpret_cast<void*>(&glFramebufferRenderbuffer)},
        {"glCheckFramebufferStatus", reinterpret_cast<void*>(&glCheckFramebufferStatus)},
    };
    if (name == nullptr) return nullptr;
    for (const Entry& entry : entries)
        if (std::strcmp(entry.name, name) == 0) return entry.address;
    return nullptr;
}

}  // namespace fixedfunction
