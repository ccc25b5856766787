// The OpenGL ES 2.0 calls the layer makes, as a table filled from the driver's own lookup:
// the layer's entry points carry the GL names, so the driver's are reached through here.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

namespace fixedfunction {

#define VORN_ES2_FUNCTIONS(X)                                                                    \
    X(void, ActiveTexture, (GLenum texture))                                                    \
    X(void, AttachShader, (GLuint program, GLuint shader))                                      \
    X(void, BindAttribLocation, (GLuint program, GLuint index, const GLchar* name))             \
    X(void, BindBuffer, (GLenum target, GLuint buffer))                                         \
    X(void, BindFramebuffer, (GLenum target, GLuint framebuffer))                               \
    X(void, BindRenderbuffer, (GLenum target, GLuint renderbuffer))                             \
    X(void, BindTexture, (GLenum target, GLuint texture))                                       \
    X(void, BufferData, (GLenum target, GLsizeiptr size, const void* data, GLenum usage))      \
    X(void, BufferSubData, (GLenum target, GLintptr offset, GLsizeiptr size, const void* data)) \
    X(GLenum, CheckFramebufferStatus, (GLenum target))                                          \
    X(void, Clear, (GLbitfield mask))                                                           \
    X(void, ClearColor, (GLfloat r, GLfloat g, GLfloat b, GLfloat a))                           \
    X(void, ClearDepthf, (GLfloat depth))                                                       \
    X(void, CompileShader, (GLuint shader))                                                     \
    X(GLuint, CreateProgram, (void))                                                            \
    X(GLuint, CreateShader, (GLenum type))                                                      \
    X(void, DeleteBuffers, (GLsizei n, const GLuint* buffers))                                  \
    X(void, DeleteFramebuffers, (GLsizei n, const GLuint* framebuffers))                        \
    X(void, DeleteProgram, (GLuint program))                                                    \
    X(void, DeleteRenderbuffers, (GLsizei n, const GLuint* renderbuffers))                      \
    X(void, DeleteShader, (GLuint shader))                                                      \
    X(void, DeleteTextures, (GLsizei n, const GLuint* textures))                                \
    X(void, DepthFunc, (GLenum func))                                                           \
    X(void, DepthMask, (GLboolean flag))                                                        \
    X(void, Disable, (GLenum cap))                                                              \
    X(void, DisableVertexAttribArray, (GLuint index))                                           \
    X(void, DrawArrays, (GLenum mode, GLint first, GLsizei count))                              \
    X(void, Enable, (GLenum cap))                                                               \
    X(void, EnableVertexAttribArray, (GLuint index))                                            \
    X(void, Finish, (void))                                                                     \
    X(void, Flush, (void))                                                                      \
    X(void, FramebufferRenderbuffer, (GLenum target, GLenum attachment, GLenum rbtarget,        \
                                      GLuint renderbuffer))                                     \
    X(void, GenBuffers, (GLsizei n, GLuint* buffers))                                           \
    X(void, GenFramebuffers, (GLsizei n, GLuint* framebuffers))                                 \
    X(void, GenRenderbuffers, (GLsizei n, GLuint* renderbuffers))                               \
    X(void, GenTextures, (GLsizei n, GLuint* textures))                                         \
    X(GLenum, GetError, (void))                                                                 \
    X(void, GetIntegerv, (GLenum pname, GLint* data))                                           \
    X(void, GetProgramInfoLog, (GLuint program, GLsizei size, GLsizei* length, GLchar* log))   \
    X(void, GetProgramiv, (GLuint program, GLenum pname, GLint* params))                        \
    X(void, GetShaderInfoLog, (GLuint shader, GLsizei size, GLsizei* length, GLchar* log))     \
    X(void, GetShaderiv, (GLuint shader, GLenum pname, GLint* params))                          \
    X(const GLubyte*, GetString, (GLenum name))                                                 \
    X(GLint, GetUniformLocation, (GLuint program, const GLchar* name))                          \
    X(void, LinkProgram, (GLuint program))                                                      \
    X(void, PixelStorei, (GLenum pname, GLint param))                                           \
    X(void, ReadPixels, (GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type,   \
                         void* pixels))                                                         \
    X(void, RenderbufferStorage, (GLenum target, GLenum format, GLsizei w, GLsizei h))         \
    X(void, ShaderSource, (GLuint shader, GLsizei count, const GLchar* const* string,           \
                           const GLint* length))                                                \
    X(void, TexImage2D, (GLenum target, GLint level, GLint internalformat, GLsizei w,           \
                         GLsizei h, GLint border, GLenum format, GLenum type,                   \
                         const void* pixels))                                                   \
    X(void, TexParameteri, (GLenum target, GLenum pname, GLint param))                          \
    X(void, TexSubImage2D, (GLenum target, GLint level, GLint x, GLint y, GLsizei w, GLsizei h,   \
                            GLenum format, GLenum type, const void* pixels))                    \
    X(void, Uniform1i, (GLint location, GLint v0))                                              \
    X(void, Uniform2fv, (GLint location, GLsizei count, const GLfloat* value))                  \
    X(void, Uniform4fv, (GLint location, GLsizei count, const GLfloat* value))                  \
    X(void, UniformMatrix4fv, (GLint location, GLsizei count, GLboolean transpose,              \
                               const GLfloat* value))                                           \
    X(void, UseProgram, (GLuint program))                                                       \
    X(void, VertexAttribPointer, (GLuint index, GLint size, GLenum type, GLboolean normalized,  \
                                  GLsizei stride, const void* pointer))                         \
    X(void, Viewport, (GLint x, GLint y, GLsizei width, GLsizei height))

struct Driver {
#define VORN_ES2_MEMBER(result, name, parameters) result(APIENTRY* name) parameters = nullptr;
    VORN_ES2_FUNCTIONS(VORN_ES2_MEMBER)
#undef VORN_ES2_MEMBER

    // Every entry does nothing (and returns 0) until loaded: a call made with no context
    // current does nothing, as the system's GL does then.
    Driver();
    // Fills every entry the lookup finds ("glActiveTexture" and so on); false if one is missing.
    bool load(void* (*lookup)(const char* name));
};

}  // namespace fixedfunction
