// Bitmap fonts from GDI drawn by their display lists: every glyph, the space among them,
// moves the raster position by its advance, in a window's context and in the offscreen one.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

using namespace platform;

namespace {

class Win32Font : public ::testing::Test {
protected:
    // A window of the program's kind, whose device context the fonts are selected into.
    void openWindowContext() {
        WindowClass windowClass;
        windowClass.style = CS_OWNDC;
        windowClass.procedure = defWindowProc;
        windowClass.instance = getModuleHandle();
        windowClass.className = "VornFontTest";
        ASSERT_TRUE(registerClass(windowClass));
        window = createWindowEx(0, "VornFontTest", "", WS_POPUP, 0, 0, 256, 64, 0,
                                getModuleHandle());
        ASSERT_NE(window, 0u);
        dc = getDC(window);
        PixelFormatDescriptor format;
        format.nSize = PIXEL_FORMAT_DESCRIPTOR_SIZE;
        format.nVersion = 1;
        format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        format.cColorBits = 32;
        const int chosen = choosePixelFormat(dc, format);
        ASSERT_TRUE(chosen > 0 && setPixelFormat(dc, chosen, format));
        rc = createContext(dc);
        ASSERT_TRUE(rc != 0 && makeCurrent(dc, rc));
    }
    // A tool's picture: the offscreen context, and no device context (0) to give the fonts.
    void openOffscreenContext() {
        ASSERT_TRUE(createOffscreenContext(256, 64));
        offscreen = true;
    }
    void TearDown() override {
        if (font != 0) {
            EXPECT_TRUE(deleteObject(font));
        }
        if (listBase != 0) glDeleteLists(listBase, 256);
        if (offscreen) destroyOffscreenContext();
        if (window == 0) return;
        makeCurrent(0, 0);
        deleteContext(rc);
        releaseDC(window, dc);
        destroyWindow(window);
        unregisterClass("VornFontTest", getModuleHandle());
    }
    bool build(const char* face, int height) {
        FontRequest request;
        request.height = height;
        request.weight = FW_BOLD;
        request.charSet = ANSI_CHARSET;
        request.outputPrecision = OUT_TT_PRECIS;
        request.quality = ANTIALIASED_QUALITY;
        request.faceName = face;
        font = createFont(request);
        if (font == 0) return false;
        listBase = glGenLists(256);
        selectObject(dc, font);
        return useFontBitmaps(dc, 0, 255, listBase);
    }
    // How far the raster position moves while the text is drawn.
    float advanceOf(const std::string& text) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 256, 64, 0, 0, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRasterPos2i(10, 40);
        float start[4], end[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, start);
        glListBase(listBase);
        glCallLists(GLsizei(text.size()), GL_UNSIGNED_BYTE, text.data());
        glGetFloatv(GL_CURRENT_RASTER_POSITION, end);
        return end[0] - start[0];
    }
    WindowHandle window = 0;
    DeviceContext dc = 0;
    RenderContext rc = 0;
    bool offscreen = false;
    FontHandle font = 0;
    GLuint listBase = 0;
};

struct AdvanceCase {
    const char* name;
    const char* face;
    int height;
    bool inAWindow;
};

const AdvanceCase advanceCases[] = {
    {"TheDemosOverlayFont", "Arial", 20, true},
    {"ASmallFont", "Arial", 12, true},
    {"AFaceThatIsNotInstalled", "No Such Face", 18, true},
    {"AToolsPictureWithoutAWindow", "Arial", 20, false},
};

class FontAdvance : public Win32Font, public ::testing::WithParamInterface<AdvanceCase> {};

}  // namespace

TEST_P(FontAdvance, EveryGlyphAndTheSpaceMoveTheRasterPosition) {
    if (GetParam().inAWindow) openWindowContext();
    else openOffscreenContext();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(build(GetParam().face, GetParam().height));
    const float space = advanceOf(" ");
    const float letter = advanceOf("A");
    EXPECT_GT(space, 0.0f);
    EXPECT_GT(letter, space);
    EXPECT_FLOAT_EQ(advanceOf("A A"), 2 * letter + space);
    EXPECT_FLOAT_EQ(advanceOf("AA"), 2 * letter);
}

INSTANTIATE_TEST_SUITE_P(Fonts, FontAdvance, ::testing::ValuesIn(advanceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Win32Font, AFontDeletedOnceIsGone) {
    openWindowContext();
    ASSERT_TRUE(build("Arial", 16));
    EXPECT_TRUE(deleteObject(font));
    EXPECT_FALSE(deleteObject(font));
    EXPECT_FALSE(deleteObject(0));
    font = 0;
}
