// Writes the frames the pixel comparison compares: the demo's window at 1024 x 768, the scene
// drawn at fixed view angles (not with the clock) with its overlay, under every combination
// of the two switches, several frames each so that the textures scroll. Built twice: linked
// against the system's GL, and against the fixed-function layer on OpenGL ES 2.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/bitmap_font.h"
#include "app/demo_program.h"
#include "app/frame.h"
#include "app/gl_window.h"
#include "app/shell_state.h"
#include "engine/engine.h"
#include "image/decode.h"
#include "platform/platform.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr int kFramesPerCombination = 3;

// The demo's frame with a fixed rate text and the given angles instead of the clock's.
void drawFixedFrame(float angleX, float angleY) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glColor3f(1.0f, 1.0f, 1.0f);
    beginFlatColours();
        smallFont.print(930, 740, "fps: ");
        smallFont.setColor(1.0f, 0.0f, 0.0f);
        smallFont.print(960, 740, "60");
        smallFont.setColor(1.0f, 1.0f, 1.0f);
        titleFont.setColor(0.4f, 0.8f, 0.9f);
        titleFont.print(10, 40, "Vorn Engine Development");
        drawSwitchStates();
    endFlatColours();
    gluLookAt(0, 0, 1, 0, 0, 0, 0, 1, 0);
    glRotated(angleX, 1, 0, 0);
    glRotated(angleY, 0, 1, 0);
    engine.drawAllMeshes();
}

bool writeFrame(const std::string& path) {
    std::vector<unsigned char> pixels(std::size_t(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", kWidth, kHeight);
    // Rows top first, as PPM keeps them.
    for (int row = kHeight - 1; row >= 0; --row)
        std::fwrite(pixels.data() + std::size_t(row) * kWidth * 3, 1, std::size_t(kWidth) * 3, file);
    return std::fclose(file) == 0;
}

int answerFirstButton(const char* text, const char*, unsigned) {
    std::fprintf(stderr, "message: %s\n", text);
    return platform::IDOK;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: frame_writer OUTDIR [MESHFILE]\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    // The demo's own start, on the mesh file named or on the demo's scene.
    DemoProgram demo(argc > 2 ? argv[2] : "scene/2cube.vno");
    startImageDecoding();
    platform::setMessageBoxResponder(answerFirstButton);
    if (!openGlWindow(demo, "Vorn frames", kWidth, kHeight, 16, false)) return 1;
    bool written = true;
    int frame = 0;
    for (int combination = 0; combination < 4; ++combination) {
        if (combination & 1) engine.enableDetail(); else engine.disableDetail();
        if (combination & 2) engine.enableBump(); else engine.disableBump();
        for (int step = 0; step < kFramesPerCombination; ++step, ++frame) {
            drawFixedFrame(25.0f + 9.0f * float(frame), 40.0f + 13.0f * float(frame));
            const std::string name = folder + "/frame-d" + std::to_string(combination & 1) + "-b" +
                                     std::to_string((combination >> 1) & 1) + "-" + std::to_string(step) + ".ppm";
            written = writeFrame(name) && written;
            platform::swapBuffers(deviceContext);
        }
    }
    closeGlWindow();
    return written ? 0 : 1;
}
