// Shared by the OpenGL tests: recorded message boxes, real 1024 x 768 contexts (a hidden window
// or the program's own) whose back buffer they read, and temporary directories for their files.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "render/texture_list.h"

namespace gltest {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

struct RecordedBox {
    std::string text;
    std::string caption;
    unsigned style = 0;
};

// Every message box from now on is recorded and answered with its first button (OK or Yes),
// so that nothing ever waits for a user.
void recordMessageBoxes();
std::vector<RecordedBox>& recordedBoxes();

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
// A colour given as the floats the program passes to glColor3f, in 0..255.
Rgb toRgb(float r, float g, float b);
bool near(const Rgb& a, const Rgb& b, int tolerance);
std::ostream& operator<<(std::ostream& out, const Rgb& colour);

// A box of the virtual screen in top-left pixel coordinates, both ends included.
struct Box {
    int left, top, right, bottom;
};

// The whole back buffer, read once; queried in top-left coordinates as the text is placed
// (glReadPixels counts rows from the bottom).
class FrameCapture {
public:
    FrameCapture();
    Rgb at(int x, int yFromTop) const;
    // Pixels within `tolerance` of `colour` inside `box`.
    int count(const Box& box, const Rgb& colour, int tolerance) const;
    // Pixels inside `box` that are not black.
    int countLit(const Box& box) const;
    bool operator==(const FrameCapture& other) const { return pixels == other.pixels; }

private:
    std::vector<unsigned char> pixels;  // RGB, bottom row first
};

// A matrix as GL keeps it, column by column.
std::vector<float> matrix(GLenum which);
std::vector<float> identityMatrix();

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    // Writes the bytes and returns the file's full path.
    std::string write(const std::string& name, const std::vector<unsigned char>& bytes) const;
    std::string pathOf(const std::string& name) const;

private:
    std::filesystem::path root;
};

// A current context of a hidden 1024 x 768 window, recorded message boxes, a black back
// buffer selected for reading.
class OffscreenGlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A texture list of the test's own, made in the offscreen context and gone before it.
class TextureListGlTest : public OffscreenGlTest {
protected:
    void SetUp() override {
        OffscreenGlTest::SetUp();
        if (HasFatalFailure()) return;
        // Built in the context, as the engine's list is used once the window is open.
        list = std::make_unique<TextureList>();
    }
    void TearDown() override {
        list.reset();
        OffscreenGlTest::TearDown();
    }

    std::unique_ptr<TextureList> list;
};

// The program's own window, opened once per suite through openGlWindow with the working
// directory as the program has it (the repository root, which holds the scene).
class ProgramWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static bool windowOpened;
    static std::vector<RecordedBox> boxesWhileOpening;
};

}  // namespace gltest
