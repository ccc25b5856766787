// The polling main loop: a pass either handles one window message or, with an empty queue,
// draws and presents a frame and acts on the keys held.
#include "app/main_loop.h"

#include "app/frame.h"
#include "app/gl_window.h"
#include "app/images_ahead.h"
#include "app/shell_state.h"
#include "engine/engine.h"
#include "platform/platform.h"

using namespace platform;

namespace {

// The keys of one idle pass, after the frame: display mode, view, effect switches.
// False when the window of a display-mode switch could not be opened.
bool handleKeys() {
    if (keyDown[VK_F1]) {
        keyDown[VK_F1] = false;
        closeGlWindow();
        fullscreenMode = !fullscreenMode;
        if (!openGlWindow("Vorn Eng Dev", 1024, 768, 32, fullscreenMode)) return false;
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

}  // namespace

int runMainLoop(bool (*drawOneFrame)(), bool (*afterFrame)()) {
    bool done = false;
    int exitCode = 0;
    while (!done) {
        Message message;
        if (peekMessage(message)) {
            if (message.message == WM_QUIT) {
                done = true;
                exitCode = int(message.wParam);
            } else {
                translateMessage(message);
                dispatchMessage(message);
            }
            continue;
        }
        if (windowActive) {
            if (keyDown[VK_ESCAPE]) {
                done = true;
            } else {
                drawOneFrame();
                swapBuffers(deviceContext);
            }
        }
        if (!afterFrame()) return 0;
    }
    engine.shutdown();
    closeGlWindow();
    // Escape ends with 0 too, not with the code of whichever key message came last.
    return exitCode;
}

int runDemo() {
    // Decoded while the user answers and the window opens, with no change to what is loaded.
    decodeMeshImagesAhead(demoSceneFile);
    if (messageBox("Fullscreen Mode?", "Start FullScreen?", MB_YESNO | MB_ICONQUESTION) == IDNO)
        fullscreenMode = false;
    if (!openGlWindow("Vorn Engine Dev.", 1024, 768, 32, fullscreenMode)) return 0;
    return runMainLoop(drawScene, handleKeys);
}
