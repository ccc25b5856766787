// The shared pieces of the OpenGL tests: message box recording, back buffer capture, matrices,
// temporary directories and the two kinds of context.
#include "tests/gl/gl_test_support.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <random>

#include "app/demo_program.h"
#include "app/frame.h"
#include "app/gl_window.h"
#include "app/shell_state.h"
#include "platform/platform.h"

namespace gltest {

namespace {

int answerAndRecord(const char* text, const char* caption, unsigned style) {
    recordedBoxes().push_back({text ? text : "", caption ? caption : "", style});
    return (style & 0x0F) == platform::MB_YESNO ? platform::IDYES : platform::IDOK;
}

void readBackBufferOnly() {
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
}

}  // namespace

std::vector<RecordedBox>& recordedBoxes() {
    static std::vector<RecordedBox> boxes;
    return boxes;
}

void recordMessageBoxes() {
    recordedBoxes().clear();
    platform::setMessageBoxResponder(answerAndRecord);
}

Rgb toRgb(float r, float g, float b) {
    auto channel = [](float value) { return int(std::lround(value * 255.0f)); };
    return {channel(r), channel(g), channel(b)};
}

bool near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
    return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

FrameCapture::FrameCapture() : pixels(std::size_t(kWidth) * kHeight * 3) {
    readBackBufferOnly();
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
}

Rgb FrameCapture::at(int x, int yFromTop) const {
    const std::size_t row = std::size_t(kHeight - 1 - yFromTop);
    const unsigned char* p = pixels.data() + (row * kWidth + std::size_t(x)) * 3;
    return {p[0], p[1], p[2]};
}

int FrameCapture::count(const Box& box, const Rgb& colour, int tolerance) const {
    int found = 0;
    for (int y = std::max(box.top, 0); y <= std::min(box.bottom, kHeight - 1); ++y)
        for (int x = std::max(box.left, 0); x <= std::min(box.right, kWidth - 1); ++x)
            if (near(at(x, y), colour, tolerance)) ++found;
    return found;
}

int FrameCapture::countLit(const Box& box) const {
    int lit = 0;
    for (int y = std::max(box.top, 0); y <= std::min(box.bottom, kHeight - 1); ++y)
        for (int x = std::max(box.left, 0); x <= std::min(box.right, kWidth - 1); ++x) {
            const Rgb p = at(x, y);
            if (p.r != 0 || p.g != 0 || p.b != 0) ++lit;
        }
    return lit;
}

std::vector<float> matrix(GLenum which) {
    std::vector<float> m(16);
    glGetFloatv(which, m.data());
    return m;
}

std::vector<float> identityMatrix() {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

TempDirectory::TempDirectory() {
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        root = base / ("vorn-gl-" + std::to_string(seed()));
        if (std::filesystem::create_directory(root)) break;
    }
}

TempDirectory::~TempDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::string TempDirectory::pathOf(const std::string& name) const { return (root / name).string(); }

std::string TempDirectory::write(const std::string& name,
                                 const std::vector<unsigned char>& bytes) const {
    const std::string path = pathOf(name);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

void OffscreenGlTest::SetUp() {
    // Without a display the platform falls back to a surfaceless context, which has no back
    // buffer to read: these tests need the X server that scripts/test.sh starts.
    const char* display = std::getenv("DISPLAY");
    ASSERT_TRUE(display != nullptr && display[0] != '\0') << "the OpenGL tests need DISPLAY";
    recordMessageBoxes();
    ASSERT_TRUE(platform::createOffscreenContext(kWidth, kHeight));
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0, 0, 0, 0);
    glDrawBuffer(GL_BACK);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    readBackBufferOnly();
}

void OffscreenGlTest::TearDown() {
    platform::destroyOffscreenContext();
    platform::setMessageBoxResponder(nullptr);
}

bool ProgramWindowTest::windowOpened = false;
std::vector<RecordedBox> ProgramWindowTest::boxesWhileOpening;

void ProgramWindowTest::SetUpTestSuite() {
    recordMessageBoxes();
    resetShellState();
    resetPixelFormat();
    static DemoProgram demo(demoSceneFile);
    windowOpened = openGlWindow(demo, "t", kWidth, kHeight, 32, false);
    boxesWhileOpening = recordedBoxes();
    recordedBoxes().clear();
}

void ProgramWindowTest::TearDownTestSuite() {
    if (windowOpened) closeGlWindow();
    windowOpened = false;
    platform::setMessageBoxResponder(nullptr);
}

void ProgramWindowTest::SetUp() {
    ASSERT_TRUE(windowOpened) << "openGlWindow failed; DISPLAY must name a running X server";
    recordedBoxes().clear();
    readBackBufferOnly();
}

}  // namespace gltest
