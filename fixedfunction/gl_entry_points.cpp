// The OpenGL 1.1 entry points (and the multitexture and framebuffer ones the program looks
// up), each handing its call to the current context, or to the display list being compiled.
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

#include "fixedfunction/context.h"
#include "fixedfunction/fixed_function.h"

using fixedfunction::Context;
using fixedfunction::current;

// Runs `body` with `c` the current context, or records it into the list being compiled.
#define VORN_LISTED(body)                                                           \
    do {                                                                            \
        Context& c = current();                                                     \
        if (c.compilingList()) {                                                    \
            c.record([=](Context& c) { body; });                                    \
            if (!c.executingWhileCompiling()) return;                               \
        }                                                                           \
        body;                                                                       \
    } while (false)

// Calls that are never compiled into lists: they run at once.
#define VORN_IMMEDIATE(body) \
    do {                     \
        Context& c = current(); \
        body;                \
    } while (false)

extern "C" {

void APIENTRY glBegin(GLenum mode) { VORN_LISTED(c.begin(mode)); }
void APIENTRY glEnd() { VORN_LISTED(c.end()); }
void APIENTRY glVertex2f(GLfloat x, GLfloat y) { VORN_LISTED(c.vertex(x, y, 0.0f)); }
void APIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z) { VORN_LISTED(c.vertex(x, y, z)); }
void APIENTRY glVertex3fv(const GLfloat* v) { glVertex3f(v[0], v[1], v[2]); }
void APIENTRY glVertex3d(GLdouble x, GLdouble y, GLdouble z) { glVertex3f(GLfloat(x), GLfloat(y), GLfloat(z)); }
void APIENTRY glColor3f(GLfloat r, GLfloat g, GLfloat b) { VORN_LISTED(c.color(r, g, b, 1.0f)); }
void APIENTRY glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { VORN_LISTED(c.color(r, g, b, a)); }
void APIENTRY glColor3fv(const GLfloat* v) { glColor3f(v[0], v[1], v[2]); }
void APIENTRY glColor3ub(GLubyte r, GLubyte g, GLubyte b) {
    glColor3f(GLfloat(r) / 255.0f, GLfloat(g) / 255.0f, GLfloat(b) / 255.0f);
}
void APIENTRY glNormal3f(GLfloat x, GLfloat y, GLfloat z) { VORN_LISTED(c.normal(x, y, z)); }
void APIENTRY glNormal3fv(const GLfloat* v) { glNormal3f(v[0], v[1], v[2]); }
void APIENTRY glTexCoord2f(GLfloat s, GLfloat t) { VORN_LISTED(c.texCoord(GL_TEXTURE0, s, t)); }
void APIENTRY glTexCoord2fv(const GLfloat* v) { glTexCoord2f(v[0], v[1]); }
void APIENTRY glMultiTexCoord2fARB(GLenum unit, GLfloat s, GLfloat t) { VORN_LISTED(c.texCoord(unit, s, t)); }
void APIENTRY glMultiTexCoord2f(GLenum unit, GLfloat s, GLfloat t) { glMultiTexCoord2fARB(unit, s, t); }
void APIENTRY glActiveTextureARB(GLenum unit) { VORN_LISTED(c.activeTexture(unit)); }
void APIENTRY glActiveTexture(GLenum unit) { glActiveTextureARB(unit); }
void APIENTRY glClientActiveTextureARB(GLenum unit) { VORN_IMMEDIATE(c.clientActiveTexture(unit)); }
void APIENTRY glClientActiveTexture(GLenum unit) { glClientActiveTextureARB(unit); }

void APIENTRY glMatrixMode(GLenum mode) { VORN_LISTED(c.matrixMode(mode)); }
void APIENTRY glLoadIdentity() { VORN_LISTED(c.loadIdentity()); }
void APIENTRY glLoadMatrixf(const GLfloat* m) {
    fixedfunction::Matrix matrix;
    std::memcpy(matrix.m.data(), m, sizeof matrix.m);
    VORN_LISTED(c.loadIdentity(); c.multiplyMatrix(matrix));
}
void APIENTRY glMultMatrixf(const GLfloat* m) {
    fixedfunction::Matrix matrix;
    std::memcpy(matrix.m.data(), m, sizeof matrix.m);
    VORN_LISTED(c.multiplyMatrix(matrix));
}
void APIENTRY glMultMatrixd(const GLdouble* m) {
    fixedfunction::Matrix matrix;
    for (int i = 0; i < 16; ++i) matrix.m[std::size_t(i)] = GLfloat(m[i]);
    VORN_LISTED(c.multiplyMatrix(matrix));
}
void APIENTRY glPushMatrix() { VORN_LISTED(c.pushMatrix()); }
void APIENTRY glPopMatrix() { VORN_LISTED(c.popMatrix()); }
void APIENTRY glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) { VORN_LISTED(c.rotate(a, x, y, z)); }
void APIENTRY glRotated(GLdouble a, GLdouble x, GLdouble y, GLdouble z) {
    glRotatef(GLfloat(a), GLfloat(x), GLfloat(y), GLfloat(z));
}
void APIENTRY glTranslatef(GLfloat x, GLfloat y, GLfloat z) { VORN_LISTED(c.translate(x, y, z)); }
void APIENTRY glTranslated(GLdouble x, GLdouble y, GLdouble z) { glTranslatef(GLfloat(x), GLfloat(y), GLfloat(z)); }
void APIENTRY glScalef(GLfloat x, GLfloat y, GLfloat z) { VORN_LISTED(c.scale(x, y, z)); }
void APIENTRY glScaled(GLdouble x, GLdouble y, GLdouble z) { glScalef(GLfloat(x), GLfloat(y), GLfloat(z)); }
void APIENTRY glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    VORN_LISTED(c.ortho(l, r, b, t, n, f));
}
void APIENTRY glFrustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    VORN_LISTED(c.frustum(l, r, b, t, n, f));
}

void APIENTRY glEnable(GLenum capability) { VORN_LISTED(c.setEnabled(capability, true)); }
void APIENTRY glDisable(GLenum capability) { VORN_LISTED(c.setEnabled(capability, false)); }
GLboolean APIENTRY glIsEnabled(GLenum capability) { return current().isEnabled(capability) ? GL_TRUE : GL_FALSE; }
void APIENTRY glShadeModel(GLenum mode) { VORN_LISTED(c.shadeModel(mode)); }
void APIENTRY glHint(GLenum target, GLenum mode) { VORN_LISTED(c.hint(target, mode)); }
void APIENTRY glDepthFunc(GLenum function) { VORN_LISTED(c.depthFunc(function)); }
void APIENTRY glClear(GLbitfield mask) { VORN_LISTED(c.clear(mask)); }
void APIENTRY glClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { VORN_LISTED(c.clearColor(r, g, b, a)); }
void APIENTRY glClearDepth(GLclampd depth) { VORN_LISTED(c.clearDepth(depth)); }
void APIENTRY glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    VORN_LISTED(c.viewport(x, y, width, height));
}
void APIENTRY glFinish() { VORN_IMMEDIATE(c.finish()); }
void APIENTRY glFlush() { VORN_IMMEDIATE(c.flush()); }
GLenum APIENTRY glGetError() { return current().takeError(); }
void APIENTRY glGetIntegerv(GLenum name, GLint* values) { VORN_IMMEDIATE(c.getIntegerv(name, values)); }
void APIENTRY glGetFloatv(GLenum name, GLfloat* values) { VORN_IMMEDIATE(c.getFloatv(name, values)); }
const GLubyte* APIENTRY glGetString(GLenum name) { return current().getString(name); }
// The window's back buffer or the framebuffer's one attachment is all the program draws to
// and reads from: OpenGL ES picks the same buffers by itself.
void APIENTRY glDrawBuffer(GLenum) {}
void APIENTRY glReadBuffer(GLenum) {}

void APIENTRY glTexEnvf(GLenum target, GLenum name, GLfloat value) { VORN_LISTED(c.texEnv(target, name, value)); }
void APIENTRY glTexEnvi(GLenum target, GLenum name, GLint value) {
    VORN_LISTED(c.texEnv(target, name, GLfloat(value)));
}
void APIENTRY glTexEnvfv(GLenum target, GLenum name, const GLfloat* values) {
    if (name == GL_TEXTURE_ENV_COLOR) {
        const std::array<GLfloat, 4> color{values[0], values[1], values[2], values[3]};
        VORN_LISTED(if (target != GL_TEXTURE_ENV) c.setError(GL_INVALID_ENUM); else c.texEnvColor(color.data()));
        return;
    }
    glTexEnvf(target, name, values[0]);
}
void APIENTRY glTexGeni(GLenum coordinate, GLenum name, GLint mode) { VORN_LISTED(c.texGenMode(coordinate, name, mode)); }
void APIENTRY glTexGenfv(GLenum coordinate, GLenum name, const GLfloat* values) {
    if (name == GL_TEXTURE_GEN_MODE) return glTexGeni(coordinate, name, GLint(values[0]));
    const std::array<GLfloat, 4> plane{values[0], values[1], values[2], values[3]};
    VORN_LISTED(c.texGenPlane(coordinate, name, plane.data()));
}
void APIENTRY glGenTextures(GLsizei count, GLuint* names) { VORN_IMMEDIATE(c.genTextures(count, names)); }
void APIENTRY glDeleteTextures(GLsizei count, const GLuint* names) { VORN_IMMEDIATE(c.deleteTextures(count, names)); }
void APIENTRY glBindTexture(GLenum target, GLuint name) { VORN_LISTED(c.bindTexture(target, name)); }
void APIENTRY glTexParameteri(GLenum target, GLenum name, GLint value) { VORN_LISTED(c.texParameter(target, name, value)); }
void APIENTRY glTexParameterf(GLenum target, GLenum name, GLfloat value) { glTexParameteri(target, name, GLint(value)); }
// Uploaded at once, also while a list is compiled: the program never puts images in lists.
void APIENTRY glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                           GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    VORN_IMMEDIATE(c.texImage2D(target, level, internalFormat, width, height, border, format, type, pixels));
}
void APIENTRY glPixelStorei(GLenum name, GLint value) { VORN_IMMEDIATE(c.pixelStore(name, value)); }

void APIENTRY glPushAttrib(GLbitfield mask) { VORN_LISTED(c.pushAttrib(mask)); }
void APIENTRY glPopAttrib() { VORN_LISTED(c.popAttrib()); }
void APIENTRY glPushClientAttrib(GLbitfield mask) { VORN_IMMEDIATE(c.pushClientAttrib(mask)); }
void APIENTRY glPopClientAttrib() { VORN_IMMEDIATE(c.popClientAttrib()); }

void APIENTRY glRasterPos2f(GLfloat x, GLfloat y) { VORN_LISTED(c.rasterPos(x, y, 0.0f, 1.0f)); }
void APIENTRY glRasterPos2i(GLint x, GLint y) { glRasterPos2f(GLfloat(x), GLfloat(y)); }
void APIENTRY glRasterPos3f(GLfloat x, GLfloat y, GLfloat z) { VORN_LISTED(c.rasterPos(x, y, z, 1.0f)); }
void APIENTRY glBitmap(GLsizei width, GLsizei height, GLfloat xOrigin, GLfloat yOrigin, GLfloat xMove,
                       GLfloat yMove, const GLubyte* bits) {
    if (width < 0 || height < 0) return current().setError(GL_INVALID_VALUE);
    // Unpacked now, under the pixel-store settings of now, also when it goes into a list.
    const auto image = current().unpackBitmap(width, height, bits);
    VORN_LISTED(c.bitmap(image, xOrigin, yOrigin, xMove, yMove));
}

GLuint APIENTRY glGenLists(GLsizei range) { return current().genLists(range); }
void APIENTRY glNewList(GLuint list, GLenum mode) { VORN_IMMEDIATE(c.newList(list, mode)); }
void APIENTRY glEndList() { VORN_IMMEDIATE(c.endList()); }
void APIENTRY glDeleteLists(GLuint list, GLsizei range) { VORN_IMMEDIATE(c.deleteLists(list, range)); }
GLboolean APIENTRY glIsList(GLuint list) { return current().listExists(list) ? GL_TRUE : GL_FALSE; }
void APIENTRY glCallList(GLuint list) { VORN_LISTED(c.callList(list)); }
void APIENTRY glCallLists(GLsizei count, GLenum type, const GLvoid* lists) {
    // The names are read now; a list holds the calls they name.
    Context& c = current();
    if (c.compilingList()) {
        std::size_t size = 0;
        switch (type) {
        case GL_UNSIGNED_BYTE: case GL_BYTE: size = 1; break;
        case GL_UNSIGNED_SHORT: case GL_SHORT: size = 2; break;
        default: size = 4; break;
        }
        const std::vector<unsigned char> copy(static_cast<const unsigned char*>(lists),
                                              static_cast<const unsigned char*>(lists) + size * std::size_t(count > 0 ? count : 0));
        c.record([=](Context& c) { c.callLists(count, type, copy.data()); });
        if (!c.executingWhileCompiling()) return;
    }
    c.callLists(count, type, lists);
}
void APIENTRY glListBase(GLuint base) { VORN_LISTED(c.listBase(base)); }

void APIENTRY glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                           GLvoid* pixels) {
    VORN_IMMEDIATE(c.readPixels(x, y, width, height, format, type, pixels));
}

}  // extern "C"
