// Start-up and frame composition: overlay first, at the nearest depth, then the scene.
#include "app/frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>

#include "app/bitmap_font.h"
#include "app/frame_timer.h"
#include "app/gl_window.h"
#include "app/shell_state.h"
#include "engine/engine.h"

namespace {
char frameRateText[16];  // any 32-bit integer in decimal, with its sign and terminator
}

void formatFrameRate(float rate, char (&buffer)[16]) {
    // A rate beyond an int (no tick since the last frame on a fast counter) or not a number
    // would make the conversion undefined; it shows as the nearest int instead.
    int whole = 0;
    if (std::isnan(rate)) whole = 0;
    else if (rate >= 2147483647.0f) whole = 2147483647;
    else if (rate <= -2147483648.0f) whole = -2147483647 - 1;
    else whole = int(rate);
    std::snprintf(buffer, sizeof buffer, "%d", whole);
}

const char* const demoSceneFile = "scene/2cube.vno";

void startShell() {
    frameTimer.start();
    smallFont.create(deviceContext, 1024, 768, "Arial", 20);
    titleFont.create(deviceContext, 1024, 768, "Twentieth Century Poster1", 30);
    engine.init();
}

void stopShell() {
    // Every switch builds both fonts again: without this, each switch would keep one more pair.
    titleFont.release();
    smallFont.release();
}

bool drawScene() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    drawFrame();
    return true;
}

void drawFrameRate() {
    const float rate = frameTimer.framesPerSecond(1);
    formatFrameRate(rate, frameRateText);
    smallFont.print(930, 740, "fps: ");
    smallFont.setColor(1.0f, 0.0f, 0.0f);
    smallFont.print(960, 740, frameRateText);
    smallFont.setColor(1.0f, 1.0f, 1.0f);
}

void beginFlatColours() {
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    engine.disableTexturing();
}

void endFlatColours() { glPopAttrib(); }

void drawSwitchStates() {
    smallFont.setColor(0.1f, 0.2f, 0.9f);
    smallFont.print(10, 730, "Rendu de la map de Detail (touche 1): ");
    smallFont.print(10, 750, "Rendu de la map de Bump (touche 2): ");
    smallFont.setColor(1.0f, 0.0f, 0.0f);
    smallFont.print(330, 730, engine.isDetailEnabled() ? "Yes" : "No");
    smallFont.print(330, 750, engine.isBumpEnabled() ? "Yes" : "No");
    smallFont.setColor(1.0f, 1.0f, 1.0f);
}

void drawFrame() {
    const float dt = frameTimer.elapsedSeconds(1);
    viewAngleX += 4.0f * dt;
    viewAngleY += 3.0f * dt;
    glColor3f(1.0f, 1.0f, 1.0f);

    beginFlatColours();
    drawFrameRate();
    titleFont.setColor(0.4f, 0.8f, 0.9f);
    titleFont.print(10, 40, "Vorn Engine Development");
    drawSwitchStates();
    endFlatColours();

    gluLookAt(0, 0, 1, 0, 0, 0, 0, 1, 0);
    glRotated(viewAngleX, 1, 0, 0);
    glRotated(viewAngleY, 0, 1, 0);
    engine.drawAllMeshes();
}
