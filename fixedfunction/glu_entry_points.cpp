// The GLU calls the program makes, computed as SGI's GLU (the one Mesa ships) computes them,
// down to which values are single and which double precision, and drawn through the layer's
// own GL entry points.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "fixedfunction/context.h"
#include "fixedfunction/pixels.h"

struct GLUquadric {
    GLenum drawStyle = GLU_FILL;
    GLenum normals = GLU_SMOOTH;
    GLenum orientation = GLU_OUTSIDE;
    bool textureCoords = false;
};

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kCacheSize = 240;

void normalize(float v[3]) {
    const float r = float(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
    if (r == 0.0f) return;
    v[0] /= r;
    v[1] /= r;
    v[2] /= r;
}

void cross(const float a[3], const float b[3], float result[3]) {
    result[0] = a[1] * b[2] - a[2] * b[1];
    result[1] = a[2] * b[0] - a[0] * b[2];
    result[2] = a[0] * b[1] - a[1] * b[0];
}

int log2Of(int value) {
    int log = 0;
    while (value > 1) value >>= 1, ++log;
    return log;
}

}  // namespace

extern "C" {

void APIENTRY gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    const double radians = fovy / 2 * kPi / 180;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0) return;
    const double cotangent = std::cos(radians) / sine;
    GLdouble m[16] = {};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / deltaZ;
    m[11] = -1;
    m[14] = -2 * zNear * zFar / deltaZ;
    glMultMatrixd(m);
}

void APIENTRY gluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
    glOrtho(left, right, bottom, top, -1, 1);
}

void APIENTRY gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
                        GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
    float forward[3] = {float(centerX - eyeX), float(centerY - eyeY), float(centerZ - eyeZ)};
    float up[3] = {float(upX), float(upY), float(upZ)};
    float side[3];
    normalize(forward);
    cross(forward, up, side);  // side = forward x up
    normalize(side);
    cross(side, forward, up);  // up again, square to both
    GLfloat m[16] = {side[0], up[0], -forward[0], 0, side[1], up[1], -forward[1], 0,
                     side[2], up[2], -forward[2], 0, 0, 0, 0, 1};
    glMultMatrixf(m);
    glTranslated(-eyeX, -eyeY, -eyeZ);
}

GLUquadric* APIENTRY gluNewQuadric() { return new GLUquadric; }
void APIENTRY gluDeleteQuadric(GLUquadric* quadric) { delete quadric; }
void APIENTRY gluQuadricDrawStyle(GLUquadric* quadric, GLenum style) {
    if (style == GLU_FILL || style == GLU_LINE || style == GLU_POINT || style == GLU_SILHOUETTE)
        quadric->drawStyle = style;
}
void APIENTRY gluQuadricNormals(GLUquadric* quadric, GLenum normals) {
    if (normals == GLU_NONE || normals == GLU_FLAT || normals == GLU_SMOOTH) quadric->normals = normals;
}
void APIENTRY gluQuadricTexture(GLUquadric* quadric, GLboolean textureCoords) {
    quadric->textureCoords = textureCoords != GL_FALSE;
}
void APIENTRY gluQuadricOrientation(GLUquadric* quadric, GLenum orientation) {
    if (orientation == GLU_OUTSIDE || orientation == GLU_INSIDE) quadric->orientation = orientation;
}

void APIENTRY gluSphere(GLUquadric* quadric, GLdouble radius, GLint slices, GLint stacks) {
    if (slices < 2 || stacks < 1 || radius < 0.0) return;
    slices = std::min(slices, kCacheSize - 1);
    stacks = std::min(stacks, kCacheSize - 1);
    // The caches of sines and cosines around (a) and down (b) the sphere, as GLU keeps them.
    float sin1a[kCacheSize], cos1a[kCacheSize], sin1b[kCacheSize], cos1b[kCacheSize];
    float sin2b[kCacheSize], cos2b[kCacheSize];
    for (int i = 0; i < slices; ++i) {
        const float angle = float(2 * kPi * i / slices);
        sin1a[i] = float(std::sin(angle));
        cos1a[i] = float(std::cos(angle));
    }
    for (int j = 0; j <= stacks; ++j) {
        const float angle = float(kPi * j / stacks);
        const float sign = quadric->orientation == GLU_OUTSIDE ? 1.0f : -1.0f;
        sin2b[j] = sign * float(std::sin(angle));
        cos2b[j] = sign * float(std::cos(angle));
        sin1b[j] = float(radius * std::sin(angle));
        cos1b[j] = float(radius * std::cos(angle));
    }
    // Its poles come to a point.
    sin1b[0] = 0;
    sin1b[stacks] = 0;
    sin1a[slices] = sin1a[0];
    cos1a[slices] = cos1a[0];
    const bool normals = quadric->normals != GLU_NONE;
    auto vertex = [&](int i, int j, bool alongStack) {
        if (normals) glNormal3f(sin1a[i] * sin2b[j], cos1a[i] * sin2b[j], cos2b[j]);
        if (quadric->textureCoords) glTexCoord2f(1 - float(i) / float(slices), 1 - float(j) / float(stacks));
        if (alongStack) glVertex3f(sin1b[j] * sin1a[i], sin1b[j] * cos1a[i], cos1b[j]);
        else glVertex3f(sin1a[i] * sin1b[j], cos1a[i] * sin1b[j], cos1b[j]);
    };
    if (quadric->drawStyle == GLU_FILL) {
        for (int j = 0; j < stacks; ++j) {
            glBegin(GL_QUAD_STRIP);
            for (int i = 0; i <= slices; ++i) {
                vertex(i, j, true);
                vertex(i, j + 1, true);
            }
            glEnd();
        }
        return;
    }
    if (quadric->drawStyle == GLU_POINT) {
        glBegin(GL_POINTS);
        for (int j = 0; j <= stacks; ++j)
            for (int i = 0; i < slices; ++i) vertex(i, j, true);
        glEnd();
        return;
    }
    // GLU_LINE and GLU_SILHOUETTE: circles of latitude, then the meridians.
    for (int j = 1; j < stacks; ++j) {
        glBegin(GL_LINE_STRIP);
        for (int i = 0; i <= slices; ++i) vertex(i, j, true);
        glEnd();
    }
    for (int i = 0; i < slices; ++i) {
        glBegin(GL_LINE_STRIP);
        for (int j = 0; j <= stacks; ++j) vertex(i, j, false);
        glEnd();
    }
}

GLint APIENTRY gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                                 GLenum format, GLenum type, const void* data) {
    using namespace fixedfunction;
    if (width < 1 || height < 1) return GLU_INVALID_VALUE;
    const int channels = channelsOfFormat(format);
    if (channels == 0 || type != GL_UNSIGNED_BYTE || target != GL_TEXTURE_2D) return GLU_INVALID_ENUM;
    Context& context = current();
    GLint largest = 0;
    context.getIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    int newWidth = nearestPowerOfTwo(width), newHeight = nearestPowerOfTwo(height);
    while (largest > 0 && (newWidth > largest || newHeight > largest)) {
        newWidth = std::max(1, newWidth / 2);
        newHeight = std::max(1, newHeight / 2);
    }
    std::vector<std::uint8_t> level =
        unpackImage(context.glState().unpack, width, height, format, static_cast<const std::uint8_t*>(data), format);
    if (newWidth != width || newHeight != height)
        level = scaleImage(channels, width, height, level.data(), newWidth, newHeight);
    // The levels go up as tight rows; the caller's unpack settings come back afterwards.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    const int levels = std::max(log2Of(newWidth), log2Of(newHeight)) + 1;
    for (int l = 0; l < levels; ++l) {
        glTexImage2D(target, l, internalFormat, newWidth, newHeight, 0, format, type, level.data());
        if (l + 1 == levels) break;
        level = halveImage(channels, newWidth, newHeight, level.data());
        newWidth = std::max(1, newWidth / 2);
        newHeight = std::max(1, newHeight / 2);
    }
    glPopClientAttrib();
    return 0;
}

}  // extern "C"
