// The light markers and the engine's drawing operations, seen through the GL and GLU calls they
// make: this program defines those functions itself and records every call, so no context and
// no display are needed and the sequence can be checked call by call.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"

namespace {

std::vector<std::string>& recorded() {
    static std::vector<std::string> calls;
    return calls;
}

struct QuadricCount {
    int made = 0;
    int deleted = 0;
};
QuadricCount& quadrics() {
    static QuadricCount count;
    return count;
}

// A call as "name(arguments)", the way the recorder writes it.
template <typename... Args>
std::string call(const char* name, const Args&... args) {
    std::ostringstream out;
    out << name << '(';
    bool first = true;
    ((out << (first ? "" : ", ") << args, first = false), ...);
    out << ')';
    return out.str();
}

template <typename... Args>
void record(const char* name, const Args&... args) {
    recorded().push_back(call(name, args...));
}

const char* capName(GLenum cap) { return cap == GL_TEXTURE_2D ? "GL_TEXTURE_2D" : "other"; }

alignas(16) unsigned char quadricStorage[64];

}  // namespace

extern "C" {
void GLAPIENTRY glEnable(GLenum cap) { record("glEnable", capName(cap)); }
void GLAPIENTRY glDisable(GLenum cap) { record("glDisable", capName(cap)); }
void GLAPIENTRY glColor3f(GLfloat r, GLfloat g, GLfloat b) { record("glColor3f", r, g, b); }
void GLAPIENTRY glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    record("glColor4f", r, g, b, a);
}
void GLAPIENTRY glPushMatrix() { record("glPushMatrix"); }
void GLAPIENTRY glPopMatrix() { record("glPopMatrix"); }
void GLAPIENTRY glTranslatef(GLfloat x, GLfloat y, GLfloat z) { record("glTranslatef", x, y, z); }
void GLAPIENTRY glScalef(GLfloat x, GLfloat y, GLfloat z) { record("glScalef", x, y, z); }
void GLAPIENTRY glBegin(GLenum mode) {
    record("glBegin", mode == GL_POLYGON ? "GL_POLYGON" : "other");
}
void GLAPIENTRY glEnd() { record("glEnd"); }
void GLAPIENTRY glNormal3f(GLfloat x, GLfloat y, GLfloat z) { record("glNormal3f", x, y, z); }
void GLAPIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z) { record("glVertex3f", x, y, z); }
GLUquadric* GLAPIENTRY gluNewQuadric() {
    record("gluNewQuadric");
    ++quadrics().made;
    return reinterpret_cast<GLUquadric*>(quadricStorage);
}
void GLAPIENTRY gluQuadricDrawStyle(GLUquadric*, GLenum style) {
    record("gluQuadricDrawStyle", style == GLU_LINE ? "GLU_LINE" : "other");
}
void GLAPIENTRY gluSphere(GLUquadric*, GLdouble radius, GLint slices, GLint stacks) {
    record("gluSphere", radius, slices, stacks);
}
void GLAPIENTRY gluDeleteQuadric(GLUquadric*) {
    record("gluDeleteQuadric");
    ++quadrics().deleted;
}
}

namespace {

using Calls = std::vector<std::string>;

// The cube's six faces: the normal, then the four corners in drawing order.
const std::array<std::array<std::array<float, 3>, 5>, 6> cubeFaces = {{
    {{{0, 1, 0}, {.5f, .5f, .5f}, {.5f, .5f, -.5f}, {-.5f, .5f, -.5f}, {-.5f, .5f, .5f}}},
    {{{0, 0, 1}, {.5f, .5f, .5f}, {-.5f, .5f, .5f}, {-.5f, -.5f, .5f}, {.5f, -.5f, .5f}}},
    {{{1, 0, 0}, {.5f, .5f, .5f}, {.5f, -.5f, .5f}, {.5f, -.5f, -.5f}, {.5f, .5f, -.5f}}},
    {{{-1, 0, 0}, {-.5f, .5f, .5f}, {-.5f, .5f, -.5f}, {-.5f, -.5f, -.5f}, {-.5f, -.5f, .5f}}},
    {{{0, -1, 0}, {-.5f, -.5f, .5f}, {-.5f, -.5f, -.5f}, {.5f, -.5f, -.5f}, {.5f, -.5f, .5f}}},
    {{{0, 0, -1}, {.5f, -.5f, -.5f}, {-.5f, -.5f, -.5f}, {-.5f, .5f, -.5f}, {.5f, .5f, -.5f}}},
}};

Calls markerCalls(Vector3 at, LightColor color, double radius) {
    Calls out = {call("glDisable", "GL_TEXTURE_2D"),
                 call("glColor4f", color.red, color.green, color.blue, 1.0f),
                 call("glPushMatrix"),
                 call("glTranslatef", at.x, at.y, at.z),
                 call("gluNewQuadric"),
                 call("gluQuadricDrawStyle", "GLU_LINE"),
                 call("gluSphere", radius, 10, 10),
                 call("gluDeleteQuadric"),
                 call("glScalef", 0.2f, 0.2f, 0.2f)};
    for (const auto& face : cubeFaces) {
        out.push_back(call("glBegin", "GL_POLYGON"));
        out.push_back(call("glNormal3f", face[0][0], face[0][1], face[0][2]));
        for (int corner = 1; corner <= 4; ++corner)
            out.push_back(call("glVertex3f", face[corner][0], face[corner][1], face[corner][2]));
        out.push_back(call("glEnd"));
    }
    out.insert(out.end(), {call("glPopMatrix"), call("glColor3f", 1.0f, 1.0f, 1.0f),
                           call("glEnable", "GL_TEXTURE_2D")});
    return out;
}

const std::string white = "glColor3f(1, 1, 1)";

class LightMarkerCallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        recorded().clear();
        quadrics() = {};
    }
    Engine engine;  // its texture list enables texturing when it is built: cleared above
};

TEST_F(LightMarkerCallsTest, MarkerMakesItsCallsInOrder) {
    engine.lights.add("lamp", {1, -2, 3.5f}, {0.5f, 0.25f, 1}, 2.75f, 0);
    engine.drawLightMarker(0);
    // The record keeps the fraction of a radius that was not read from a file.
    EXPECT_EQ(recorded(), markerCalls({1, -2, 3.5f}, {0.5f, 0.25f, 1}, 2.75));
}

TEST_F(LightMarkerCallsTest, CubeFacesAreClosedAndRunCounterClockwiseFromOutside) {
    engine.lights.add("lamp", {}, {1, 1, 1}, 1.0f, 0);
    engine.lights.all()[0].drawMarker();
    // Gather the polygons from the recorded normals and vertices.
    std::vector<std::array<float, 3>> normals;
    std::vector<std::vector<std::array<float, 3>>> faces;
    std::map<std::string, int> cornerUses;
    for (const std::string& c : recorded()) {
        std::array<float, 3> v{};
        if (std::sscanf(c.c_str(), "glNormal3f(%f, %f, %f)", &v[0], &v[1], &v[2]) == 3) {
            normals.push_back(v);
            faces.emplace_back();
        } else if (std::sscanf(c.c_str(), "glVertex3f(%f, %f, %f)", &v[0], &v[1], &v[2]) == 3) {
            ASSERT_FALSE(faces.empty()) << "a vertex before any normal";
            faces.back().push_back(v);
            ++cornerUses[c];
        }
    }
    ASSERT_EQ(faces.size(), 6u);
    std::set<std::array<float, 3>> distinctNormals(normals.begin(), normals.end());
    EXPECT_EQ(distinctNormals.size(), 6u);
    for (std::size_t f = 0; f < faces.size(); ++f) {
        const auto& n = normals[f];
        ASSERT_EQ(faces[f].size(), 4u);
        for (const auto& v : faces[f]) {
            EXPECT_FLOAT_EQ(n[0] * v[0] + n[1] * v[1] + n[2] * v[2], 0.5f) << "face " << f;
            for (float coordinate : v) EXPECT_FLOAT_EQ(std::abs(coordinate), 0.5f);
        }
        // Each turn of the outline bends toward the normal.
        for (int i = 0; i < 4; ++i) {
            const auto& a = faces[f][i];
            const auto& b = faces[f][(i + 1) % 4];
            const auto& c = faces[f][(i + 2) % 4];
            const float e1[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
            const float e2[3] = {c[0] - b[0], c[1] - b[1], c[2] - b[2]};
            const float cross[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                    e1[0] * e2[1] - e1[1] * e2[0]};
            EXPECT_GT(cross[0] * n[0] + cross[1] * n[1] + cross[2] * n[2], 0.0f) << "face " << f;
        }
    }
    ASSERT_EQ(cornerUses.size(), 8u);
    for (const auto& [corner, uses] : cornerUses) EXPECT_EQ(uses, 3) << corner;
}

TEST_F(LightMarkerCallsTest, DrawLightMarkersDrawsEveryLightInListOrderInWhite) {
    engine.lights.add("a", {1, 0, 0}, {1, 0, 0}, 1.0f, 0);
    engine.lights.add("b", {2, 0, 0}, {0, 1, 0}, 0.0f, 0);
    engine.drawLightMarkers();
    Calls expected = {white};
    for (const Calls& marker :
         {markerCalls({1, 0, 0}, {1, 0, 0}, 1.0), markerCalls({2, 0, 0}, {0, 1, 0}, 0.0)})
        expected.insert(expected.end(), marker.begin(), marker.end());
    expected.push_back(white);
    EXPECT_EQ(recorded(), expected);
}

TEST_F(LightMarkerCallsTest, EmptyLightListLeavesOnlyWhite) {
    engine.drawLightMarkers();
    EXPECT_EQ(recorded(), (Calls{white, white}));
}

TEST_F(LightMarkerCallsTest, DrawLightMarkerDrawsTheFirstLightWithTheIdOnly) {
    engine.lights.add("A", {1, 1, 1}, {1, 0, 0}, 1.0f, 0);
    engine.lights.add("B", {2, 2, 2}, {0, 1, 0}, 1.0f, 0);
    engine.lights.remove(0);
    engine.lights.add("C", {3, 3, 3}, {0, 0, 1}, 1.0f, 0);  // shares id 1 with B
    engine.drawLightMarker(1);
    EXPECT_EQ(recorded(), markerCalls({2, 2, 2}, {0, 1, 0}, 1.0));
    recorded().clear();
    engine.drawLightMarker(0);
    engine.drawLightMarker(7);
    EXPECT_TRUE(recorded().empty());
}

TEST_F(LightMarkerCallsTest, CameraDrawingSetsOnlyItsColours) {
    engine.drawCameras();
    engine.drawCamera(0);
    const Calls aroundNothing = {white, white, "glColor3f(0, 1, 0)", white};
    EXPECT_EQ(recorded(), aroundNothing);
    recorded().clear();
    engine.cameras.add("cam", {}, {}, 54);
    engine.drawCameras();
    engine.drawCamera(0);
    EXPECT_EQ(recorded(), aroundNothing);
}

TEST_F(LightMarkerCallsTest, MarkersFrameAfterFrameKeepNoQuadrics) {
    engine.lights.add("a", {}, {1, 1, 1}, 1.0f, 0);
    engine.lights.add("b", {}, {1, 1, 1}, 2.0f, 0);
    for (int frame = 0; frame < 100; ++frame) engine.drawLightMarkers();
    EXPECT_EQ(quadrics().made, quadrics().deleted);
    EXPECT_GT(quadrics().made, 0);
}

}  // namespace
