// The program's window opened for real: the initial GL state, and the viewport and perspective
// that resizeView sets, checked against the perspective matrix worked out here.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/gl_window.h"
#include "tests/gl/gl_test_support.h"

namespace {

using WindowStateTest = gltest::ProgramWindowTest;

// gluPerspective's matrix, column by column, as doubles.
std::vector<double> perspective(double fovyDegrees, double aspect, double zNear, double zFar) {
    const double halfAngle = fovyDegrees / 2.0 * 3.14159265358979323846 / 180.0;
    const double f = std::cos(halfAngle) / std::sin(halfAngle);
    const double depth = zFar - zNear;
    return {f / aspect, 0, 0, 0,
            0, f, 0, 0,
            0, 0, -(zFar + zNear) / depth, -1,
            0, 0, -2.0 * zNear * zFar / depth, 0};
}

void expectViewFor(int width, int height) {
    const int shownHeight = height == 0 ? 1 : height;
    GLint viewport[4] = {-1, -1, -1, -1};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], width);
    EXPECT_EQ(viewport[3], shownHeight);

    const std::vector<double> expected =
        perspective(54.0, double(width) / double(shownHeight), double(0.1f), 2000.0);
    const std::vector<float> projection = gltest::matrix(GL_PROJECTION_MATRIX);
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE("projection element " + std::to_string(i));
        EXPECT_FLOAT_EQ(projection[std::size_t(i)], float(expected[std::size_t(i)]));
    }
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(gltest::matrix(GL_MODELVIEW_MATRIX), gltest::identityMatrix());
}

TEST_F(WindowStateTest, OpeningSetsTheInitialStateWithoutAnyMessage) {
    for (const gltest::RecordedBox& box : boxesWhileOpening)
        ADD_FAILURE() << "unexpected box \"" << box.text << "\" (" << box.caption << ")";

    GLint value = 0;
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    GLfloat clearColour[4] = {-1, -1, -1, -1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    EXPECT_EQ(std::vector<float>(clearColour, clearColour + 4),
              (std::vector<float>{0, 0, 0, 0.5f}));
    GLdouble clearDepth = -1;
    glGetDoublev(GL_DEPTH_CLEAR_VALUE, &clearDepth);
    EXPECT_EQ(clearDepth, 1.0);
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(value, GL_NICEST);

    const struct {
        const char* name;
        GLenum capability;
    } enabled[] = {
        {"GL_DEPTH_TEST", GL_DEPTH_TEST},
        {"GL_TEXTURE_2D", GL_TEXTURE_2D},
        {"GL_POLYGON_SMOOTH", GL_POLYGON_SMOOTH},
    };
    for (const auto& capability : enabled)
        EXPECT_TRUE(glIsEnabled(capability.capability)) << capability.name;

    // The opening size, and the start-up after it changed no matrix.
    expectViewFor(1024, 768);
}

TEST_F(WindowStateTest, ResizeViewSetsViewportAndPerspective) {
    const struct {
        int width, height;
    } sizes[] = {
        {1024, 768}, {640, 480}, {333, 777}, {1920, 1080}, {1, 1}, {800, 0}, {1, 0},
    };
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        // Whatever the matrices were before, the view is set from scratch.
        glMatrixMode(GL_PROJECTION);
        glTranslatef(5, 6, 7);
        glMatrixMode(GL_MODELVIEW);
        glRotatef(45, 1, 0, 0);
        glMatrixMode(GL_TEXTURE);

        resizeView(size.width, size.height);
        expectViewFor(size.width, size.height);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
