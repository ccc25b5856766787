// Batching: consecutive primitives under one draw state make one draw; a change that matters
// starts another; what is pending is drawn before anything that reads or clears the frame.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <functional>
#include <vector>

#include "fixedfunction/context.h"
#include "fixedfunction/fixed_function.h"
#include "tests/fixedfunction/recording_driver.h"

namespace {

using fftest::driverRecord;

void triangle(float x) {
    glBegin(GL_TRIANGLES);
        glVertex3f(x, 0, 0);
        glVertex3f(x + 1, 0, 0);
        glVertex3f(x, 1, 0);
    glEnd();
}

// A textured, complete texture bound on unit 0.
GLuint completeTexture() {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const unsigned char texel[4] = {255, 255, 255, 255};
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    return name;
}

struct BatchCase {
    const char* name;
    std::function<void()> between;  // called between two triangles
    std::size_t draws;              // after glFinish
};

std::ostream& operator<<(std::ostream& out, const BatchCase& c) { return out << c.name; }

class BetweenTwoTriangles : public ::testing::TestWithParam<BatchCase> {};

TEST_P(BetweenTwoTriangles, MakesTheExpectedNumberOfDraws) {
    fftest::startRecordingContext();
    glViewport(0, 0, 64, 64);
    glEnable(GL_TEXTURE_2D);
    completeTexture();
    triangle(0);
    GetParam().between();
    triangle(2);
    glFinish();
    EXPECT_EQ(driverRecord().draws.size(), GetParam().draws);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, BetweenTwoTriangles,
    ::testing::Values(
        BatchCase{"nothing", [] {}, 1},
        BatchCase{"a colour, normal and coordinates", [] { glColor3f(1, 0, 0); glNormal3f(0, 1, 0); glTexCoord2f(1, 1); }, 1},
        BatchCase{"a matrix pushed and popped", [] { glPushMatrix(); glPopMatrix(); }, 1},
        BatchCase{"a matrix pushed, moved and popped", [] { glPushMatrix(); glTranslatef(1, 2, 3); glPopMatrix(); }, 1},
        BatchCase{"a rotation by nothing", [] { glRotatef(0, 1, 0, 0); }, 1},
        BatchCase{"a translation", [] { glTranslatef(1, 0, 0); }, 2},
        BatchCase{"the projection", [] { glMatrixMode(GL_PROJECTION); glScalef(2, 2, 2); glMatrixMode(GL_MODELVIEW); }, 2},
        BatchCase{"texturing off", [] { glDisable(GL_TEXTURE_2D); }, 2},
        BatchCase{"texturing off and on again", [] { glDisable(GL_TEXTURE_2D); glEnable(GL_TEXTURE_2D); }, 1},
        BatchCase{"another texture", [] { completeTexture(); }, 2},
        BatchCase{"the environment mode", [] { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE); }, 2},
        BatchCase{"DOT3 stored, modulate selected", [] {
            glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_EXT, GL_DOT3_RGB_EXT);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE); }, 1},
        BatchCase{"sphere mapping", [] { glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP); glEnable(GL_TEXTURE_GEN_S); }, 2},
        BatchCase{"the depth test", [] { glEnable(GL_DEPTH_TEST); }, 2},
        BatchCase{"a clear", [] { glClear(GL_COLOR_BUFFER_BIT); }, 2},
        BatchCase{"a viewport", [] { glViewport(0, 0, 10, 10); }, 2},
        BatchCase{"lines", [] { glBegin(GL_LINES); glVertex3f(0, 0, 0); glVertex3f(1, 1, 1); glEnd(); }, 3},
        BatchCase{"a bitmap", [] {
            const GLubyte bits[1] = {0x80};
            glRasterPos2f(0, 0);
            glBitmap(1, 1, 0, 0, 1, 0, bits); }, 3},
        BatchCase{"a display list of triangles called", [] {
            const GLuint list = glGenLists(1);
            glNewList(list, GL_COMPILE);
                triangle(5);
            glEndList();
            glCallList(list); }, 1}),
    fftest::NamedCase<BatchCase>());

TEST(Batching, AThousandFacesInPushedMatricesAreOneDraw) {
    fftest::startRecordingContext();
    for (int face = 0; face < 1000; ++face) {
        glPushMatrix();
            glNormal3f(0, 0, 1);
            triangle(float(face));
        glPopMatrix();
    }
    glFinish();
    ASSERT_EQ(driverRecord().draws.size(), 1u);
    EXPECT_EQ(driverRecord().draws[0].count, 3000);
}

TEST(Batching, ATextOfBitmapsIsOneDrawInItsColours) {
    fftest::startRecordingContext();
    glViewport(0, 0, 64, 64);
    const GLubyte bits[2] = {0xFF, 0xFF};
    for (int line = 0; line < 3; ++line) {
        glColor3f(float(line) / 3.0f, 0, 0);  // each line its colour, as the overlay's labels
        glRasterPos2f(-0.5f, 0.1f * float(line));
        for (int glyph = 0; glyph < 10; ++glyph) glBitmap(8, 2, 0, 0, 3, 0, bits);
    }
    EXPECT_TRUE(driverRecord().draws.empty());
    glFinish();
    ASSERT_EQ(driverRecord().draws.size(), 1u);
    EXPECT_EQ(driverRecord().draws[0].count, 3 * 10 * 6);
}

TEST(Batching, CallsWithNoDriverBeneathDoNothing) {
    // A context whose driver lookup found nothing: as with no context current in OpenGL.
    fixedfunction::makeContextCurrent(99, fixedfunction::Driver{});
    triangle(0);
    glClear(GL_COLOR_BUFFER_BIT);
    GLint side = -1;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    EXPECT_EQ(side, -1);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    fixedfunction::forgetContext(99);
}

TEST(Batching, NothingIsDrawnBeforeTheBatchEnds) {
    fftest::startRecordingContext();
    triangle(0);
    triangle(1);
    EXPECT_TRUE(driverRecord().draws.empty());
    EXPECT_EQ(fixedfunction::current().pendingVertices(), 6u);
}

TEST(Batching, PendingVerticesAreDrawnBeforeAClear) {
    fftest::startRecordingContext();
    triangle(0);
    glClear(GL_COLOR_BUFFER_BIT);
    ASSERT_EQ(driverRecord().draws.size(), 1u);
    EXPECT_EQ(driverRecord().clears, 1);
}

struct PrimitiveCase {
    GLenum mode;
    int vertices;
    GLenum drawnAs;
    GLsizei drawnVertices;
};

class PrimitiveExpansion : public ::testing::TestWithParam<PrimitiveCase> {};

TEST_P(PrimitiveExpansion, BecomesSeparateTrianglesOrLines) {
    const PrimitiveCase c = GetParam();
    fftest::startRecordingContext();
    glBegin(c.mode);
        for (int i = 0; i < c.vertices; ++i) glVertex3f(float(i), float(i % 2), 0);
    glEnd();
    glFinish();
    if (c.drawnVertices == 0) {
        EXPECT_TRUE(driverRecord().draws.empty());
        return;
    }
    ASSERT_EQ(driverRecord().draws.size(), 1u);
    EXPECT_EQ(driverRecord().draws[0].mode, c.drawnAs);
    EXPECT_EQ(driverRecord().draws[0].count, c.drawnVertices);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PrimitiveExpansion,
    ::testing::Values(PrimitiveCase{GL_TRIANGLES, 7, GL_TRIANGLES, 6}, PrimitiveCase{GL_TRIANGLES, 2, GL_TRIANGLES, 0},
                      PrimitiveCase{GL_POLYGON, 4, GL_TRIANGLES, 6}, PrimitiveCase{GL_TRIANGLE_FAN, 5, GL_TRIANGLES, 9},
                      PrimitiveCase{GL_TRIANGLE_STRIP, 5, GL_TRIANGLES, 9}, PrimitiveCase{GL_QUADS, 8, GL_TRIANGLES, 12},
                      PrimitiveCase{GL_QUAD_STRIP, 6, GL_TRIANGLES, 12}, PrimitiveCase{GL_LINES, 5, GL_LINES, 4},
                      PrimitiveCase{GL_LINE_STRIP, 4, GL_LINES, 6}, PrimitiveCase{GL_LINE_LOOP, 4, GL_LINES, 8},
                      PrimitiveCase{GL_POINTS, 3, GL_POINTS, 3}));

TEST(Batching, AStripKeepsEveryTrianglesWindingAsGiven) {
    fftest::startRecordingContext();
    glBegin(GL_TRIANGLE_STRIP);
        for (int i = 0; i < 4; ++i) glVertex3f(float(i), 0, 0);
    glEnd();
    // Odd triangles of a strip swap their first two corners: 0 1 2, then 2 1 3.
    const fixedfunction::Context& context = fixedfunction::current();
    ASSERT_EQ(context.pendingVertices(), 6u);
    const float expected[6] = {0, 1, 2, 2, 1, 3};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(context.pendingData()[i].position[0], expected[i]) << i;
}

}  // namespace
