// The polling main loop: a pass either handles one window message or, with an empty queue,
// draws and presents a frame and then lets the program act on the keys held.
#include "app/main_loop.h"

#include "app/demo_program.h"
#include "app/frame.h"
#include "app/gl_window.h"
#include "app/images_ahead.h"
#include "app/shell_state.h"
#include "engine/engine.h"
#include "platform/platform.h"

using namespace platform;

bool MainLoop::runOnePass() {
    if (ended) return false;
    bool done = false;
    Message message;
    if (peekMessage(message)) {
        if (message.message != WM_QUIT) {
            translateMessage(message);
            dispatchMessage(message);
            return true;
        }
        done = true;
        code = int(message.wParam);
    } else {
        if (windowActive) {
            if (keyDown[VK_ESCAPE]) {
                done = true;
            } else {
                program.frame();
                swapBuffers(deviceContext);
            }
        }
        if (!program.keys()) {
            ended = true;
            code = 0;
            return false;
        }
    }
    if (!done) return true;
    ended = true;
    engine.shutdown();
    closeGlWindow();
    // Escape ends with 0 too, not with the code of whichever key message came last.
    return false;
}

int runMainLoop(ShellProgram& program) {
    MainLoop loop(program);
    while (loop.runOnePass()) {
    }
    return loop.exitCode();
}

int runDemo() {
    // Decoded while the user answers and the window opens, with no change to what is loaded.
    decodeMeshImagesAhead(demoSceneFile);
    if (messageBox("Fullscreen Mode?", "Start FullScreen?", MB_YESNO | MB_ICONQUESTION) == IDNO)
        fullscreenMode = false;
    DemoProgram demo(demoSceneFile);
    if (!openGlWindow(demo, "Vorn Engine Dev.", 1024, 768, 32, fullscreenMode)) return 0;
    return runMainLoop(demo);
}
