// Writes one 1024 x 768 picture of what the program itself never draws but the layer
// implements: every texture environment and combiner (DOT3 selected included), generated
// coordinates with planes and a texture matrix, the primitives, bitmaps under unusual unpack
// settings in a list compiled and executed, and a GLU sphere. Built twice, on the system's GL
// and on the layer, for the pixel comparison.
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <cstdio>
#include <vector>

#include "platform/platform.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768, kCell = 128;
using MultiTexCoord = void(APIENTRY*)(GLenum, GLfloat, GLfloat);
using ActiveTexture = void(APIENTRY*)(GLenum);
MultiTexCoord multiTexCoord = nullptr;
ActiveTexture activeTexture = nullptr;

// A texture with every channel varying, alpha too; or a map of normals in [0, 1].
GLuint makeTexture(bool normals, GLint internalFormat) {
    const int side = 32;
    std::vector<unsigned char> pixels;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            if (normals) {
                pixels.push_back((unsigned char)(128 + 100 * ((x / 4) % 2 ? 1 : -1)));
                pixels.push_back((unsigned char)(128 + 7 * (y % 9)));
                pixels.push_back(200);
                pixels.push_back(255);
            } else {
                pixels.push_back((unsigned char)(x * 8));
                pixels.push_back((unsigned char)(y * 8));
                pixels.push_back((unsigned char)((x ^ y) * 8));
                pixels.push_back((unsigned char)(255 - x * 4 - y * 3));
            }
        }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, internalFormat, side, side, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

// The cell at column c, row r of the grid, as a unit square with a coloured corner each.
void square(int c, int r) {
    glPushMatrix();
        glTranslatef(float(c * kCell + 8), float(r * kCell + 8), 0);
        glScalef(kCell - 16, kCell - 16, 1);
        glBegin(GL_QUADS);
            glColor4f(1, 0.2f, 0.2f, 1);
            multiTexCoord(GL_TEXTURE0, 0, 0);
            multiTexCoord(GL_TEXTURE1, 0, 0);
            glVertex3f(0, 0, 0);
            glColor4f(0.2f, 1, 0.2f, 0.5f);
            multiTexCoord(GL_TEXTURE0, 1.5f, 0);
            multiTexCoord(GL_TEXTURE1, 1, 0);
            glVertex3f(1, 0, 0);
            glColor4f(0.2f, 0.2f, 1, 0.2f);
            multiTexCoord(GL_TEXTURE0, 1.5f, 1.5f);
            multiTexCoord(GL_TEXTURE1, 1, 1);
            glVertex3f(1, 1, 0);
            glColor4f(0.9f, 0.9f, 0.3f, 1);
            multiTexCoord(GL_TEXTURE0, 0, 1.5f);
            multiTexCoord(GL_TEXTURE1, 0, 1);
            glVertex3f(0, 1, 0);
        glEnd();
    glPopMatrix();
}

void environment(GLenum mode) { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GLint(mode)); }

void drawPatterns(GLuint colours, GLuint normals, GLuint opaque) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kWidth, 0, kHeight, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    activeTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, colours);
    const GLenum modes[] = {GL_MODULATE, GL_REPLACE, GL_DECAL, GL_BLEND, GL_ADD};
    const GLfloat envColor[4] = {0.1f, 0.6f, 0.9f, 0.4f};
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, envColor);
    for (int i = 0; i < 5; ++i) {
        environment(modes[i]);
        square(i, 0);
        glBindTexture(GL_TEXTURE_2D, opaque);  // the same modes on a texture of three channels
        square(i, 1);
        glBindTexture(GL_TEXTURE_2D, colours);
    }
    // Combiners: interpolation by the constant's alpha with a scale of 2; signed addition.
    environment(GL_COMBINE_EXT);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_EXT, GL_INTERPOLATE_EXT);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_EXT, GL_PRIMARY_COLOR_EXT);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE2_RGB_EXT, GL_CONSTANT_EXT);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND2_RGB_EXT, GL_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE_EXT, 2);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA_EXT, GL_ADD_SIGNED_EXT);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_ALPHA_EXT, GL_PRIMARY_COLOR_EXT);
    square(5, 0);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB_EXT, GL_ONE_MINUS_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_EXT, GL_ADD);
    glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE_EXT, 1);
    square(6, 0);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB_EXT, GL_SRC_COLOR);
    // DOT3 selected: the normal map against the vertex colours as light directions; then the
    // RGBA form on unit 1 over a modulated unit 0.
    glBindTexture(GL_TEXTURE_2D, normals);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_EXT, GL_DOT3_RGB_EXT);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_EXT, GL_PRIMARY_COLOR_EXT);
    glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE_EXT, 4);  // ignored by the EXT form
    square(7, 0);
    environment(GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, colours);
    activeTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, normals);
    environment(GL_COMBINE_EXT);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_EXT, GL_DOT3_RGBA_EXT);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_EXT, GL_PREVIOUS_EXT);
    square(5, 1);
    glDisable(GL_TEXTURE_2D);
    activeTexture(GL_TEXTURE0);

    // Generated coordinates: eye-linear planes given under a turned modelview, a texture
    // matrix, object-linear planes, and the default planes.
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glPushMatrix();
        glRotatef(30, 0, 0, 1);
        const GLfloat sPlane[4] = {0.01f, 0.002f, 0, 0.1f}, tPlane[4] = {-0.003f, 0.012f, 0.5f, 0};
        glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
        glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
        glTexGenfv(GL_S, GL_EYE_PLANE, sPlane);
        glTexGenfv(GL_T, GL_EYE_PLANE, tPlane);
    glPopMatrix();
    square(6, 1);
    glMatrixMode(GL_TEXTURE);
    glScalef(0.5f, 2, 1);
    glRotatef(10, 0, 0, 1);
    glMatrixMode(GL_MODELVIEW);
    square(7, 1);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGenfv(GL_S, GL_OBJECT_PLANE, sPlane);
    glTexGenfv(GL_T, GL_OBJECT_PLANE, tPlane);
    square(0, 2);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);

    // Every primitive but points, untextured (OpenGL ES draws points as sprites, and those
    // land a pixel off Mesa's desktop points now and then).
    glDisable(GL_TEXTURE_2D);
    const GLenum primitives[] = {GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN, GL_QUAD_STRIP, GL_POLYGON,
                                 GL_LINE_STRIP, GL_LINE_LOOP, GL_LINES, GL_TRIANGLES};
    for (int p = 0; p < 8; ++p) {
        glPushMatrix();
            glTranslatef(float(p * kCell + 64), float(3 * kCell + 64), 0);
            glBegin(primitives[p]);
                for (int k = 0; k < 7; ++k) {
                    const float angle = float(k) * 0.9f;
                    glColor3f(0.2f + 0.1f * float(k), 1.0f - 0.12f * float(k), 0.5f);
                    glVertex3f(50.0f * __builtin_cosf(angle) * (k % 2 ? 0.6f : 1.0f),
                               50.0f * __builtin_sinf(angle), 0);
                }
            glEnd();
        glPopMatrix();
    }

    // A sphere in lines under a perspective, and one sphere-mapped in the same view.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
        glLoadIdentity();
        gluPerspective(50, double(kWidth) / kHeight, 0.5, 50);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
            glLoadIdentity();
            gluLookAt(0, 1, 6, 0.5, 0.2, 0, 0, 1, 0);
            glTranslatef(2.2f, -1.7f, 0);
            glRotatef(25, 1, 1, 0);
            glColor3f(1, 0.8f, 0.2f);
            GLUquadric* quadric = gluNewQuadric();
            gluQuadricDrawStyle(quadric, GLU_LINE);
            gluSphere(quadric, 0.6, 12, 8);
            gluDeleteQuadric(quadric);
            glTranslatef(-1.6f, 0, 0);
            glEnable(GL_TEXTURE_2D);
            environment(GL_MODULATE);
            glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
            glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
            glEnable(GL_TEXTURE_GEN_S);
            glEnable(GL_TEXTURE_GEN_T);
            glColor3f(1, 1, 1);
            glBegin(GL_TRIANGLE_FAN);
                for (int k = 0; k < 8; ++k) {
                    const float a = float(k) * 0.785f;
                    glNormal3f(__builtin_cosf(a) * 0.7f, __builtin_sinf(a) * 0.7f, 0.7f);
                    glVertex3f(__builtin_cosf(a) * 0.6f, __builtin_sinf(a) * 0.6f, 0);
                }
            glEnd();
            glDisable(GL_TEXTURE_GEN_S);
            glDisable(GL_TEXTURE_GEN_T);
            glDisable(GL_TEXTURE_2D);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    // Bitmaps: bits least significant first, rows longer than the bitmap, skipped rows and
    // pixels, in a list compiled and executed, then called again elsewhere in another colour.
    const unsigned char bits[4 * 12] = {0xF0, 0x0F, 0xAA, 0x55, 0x81, 0x42, 0x24, 0x18, 0xFF, 0x00, 0x3C, 0xC3,
                                        0x11, 0x22, 0x44, 0x88, 0x99, 0x66, 0xE7, 0x7E, 0x01, 0x80, 0xF8, 0x1F,
                                        0xAA, 0xAA, 0x55, 0x55, 0x0F, 0xF0, 0x33, 0xCC, 0xFE, 0x7F, 0x10, 0x08,
                                        0x77, 0xEE, 0xBB, 0xDD, 0x5A, 0xA5, 0x69, 0x96, 0xC0, 0x03, 0x30, 0x0C};
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 30);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 1);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 3);
    const GLuint list = glGenLists(1);
    glColor3f(0.9f, 0.3f, 0.6f);
    glRasterPos2f(700.5f, 120.25f);
    glNewList(list, GL_COMPILE_AND_EXECUTE);
        glBitmap(20, 9, 2.5f, 1.0f, 23.0f, 0.5f, bits);
        glBitmap(20, 9, 0, 0, 23.0f, -3.0f, bits);
    glEndList();
    glPopClientAttrib();
    glColor3f(0.3f, 0.9f, 0.6f);
    glRasterPos2f(800, 90);
    for (int i = 0; i < 4; ++i) glCallList(list);
    glDeleteLists(list, 1);
}

bool writePicture(const char* path) {
    std::vector<unsigned char> pixels(std::size_t(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", kWidth, kHeight);
    for (int row = kHeight - 1; row >= 0; --row)
        std::fwrite(pixels.data() + std::size_t(row) * kWidth * 3, 1, std::size_t(kWidth) * 3, file);
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: pattern_writer OUT.ppm\n", stderr);
        return 2;
    }
    if (!platform::createOffscreenContext(kWidth, kHeight)) return 1;
    multiTexCoord = reinterpret_cast<MultiTexCoord>(platform::getProcAddress("glMultiTexCoord2fARB"));
    activeTexture = reinterpret_cast<ActiveTexture>(platform::getProcAddress("glActiveTextureARB"));
    if (multiTexCoord == nullptr || activeTexture == nullptr) return 1;
    glViewport(0, 0, kWidth, kHeight);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glClearColor(0.05f, 0.05f, 0.1f, 1);
    const GLuint colours = makeTexture(false, 4), normals = makeTexture(true, 3), opaque = makeTexture(false, 3);
    drawPatterns(colours, normals, opaque);
    const bool written = writePicture(argv[1]);
    platform::destroyOffscreenContext();
    return written ? 0 : 1;
}
