// The demo's start-up, frame and keys: one key pass after each frame, with a pause after each
// effect switch so that a key held flips it about three times a second.
#include "app/demo_program.h"

#include "app/frame.h"
#include "app/gl_window.h"
#include "app/shell_state.h"
#include "engine/engine.h"
#include "platform/platform.h"

using namespace platform;

void DemoProgram::start() {
    startShell();
    engine.load(sceneFile);
}

void DemoProgram::frame() { drawScene(); }

bool DemoProgram::keys() {
    if (keyDown[VK_F1]) {
        keyDown[VK_F1] = false;
        closeGlWindow();
        fullscreenMode = !fullscreenMode;
        if (!openGlWindow(*this, "Vorn Eng Dev", 1024, 768, 32, fullscreenMode)) return false;
    }
    if (keyDown[VK_UP]) viewAngleX += 1.0f;
    if (keyDown[VK_DOWN]) viewAngleX -= 1.0f;
    if (keyDown[VK_RIGHT]) viewAngleY += 1.0f;
    if (keyDown[VK_LEFT]) viewAngleY -= 1.0f;
    if (keyDown[VK_NUMPAD1]) {
        if (engine.isDetailEnabled()) engine.disableDetail();
        else engine.enableDetail();
        sleep(300);
    }
    if (keyDown[VK_NUMPAD2]) {
        if (engine.isBumpEnabled()) engine.disableBump();
        else engine.enableBump();
        sleep(300);
    }
    return true;
}
