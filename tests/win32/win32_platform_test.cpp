// The Win32 platform as the program meets it: its window procedure, the queue, the
// offscreen context, extension entry points and the timer, on a real (Wine) window system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <GL/gl.h>
#include <GL/glext.h>

#include "engine/gl_extensions.h"
#include "platform/platform.h"

using namespace platform;

namespace {

std::vector<unsigned> received;

LResult recordingProcedure(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    received.push_back(message);
    return defWindowProc(window, message, wParam, lParam);
}

constexpr unsigned WM_CREATE = 0x0001, WM_DESTROY = 0x0002;

class Win32Window : public ::testing::Test {
protected:
    void SetUp() override {
        received.clear();
        WindowClass windowClass;
        windowClass.style = CS_OWNDC;
        windowClass.procedure = recordingProcedure;
        windowClass.instance = getModuleHandle();
        windowClass.className = "VornTest";
        ASSERT_TRUE(registerClass(windowClass));
    }
    void TearDown() override {
        if (window != 0) destroyWindow(window);
        EXPECT_TRUE(unregisterClass("VornTest", getModuleHandle()));
    }
    bool contains(unsigned message) const {
        for (unsigned m : received)
            if (m == message) return true;
        return false;
    }
    WindowHandle window = 0;
};

}  // namespace

TEST_F(Win32Window, TheClassProcedureReceivesTheWindowsOwnMessages) {
    // Class names are matched without case: the program registers "OpenGL" and makes "OpenGl".
    window = createWindowEx(0, "VORNtest", "vorn test", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, 0,
                            getModuleHandle());
    ASSERT_NE(window, 0u);
    EXPECT_TRUE(contains(WM_CREATE));
    EXPECT_TRUE(destroyWindow(window));
    EXPECT_TRUE(contains(WM_DESTROY));
    window = 0;
}

TEST_F(Win32Window, RegisteringAClassTwiceFails) {
    WindowClass again;
    again.procedure = recordingProcedure;
    again.instance = getModuleHandle();
    again.className = "vorntest";
    EXPECT_FALSE(registerClass(again));
}

TEST_F(Win32Window, AWindowGetsAPixelFormatAndAContextThatDraws) {
    window = createWindowEx(0, "VornTest", "vorn test", WS_POPUP, 0, 0, 64, 64, 0,
                            getModuleHandle());
    ASSERT_NE(window, 0u);
    const DeviceContext dc = getDC(window);
    ASSERT_NE(dc, 0u);
    PixelFormatDescriptor format;
    format.nSize = PIXEL_FORMAT_DESCRIPTOR_SIZE;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.cColorBits = 32;
    format.cDepthBits = 16;
    const int chosen = choosePixelFormat(dc, format);
    ASSERT_GT(chosen, 0);
    ASSERT_TRUE(setPixelFormat(dc, chosen, format));
    const RenderContext rc = createContext(dc);
    ASSERT_NE(rc, 0u);
    ASSERT_TRUE(makeCurrent(dc, rc));
    EXPECT_NE(getProcAddress("glActiveTextureARB"), nullptr);
    EXPECT_TRUE(swapBuffers(dc));
    EXPECT_TRUE(makeCurrent(0, 0));
    EXPECT_TRUE(deleteContext(rc));
    EXPECT_FALSE(deleteContext(rc));
    EXPECT_TRUE(releaseDC(window, dc));
}

struct FrameCase {
    const char* name;
    unsigned style, exStyle;
    bool grows;
};

const FrameCase frameCases[] = {
    {"Windowed", WS_OVERLAPPEDWINDOW, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, true},
    {"Fullscreen", WS_POPUP, WS_EX_APPWINDOW, false},
};

class WindowFrame : public ::testing::TestWithParam<FrameCase> {};

TEST_P(WindowFrame, AdjustingTheRectangleAddsTheFrameOfTheStyle) {
    Rect rect{0, 0, 1024, 768};
    ASSERT_TRUE(adjustWindowRectEx(rect, GetParam().style, false, GetParam().exStyle));
    const long width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (GetParam().grows) {
        EXPECT_GT(width, 1024);
        EXPECT_GT(height, 768);
        EXPECT_LT(rect.top, 0);
    } else {
        EXPECT_EQ(width, 1024);
        EXPECT_EQ(height, 768);
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, WindowFrame, ::testing::ValuesIn(frameCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Win32Queue, AQuitMessageCarriesItsExitCode) {
    postQuitMessage(3);
    Message message;
    bool quit = false;
    for (int i = 0; i < 100 && !quit; ++i)
        if (peekMessage(message)) quit = message.message == WM_QUIT;
    ASSERT_TRUE(quit);
    EXPECT_EQ(message.wParam, 3u);
}

TEST(Win32Offscreen, AHiddenWindowGivesACurrentContextOnce) {
    ASSERT_TRUE(createOffscreenContext(32, 32));
    EXPECT_NE(getProcAddress("glMultiTexCoord2fARB"), nullptr);
    // OpenGL 1.1 entry points come from opengl32 itself.
    EXPECT_NE(getProcAddress("glGetString"), nullptr);
    EXPECT_EQ(getProcAddress("glNoSuchFunctionVORN"), nullptr);
    EXPECT_FALSE(createOffscreenContext(32, 32));

    // Called through the engine's own pointer types, with the driver's calling convention: a
    // 32-bit program that got it wrong would lose its stack here.
    const auto activeTexture =
        reinterpret_cast<ActiveTextureProc>(getProcAddress("glActiveTextureARB"));
    ASSERT_NE(activeTexture, nullptr);
    for (int pass = 0; pass < 1000; ++pass) activeTexture(GL_TEXTURE1_ARB);
    GLint unit = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &unit);
    EXPECT_EQ(unit, GL_TEXTURE1_ARB);
    destroyOffscreenContext();
    ASSERT_TRUE(createOffscreenContext(16, 16));
    destroyOffscreenContext();
}

TEST(Win32MessageBox, AResponderGetsTheTextsAsUtf8) {
    static std::string seenText, seenCaption;
    setMessageBoxResponder([](const char* text, const char* caption, unsigned) {
        seenText = text;
        seenCaption = caption;
        return IDNO;
    });
    EXPECT_EQ(messageBox("Chargement Termin\xe9", "Kovo GL", MB_YESNO), IDNO);
    setMessageBoxResponder(nullptr);
    EXPECT_EQ(seenText, "Chargement Termin\xc3\xa9");
    EXPECT_EQ(seenCaption, "Kovo GL");
}

TEST(Win32Timer, TheCounterRunsAtItsFrequencyAndSleepWaits) {
    std::int64_t frequency = 0, before = 0, after = 0;
    ASSERT_TRUE(queryPerformanceFrequency(frequency));
    ASSERT_GT(frequency, 0);
    ASSERT_TRUE(queryPerformanceCounter(before));
    sleep(50);
    ASSERT_TRUE(queryPerformanceCounter(after));
    EXPECT_GE(double(after - before) / double(frequency), 0.045);
}
