// Light markers and the engine's drawing over its lights and cameras: a wire sphere in the
// light's colour around a small solid cube, in immediate mode.
#include <GL/gl.h>
#include <GL/glu.h>

#include "engine/engine.h"

namespace {

struct CubeFace {
    GLfloat normal[3];
    GLfloat corners[4][3];  // counter-clockwise seen from outside
};

// The unit cube centred on the origin.
constexpr CubeFace cubeFaces[6] = {
    {{0, 1, 0}, {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, -0.5f}, {-0.5f, 0.5f, -0.5f}, {-0.5f, 0.5f, 0.5f}}},
    {{0, 0, 1}, {{0.5f, 0.5f, 0.5f}, {-0.5f, 0.5f, 0.5f}, {-0.5f, -0.5f, 0.5f}, {0.5f, -0.5f, 0.5f}}},
    {{1, 0, 0}, {{0.5f, 0.5f, 0.5f}, {0.5f, -0.5f, 0.5f}, {0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, -0.5f}}},
    {{-1, 0, 0}, {{-0.5f, 0.5f, 0.5f}, {-0.5f, 0.5f, -0.5f}, {-0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, 0.5f}}},
    {{0, -1, 0}, {{-0.5f, -0.5f, 0.5f}, {-0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, 0.5f}}},
    {{0, 0, -1}, {{0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, -0.5f}, {-0.5f, 0.5f, -0.5f}, {0.5f, 0.5f, -0.5f}}},
};

constexpr GLint sphereSlices = 10;
constexpr GLint sphereStacks = 10;
constexpr GLfloat cubeScale = 0.2f;  // the cube's edge in scene units, whatever the radius

// The sphere through a quadric of its own, released at once so that markers drawn frame
// after frame leave no quadric objects behind.
void drawWireSphere(GLdouble radius) {
    GLUquadric* quadric = gluNewQuadric();
    if (quadric == nullptr) return;  // out of memory: the cube still shows where the light is
    gluQuadricDrawStyle(quadric, GLU_LINE);
    gluSphere(quadric, radius, sphereSlices, sphereStacks);
    gluDeleteQuadric(quadric);
}

void drawUnitCube() {
    for (const CubeFace& face : cubeFaces) {
        glBegin(GL_POLYGON);
            glNormal3f(face.normal[0], face.normal[1], face.normal[2]);
            for (const auto& corner : face.corners) glVertex3f(corner[0], corner[1], corner[2]);
        glEnd();
    }
}

}  // namespace

void Light::drawMarker() const {
    glDisable(GL_TEXTURE_2D);
    glColor4f(color.red, color.green, color.blue, 1.0f);
    glPushMatrix();
        glTranslatef(position.x, position.y, position.z);
        drawWireSphere(radius);
        glScalef(cubeScale, cubeScale, cubeScale);
        drawUnitCube();
    glPopMatrix();
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
}

void LightList::drawAll() const {
    for (const Light& light : items) light.drawMarker();
}

void LightList::drawById(int id) const {
    if (const Light* light = findById(id)) light->drawMarker();
}

void CameraList::drawAll() const {
    for (const Camera& camera : items) camera.drawMarker();
}

void CameraList::drawById(int id) const {
    if (const Camera* camera = findById(id)) camera->drawMarker();
}

void Engine::drawLightMarkers() {
    glColor3f(1.0f, 1.0f, 1.0f);
    lights.drawAll();
    glColor3f(1.0f, 1.0f, 1.0f);
}

void Engine::drawLightMarker(int id) { lights.drawById(id); }

void Engine::drawCameras() {
    glColor3f(1.0f, 1.0f, 1.0f);
    cameras.drawAll();
    glColor3f(1.0f, 1.0f, 1.0f);
}

void Engine::drawCamera(int id) {
    glColor3f(0.0f, 1.0f, 0.0f);  // green around a single camera
    cameras.drawById(id);
    glColor3f(1.0f, 1.0f, 1.0f);
}
