// The viewer's start-up, frame and keys, run by the shell's window and polling loop, or drawn
// unseen into an offscreen framebuffer for a picture.
#include "tools/view/viewer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/bitmap_font.h"
#include "app/frame.h"
#include "app/frame_timer.h"
#include "app/gl_window.h"
#include "app/main_loop.h"
#include "app/shell_state.h"
#include "engine/engine.h"
#include "platform/platform.h"
#include "tools/common/printed_message_boxes.h"
#include "tools/view/picture.h"
#include "tools/view/view_camera.h"
#include "tools/view/viewed_scene.h"

using namespace platform;

namespace {

constexpr float pictureFrameSeconds = 1.0f / 60.0f;
constexpr float arrowDegreesPerSecond = 90.0f;
constexpr float dragDegreesPerPixel = 0.4f;
constexpr unsigned keyL = 'L', keyR = 'R';
constexpr int orbitCamera = -1;

struct Viewer {
    ViewOptions options;
    std::string fileName;
    bool picture = false;        // drawn unseen for --screenshot: fixed time, no frame rate
    bool refused = false;        // the last load of the file was refused
    bool cameraMissing = false;  // --camera named a camera the file does not have
    int camera = orbitCamera;    // index in the engine's cameras, or the orbit view
    Orbit orbit;
    Bounds bounds;
    bool markersShown = true;
    bool screenshotWanted = false;
    float frameSeconds = 0.0f;
    bool keyWasDown[256] = {};
};

// The viewer as a program on the shell: it owns the viewed file's state, its overlay lines and
// its keys; the shell's start-up comes first, then the viewed file instead of the demo's.
class ViewerProgram : public ShellProgram {
public:
    ViewerProgram(const ViewOptions& options, bool picture);
    void start() override {
        startShell();
        loadViewed(true);
    }
    void frame() override { drawViewerScene(); }
    bool keys() override;
    // What a file that cannot be shown as asked makes of the run, once its loader has spoken.
    int refusal() const;
    const ViewOptions& options() const { return viewer.options; }
    const std::string& fileName() const { return viewer.fileName; }

private:
    void chooseCamera(bool atStart);
    void loadViewed(bool atStart);
    void reload();
    void describeView();
    void drawViewerOverlay();
    void placeView();
    bool drawViewerScene();
    bool pressed(unsigned key);
    void nextCamera();
    void turnOrbit();

    Viewer viewer;
    // Overlay lines, formatted into fixed buffers: no allocation per frame.
    char countsLine[4][48] = {};
    char cameraLine[300] = {};
    char lightsLine[64] = {};
};

// The camera the view starts from or keeps after a reload: the one asked for if there is one,
// otherwise the first; the orbit view when the file has none or the user chose it.
void ViewerProgram::chooseCamera(bool atStart) {
    const int cameras = int(engine.cameras.all().size());
    if (atStart) {
        viewer.cameraMissing = viewer.options.cameraGiven && viewer.options.camera >= cameras;
        viewer.camera = cameras == 0 ? orbitCamera
                        : viewer.options.camera < cameras ? viewer.options.camera
                                                          : 0;
    } else if (viewer.camera >= cameras) {
        viewer.camera = cameras == 0 ? orbitCamera : 0;
    }
}

void ViewerProgram::loadViewed(bool atStart) {
    viewer.refused = !loadViewedFile(engine, viewer.options.path.c_str());
    viewer.bounds = sceneBounds(engine.meshes);
    chooseCamera(atStart);

    const SceneCounts counts = countScene(engine);
    std::snprintf(countsLine[0], sizeof countsLine[0], "Triangles: %zu", counts.triangles);
    std::snprintf(countsLine[1], sizeof countsLine[1], "Meshes: %zu", counts.meshes);
    std::snprintf(countsLine[2], sizeof countsLine[2], "Materials: %zu", counts.materials);
    std::snprintf(countsLine[3], sizeof countsLine[3], "Textures: %zu", counts.textures);
}

void ViewerProgram::reload() {
    unloadScene(engine);
    loadViewed(false);
}

void ViewerProgram::describeView() {
    const int cameras = int(engine.cameras.all().size());
    if (viewer.camera == orbitCamera)
        std::snprintf(cameraLine, sizeof cameraLine, "Camera: orbit");
    else
        std::snprintf(cameraLine, sizeof cameraLine, "Camera: %s (%d of %d)",
                      engine.cameras.all()[std::size_t(viewer.camera)].getName(),
                      viewer.camera + 1, cameras);
    std::snprintf(lightsLine, sizeof lightsLine, "Lights: %zu, markers %s (L)",
                  engine.lights.all().size(), viewer.markersShown ? "shown" : "hidden");
}

void ViewerProgram::drawViewerOverlay() {
    describeView();
    titleFont.setColor(0.4f, 0.8f, 0.9f);
    titleFont.print(10, 40, viewer.fileName.c_str());
    smallFont.setColor(1.0f, 1.0f, 1.0f);
    int y = 70;
    const char* const lines[] = {countsLine[0], countsLine[1], countsLine[2],
                                 countsLine[3], cameraLine,    lightsLine};
    for (const char* line : lines) {
        smallFont.print(10, y, line);
        y += 20;
    }
    drawSwitchStates();
}

void ViewerProgram::placeView() {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const float aspect = viewport[3] > 0 ? float(viewport[2]) / float(viewport[3]) : 1.0f;
    const ViewPlacement view =
        viewer.camera == orbitCamera
            ? orbitView(viewer.bounds, viewer.orbit, aspect)
            : cameraView(engine.cameras.all()[std::size_t(viewer.camera)]);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(view.fieldOfView, aspect, view.nearPlane, view.farPlane);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(view.eye.x, view.eye.y, view.eye.z, view.target.x, view.target.y, view.target.z,
              view.up.x, view.up.y, view.up.z);
}

void writeScreenshot() {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glReadBuffer(GL_BACK);
    const std::string name = nextScreenshotName();
    if (writePng(name, viewport[2], viewport[3], readPixels(viewport[2], viewport[3]))) {
        std::printf("%s\n", name.c_str());
        std::fflush(stdout);
    } else {
        std::fprintf(stderr, "vorn-view: error: could not write %s\n", name.c_str());
    }
}

bool ViewerProgram::drawViewerScene() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    viewer.frameSeconds = viewer.picture ? pictureFrameSeconds : frameTimer.elapsedSeconds(1);
    glColor3f(1.0f, 1.0f, 1.0f);

    beginFlatColours();
    // A picture must come out the same every time: the rate of the moment stays out of it.
    if (!viewer.picture) drawFrameRate();
    drawViewerOverlay();
    endFlatColours();

    placeView();
    engine.drawAllMeshes();
    if (viewer.markersShown) {
        // A marker turns texturing off on the active unit only; the others would tint it.
        beginFlatColours();
        engine.drawLightMarkers();
        endFlatColours();
    }

    // Read before the swap: the back buffer holds this frame only until then.
    if (viewer.screenshotWanted) {
        viewer.screenshotWanted = false;
        writeScreenshot();
    }
    return true;
}

// True once per press: the key is down now and was not at the previous look.
bool ViewerProgram::pressed(unsigned key) {
    const bool down = keyDown[key];
    const bool fresh = down && !viewer.keyWasDown[key];
    viewer.keyWasDown[key] = down;
    return fresh;
}

void ViewerProgram::nextCamera() {
    // After the last camera comes the orbit view, then the first camera again.
    const int cameras = int(engine.cameras.all().size());
    if (cameras == 0) return;
    viewer.camera = viewer.camera + 1 < cameras ? viewer.camera + 1 : orbitCamera;
}

void ViewerProgram::turnOrbit() {
    const float step = arrowDegreesPerSecond * viewer.frameSeconds;
    float yaw = 0.0f, pitch = 0.0f;
    if (keyDown[VK_LEFT]) yaw -= step;
    if (keyDown[VK_RIGHT]) yaw += step;
    if (keyDown[VK_UP]) pitch += step;
    if (keyDown[VK_DOWN]) pitch -= step;
    // Dragging to the right turns the scene to the right: the eye goes the other way.
    yaw -= float(mouse.dragX) * dragDegreesPerPixel;
    pitch += float(mouse.dragY) * dragDegreesPerPixel;
    const int wheel = mouse.wheelSteps;
    mouse.dragX = mouse.dragY = mouse.wheelSteps = 0;
    if (viewer.camera != orbitCamera) return;
    viewer.orbit.turn(yaw, pitch);
    viewer.orbit.zoomBy(wheel);
}

bool ViewerProgram::keys() {
    if (pressed(VK_TAB)) nextCamera();
    if (pressed(keyL)) viewer.markersShown = !viewer.markersShown;
    if (pressed(VK_NUMPAD1)) {
        if (engine.isDetailEnabled()) engine.disableDetail();
        else engine.enableDetail();
    }
    if (pressed(VK_NUMPAD2)) {
        if (engine.isBumpEnabled()) engine.disableBump();
        else engine.enableBump();
    }
    if (pressed(keyR)) {
        reload();
        // A message box of the reload may take the key's release: the next press must count.
        keyDown[keyR] = viewer.keyWasDown[keyR] = false;
    }
    if (pressed(VK_F12)) viewer.screenshotWanted = true;
    turnOrbit();
    return true;
}

ViewerProgram::ViewerProgram(const ViewOptions& options, bool picture) {
    viewer.options = options;
    viewer.fileName = fileNameOf(options.path);
    viewer.picture = picture;
}

int ViewerProgram::refusal() const {
    if (viewer.refused) {
        std::fprintf(stderr, "vorn-view: error: %s was refused\n", viewer.options.path.c_str());
        return 1;
    }
    if (viewer.cameraMissing) {
        std::fprintf(stderr, "vorn-view: error: %s has no camera %d (it has %zu)\n",
                     viewer.options.path.c_str(), viewer.options.camera,
                     engine.cameras.all().size());
        return 2;
    }
    return 0;
}

// The unseen run that tests look into between frames.
std::unique_ptr<ViewerProgram> picture;
std::unique_ptr<OffscreenFramebuffer> pictureTarget;

}  // namespace

int runViewerWindow(const ViewOptions& options) {
    ViewerProgram program(options, false);
    const std::string title = "vorn-view: " + program.fileName();
    if (!openGlWindow(program, title.c_str(), options.width, options.height, 32,
                      options.fullscreen))
        return 1;
    if (const int code = program.refusal()) {
        closeGlWindow();
        return code;
    }
    return runMainLoop(program);
}

int runViewerPicture(const ViewOptions& options) {
    int code = openViewerPicture(options);
    if (code == 0) {
        drawViewerFrames(options.frames);
        if (!writePng(options.screenshot, options.width, options.height, viewerPixels())) {
            std::fprintf(stderr, "vorn-view: error: could not write %s\n",
                         options.screenshot.c_str());
            code = 1;
        }
    }
    closeViewerPicture();
    return code;
}

int openViewerPicture(const ViewOptions& options) {
    picture = std::make_unique<ViewerProgram>(options, true);
    // Nobody is there to answer: every box gets its default answer and is printed.
    setMessageBoxResponder(toolcommon::printAndAnswerMessageBox);
    if (!createOffscreenContext(options.width, options.height)) {
        std::fprintf(stderr, "vorn-view: error: no OpenGL context could be made\n");
        return 1;
    }
    pictureTarget = std::make_unique<OffscreenFramebuffer>();
    if (!pictureTarget->create(options.width, options.height)) {
        std::fprintf(stderr, "vorn-view: error: no offscreen picture of %dx%d can be drawn\n",
                     options.width, options.height);
        return 1;
    }
    resizeView(options.width, options.height);
    initGlState(*picture);
    return picture->refusal();
}

void drawViewerFrames(int count) {
    for (int frame = 0; frame < count && picture; ++frame) picture->frame();
}

bool handleViewerKeys() { return picture && picture->keys(); }

std::vector<unsigned char> viewerPixels() {
    if (!picture) return {};
    return readPixels(picture->options().width, picture->options().height);
}

void closeViewerPicture() {
    if (pictureTarget) {
        unloadScene(engine);
        pictureTarget.reset();
    }
    destroyOffscreenContext();
    setMessageBoxResponder(nullptr);
    picture.reset();
}
