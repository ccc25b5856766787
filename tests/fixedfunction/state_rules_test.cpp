// OpenGL 1.1's rules as the layer keeps them: the errors of each call, stack limits, the
// state the attribute stacks give back, texture environments as combiners, generation
// planes, display lists and the extension string.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <functional>
#include <string>

#include "fixedfunction/context.h"
#include "fixedfunction/fixed_function.h"
#include "tests/fixedfunction/recording_driver.h"

namespace {

using fixedfunction::current;

struct ErrorCase {
    const char* name;
    std::function<void()> calls;
    GLenum error;
};

std::ostream& operator<<(std::ostream& out, const ErrorCase& c) { return out << c.name; }

class Errors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(Errors, AreReportedOnceAndThenCleared) {
    fftest::startRecordingContext();
    GetParam().calls();
    EXPECT_EQ(glGetError(), GetParam().error);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

void pushTimes(int times) {
    for (int i = 0; i < times; ++i) glPushMatrix();
}

INSTANTIATE_TEST_SUITE_P(
    Calls, Errors,
    ::testing::Values(
        ErrorCase{"modelview popped at depth 1", [] { glPopMatrix(); }, GL_STACK_UNDERFLOW},
        ErrorCase{"projection popped at depth 1", [] { glMatrixMode(GL_PROJECTION); glPopMatrix(); }, GL_STACK_UNDERFLOW},
        ErrorCase{"texture matrix popped at depth 1", [] { glMatrixMode(GL_TEXTURE); glPopMatrix(); }, GL_STACK_UNDERFLOW},
        ErrorCase{"modelview pushed to 32", [] { pushTimes(31); }, GL_NO_ERROR},
        ErrorCase{"modelview pushed past 32", [] { pushTimes(32); }, GL_STACK_OVERFLOW},
        ErrorCase{"texture matrix pushed past 10", [] { glMatrixMode(GL_TEXTURE); pushTimes(10); }, GL_STACK_OVERFLOW},
        ErrorCase{"the first error is kept", [] { glPopMatrix(); glMatrixMode(GL_LIGHT0); }, GL_STACK_UNDERFLOW},
        ErrorCase{"an unknown matrix mode", [] { glMatrixMode(GL_LIGHT0); }, GL_INVALID_ENUM},
        ErrorCase{"a matrix call between glBegin and glEnd", [] { glBegin(GL_TRIANGLES); glPushMatrix(); glEnd(); }, GL_INVALID_OPERATION},
        ErrorCase{"glBegin twice", [] { glBegin(GL_TRIANGLES); glBegin(GL_TRIANGLES); glEnd(); }, GL_INVALID_OPERATION},
        ErrorCase{"glEnd alone", [] { glEnd(); }, GL_INVALID_OPERATION},
        ErrorCase{"glBegin of no primitive", [] { glBegin(GL_TEXTURE_2D); }, GL_INVALID_ENUM},
        ErrorCase{"an unknown capability", [] { glEnable(GL_LIGHT0); }, GL_INVALID_ENUM},
        ErrorCase{"a fourth texture unit", [] { glActiveTextureARB(GL_TEXTURE3_ARB); }, GL_INVALID_ENUM},
        ErrorCase{"an unknown environment mode", [] { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_SRC_COLOR); }, GL_INVALID_ENUM},
        ErrorCase{"an RGB scale of 3", [] { glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE_EXT, 3.0f); }, GL_INVALID_VALUE},
        ErrorCase{"DOT3 as the alpha combiner", [] { glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA_EXT, GL_DOT3_RGB_EXT); }, GL_INVALID_ENUM},
        ErrorCase{"a colour operand for alpha", [] { glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA_EXT, GL_SRC_COLOR); }, GL_INVALID_ENUM},
        ErrorCase{"a source that is no source", [] { glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_EXT, GL_SRC_COLOR); }, GL_INVALID_ENUM},
        ErrorCase{"sphere mapping of r", [] { glTexGeni(GL_R, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP); }, GL_INVALID_ENUM},
        ErrorCase{"a generation mode that is none", [] { glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_MODULATE); }, GL_INVALID_ENUM},
        ErrorCase{"a 3D texture bound", [] { glBindTexture(GL_TEXTURE_3D, 1); }, GL_INVALID_ENUM},
        ErrorCase{"an image of internal format 5", [] { glTexImage2D(GL_TEXTURE_2D, 0, 5, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr); }, GL_INVALID_VALUE},
        ErrorCase{"an image with a border", [] { glTexImage2D(GL_TEXTURE_2D, 0, 3, 1, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, nullptr); }, GL_INVALID_VALUE},
        ErrorCase{"an image of floats", [] { glTexImage2D(GL_TEXTURE_2D, 0, 3, 1, 1, 0, GL_RGB, GL_FLOAT, nullptr); }, GL_INVALID_ENUM},
        ErrorCase{"GL_CLAMP as a filter", [] { glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_CLAMP); }, GL_INVALID_ENUM},
        ErrorCase{"an unpack alignment of 3", [] { glPixelStorei(GL_UNPACK_ALIGNMENT, 3); }, GL_INVALID_VALUE},
        ErrorCase{"a negative row length", [] { glPixelStorei(GL_UNPACK_ROW_LENGTH, -1); }, GL_INVALID_VALUE},
        ErrorCase{"attributes popped from an empty stack", [] { glPopAttrib(); }, GL_STACK_UNDERFLOW},
        ErrorCase{"client attributes popped from an empty stack", [] { glPopClientAttrib(); }, GL_STACK_UNDERFLOW},
        ErrorCase{"list 0", [] { glNewList(0, GL_COMPILE); }, GL_INVALID_VALUE},
        ErrorCase{"a list mode that is none", [] { glNewList(1, GL_RENDER); }, GL_INVALID_ENUM},
        ErrorCase{"a list within a list", [] { glNewList(1, GL_COMPILE); glNewList(2, GL_COMPILE); glEndList(); }, GL_INVALID_OPERATION},
        ErrorCase{"glEndList alone", [] { glEndList(); }, GL_INVALID_OPERATION},
        ErrorCase{"a negative list range", [] { glGenLists(-1); }, GL_INVALID_VALUE},
        ErrorCase{"a bitmap of negative width", [] { glBitmap(-1, 1, 0, 0, 0, 0, nullptr); }, GL_INVALID_VALUE},
        ErrorCase{"an orthographic box of no depth", [] { glOrtho(0, 1, 0, 1, 1, 1); }, GL_INVALID_VALUE},
        ErrorCase{"a frustum with its near plane at 0", [] { glFrustum(-1, 1, -1, 1, 0, 1); }, GL_INVALID_VALUE},
        ErrorCase{"pixels read as floats", [] { float f[4]; glReadPixels(0, 0, 1, 1, GL_RGBA, GL_FLOAT, f); }, GL_INVALID_ENUM},
        ErrorCase{"an unknown string", [] { glGetString(GL_TEXTURE_2D); }, GL_INVALID_ENUM}),
    fftest::NamedCase<ErrorCase>());

TEST(CurrentState, StartsAsOpenGLDoes) {
    fftest::startRecordingContext();
    const fixedfunction::State& state = current().glState();
    EXPECT_EQ(state.current.color[0], 1.0f);
    EXPECT_EQ(state.current.color[3], 1.0f);
    EXPECT_EQ(state.current.normal[2], 1.0f);
    EXPECT_EQ(state.matrixMode, GLenum(GL_MODELVIEW));
    EXPECT_EQ(state.units[1].environment.mode, GLenum(GL_MODULATE));
    EXPECT_EQ(state.units[2].texGen[0].mode, GLenum(GL_EYE_LINEAR));
    // The default planes: s = x, t = y.
    EXPECT_EQ(state.units[2].texGen[0].eyePlane, (std::array<float, 4>{1, 0, 0, 0}));
    EXPECT_EQ(state.units[2].texGen[1].objectPlane, (std::array<float, 4>{0, 1, 0, 0}));
}

TEST(CurrentState, EachUnitKeepsItsOwnCoordinates) {
    fftest::startRecordingContext();
    glMultiTexCoord2fARB(GL_TEXTURE0_ARB, 1, 2);
    glMultiTexCoord2fARB(GL_TEXTURE2_ARB, 5, 6);
    glTexCoord2f(7, 8);  // unit 0's
    const fixedfunction::State& state = current().glState();
    EXPECT_EQ(state.current.texCoord[0][0], 7.0f);
    EXPECT_EQ(state.current.texCoord[1][0], 0.0f);
    EXPECT_EQ(state.current.texCoord[2][1], 6.0f);
}

TEST(AttributeStacks, GiveBackWhatTheirMaskSaved) {
    fftest::startRecordingContext();
    glActiveTextureARB(GL_TEXTURE1_ARB);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_EXT);
    glListBase(7);
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
        glDisable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
        glActiveTextureARB(GL_TEXTURE0_ARB);
        glListBase(9);
    glPopAttrib();
    const fixedfunction::State& state = current().glState();
    EXPECT_EQ(state.activeUnit, 1);
    EXPECT_TRUE(state.units[1].enabled2D);
    EXPECT_EQ(state.units[1].environment.mode, GLenum(GL_COMBINE_EXT));
    EXPECT_EQ(state.listBase, 9u) << "the list base is not in the enable or texture groups";
    glPushAttrib(GL_LIST_BIT);
        glListBase(11);
    glPopAttrib();
    EXPECT_EQ(current().glState().listBase, 9u);
}

TEST(AttributeStacks, ClientPixelStoreComesBack) {
    fftest::startRecordingContext();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 40);
        glPixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
    glPopClientAttrib();
    GLint alignment = 0, rowLength = -1, lsbFirst = -1;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
    glGetIntegerv(GL_UNPACK_LSB_FIRST, &lsbFirst);
    EXPECT_EQ(alignment, 2);
    EXPECT_EQ(rowLength, 0);
    EXPECT_EQ(lsbFirst, 0);
}

struct EnvironmentCase {
    const char* name;
    std::function<void()> settings;
    bool rgbaTexture;
    GLenum combineRgb, combineAlpha;
    GLenum firstRgbSource;
    int rgbShift;
};

std::ostream& operator<<(std::ostream& out, const EnvironmentCase& c) { return out << c.name; }

class Environments : public ::testing::TestWithParam<EnvironmentCase> {};

TEST_P(Environments, BecomeMesasCombiners) {
    const EnvironmentCase c = GetParam();
    fftest::startRecordingContext();
    c.settings();
    const fixedfunction::UnitKey key =
        fixedfunction::combinersOf(current().glState().units[0].environment, c.rgbaTexture);
    EXPECT_EQ(key.combineRgb, c.combineRgb);
    EXPECT_EQ(key.combineAlpha, c.combineAlpha);
    EXPECT_EQ(key.rgb[0].source, c.firstRgbSource);
    EXPECT_EQ(key.rgbShift, c.rgbShift);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Environments,
    ::testing::Values(
        EnvironmentCase{"modulate on RGB keeps the alpha", [] {}, false, GL_MODULATE, GL_REPLACE, GL_TEXTURE, 0},
        EnvironmentCase{"modulate on RGBA", [] {}, true, GL_MODULATE, GL_MODULATE, GL_TEXTURE, 0},
        EnvironmentCase{"replace", [] { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE); }, true, GL_REPLACE, GL_REPLACE, GL_TEXTURE, 0},
        EnvironmentCase{"decal on RGBA blends by the texture's alpha", [] { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL); }, true, GL_INTERPOLATE_EXT, GL_REPLACE, GL_TEXTURE, 0},
        EnvironmentCase{"decal on RGB replaces", [] { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL); }, false, GL_REPLACE, GL_REPLACE, GL_TEXTURE, 0},
        EnvironmentCase{"combine with a scale of 2", [] {
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_EXT);
            glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE_EXT, 2); }, false, GL_MODULATE, GL_MODULATE, GL_TEXTURE, 1},
        EnvironmentCase{"DOT3 selected ignores the scale", [] {
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_EXT);
            glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE_EXT, 4);
            glTexEnvf(GL_TEXTURE_ENV, GL_COMBINE_RGB_EXT, GLfloat(GL_DOT3_RGB_EXT));
            glTexEnvf(GL_TEXTURE_ENV, GL_SOURCE0_RGB_EXT, GLfloat(GL_PRIMARY_COLOR_EXT)); }, false, GL_DOT3_RGB_EXT, GL_MODULATE, GL_PRIMARY_COLOR_EXT, 0},
        EnvironmentCase{"DOT3 stored, then modulate selected", [] {
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_EXT);
            glTexEnvf(GL_TEXTURE_ENV, GL_COMBINE_RGB_EXT, GLfloat(GL_DOT3_RGB_EXT));
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE); }, false, GL_MODULATE, GL_REPLACE, GL_TEXTURE, 0}),
    fftest::NamedCase<EnvironmentCase>());

TEST(Environments, StoredDot3SettingsStayWhenTheModeChanges) {
    fftest::startRecordingContext();
    glTexEnvf(GL_TEXTURE_ENV, GL_COMBINE_RGB_EXT, GLfloat(GL_DOT3_RGB_EXT));
    glTexEnvf(GL_TEXTURE_ENV, GL_SOURCE2_RGB_EXT, GLfloat(GL_PRIMARY_COLOR_EXT));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    const fixedfunction::TextureEnvironment& environment = current().glState().units[0].environment;
    EXPECT_EQ(environment.combineRgb, GLenum(GL_DOT3_RGB_EXT));
    EXPECT_EQ(environment.sourceRgb[2], GLenum(GL_PRIMARY_COLOR_EXT));
}

TEST(TexGen, AnEyePlaneIsTakenThroughTheModelviewOfItsTime) {
    fftest::startRecordingContext();
    glTranslatef(0, 0, -2);
    const GLfloat plane[4] = {0, 0, 1, 0};
    glTexGenfv(GL_S, GL_EYE_PLANE, plane);
    glLoadIdentity();
    // p M^-1 with M a translation by -2 along z: (0, 0, 1, 2).
    EXPECT_EQ(current().glState().units[0].texGen[0].eyePlane, (std::array<float, 4>{0, 0, 1, 2}));
}

TEST(DisplayLists, RecordCallsAndReplayThemInOrder) {
    fftest::startRecordingContext();
    const GLuint base = glGenLists(2);
    glNewList(base, GL_COMPILE);
        glColor3f(0.5f, 0.25f, 0.125f);
        glTranslatef(1, 0, 0);
    glEndList();
    glNewList(base + 1, GL_COMPILE);
        glCallList(base);
        glCallList(base);
    glEndList();
    const fixedfunction::State& state = current().glState();
    EXPECT_EQ(state.current.color[0], 1.0f) << "compiling does not execute";
    glListBase(base);
    const GLubyte names[1] = {1};
    glCallLists(1, GL_UNSIGNED_BYTE, names);
    EXPECT_EQ(state.current.color[1], 0.25f);
    EXPECT_EQ(state.modelview.top().at(0, 3), 2.0f);
}

TEST(DisplayLists, NamesAreGivenInFreeRuns) {
    fftest::startRecordingContext();
    const GLuint first = glGenLists(256);
    const GLuint second = glGenLists(256);
    EXPECT_NE(first, 0u);
    EXPECT_GE(second, first + 256);
    glDeleteLists(first, 256);
    EXPECT_EQ(glIsList(first), GL_FALSE);
    EXPECT_EQ(glIsList(second + 255), GL_TRUE);
}

TEST(DisplayLists, ABitmapKeepsTheUnpackSettingsOfItsCompilation) {
    fftest::startRecordingContext();
    glViewport(0, 0, 64, 64);
    const GLuint list = glGenLists(1);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
    const GLubyte bits[4] = {0x01, 0, 0, 0};
    glNewList(list, GL_COMPILE);
        glBitmap(8, 1, 0, 0, 10, 0, bits);
    glEndList();
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glRasterPos2f(0, 0);
    glCallList(list);
    GLfloat position[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    EXPECT_EQ(position[0], 42.0f) << "the raster position moves by the bitmap's advance";
    glFinish();
    EXPECT_EQ(fftest::driverRecord().draws.size(), 1u);
}

TEST(Extensions, OfferWhatTheLayerDoesLessWhatIsHidden) {
    fftest::startRecordingContext();
    const std::string all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    EXPECT_EQ(all, "GL_ARB_multitexture GL_EXT_texture_env_combine GL_EXT_texture_env_dot3");
    fixedfunction::hideExtension("GL_EXT_texture_env_dot3");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS))),
              "GL_ARB_multitexture GL_EXT_texture_env_combine");
    fixedfunction::showAllExtensions();
}

const GLubyte* APIENTRY es3Strings(GLenum name) {
    return reinterpret_cast<const GLubyte*>(name == GL_VERSION ? "OpenGL ES 3.2 Mesa 22.3.6" : "");
}
const GLubyte* APIENTRY es2Strings(GLenum name) {
    return reinterpret_cast<const GLubyte*>(name == GL_VERSION ? "OpenGL ES 2.0" : "GL_OES_rgb8_rgba8");
}
const GLubyte* APIENTRY es2NpotStrings(GLenum name) {
    return reinterpret_cast<const GLubyte*>(name == GL_VERSION ? "OpenGL ES 2.0" : "GL_OES_texture_npot");
}

TEST(Extensions, TexturesOfAnySizeWhereTheDriverTakesThem) {
    struct Case {
        const GLubyte*(APIENTRY* strings)(GLenum);
        bool anySize;
    };
    for (const Case& c : {Case{es3Strings, true}, Case{es2Strings, false}, Case{es2NpotStrings, true}}) {
        fixedfunction::Driver driver = fftest::recordingDriver();
        driver.GetString = c.strings;
        fixedfunction::makeContextCurrent(98, driver);
        const std::string offered = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        EXPECT_EQ(offered.find("GL_ARB_texture_non_power_of_two") != std::string::npos, c.anySize) << offered;
        fixedfunction::forgetContext(98);
    }
}

TEST(Extensions, TheStringStaysWhereItIsWhileItSaysTheSame) {
    fftest::startRecordingContext();
    const GLubyte* first = glGetString(GL_EXTENSIONS);
    glGetString(GL_RENDERER);
    EXPECT_EQ(glGetString(GL_EXTENSIONS), first) << "a kept pointer still reads the extensions";
}

TEST(Extensions, TheMultitextureEntryPointsAreTheLayers) {
    EXPECT_EQ(fixedfunction::procAddress("glMultiTexCoord2fARB"), reinterpret_cast<void*>(&glMultiTexCoord2fARB));
    EXPECT_NE(fixedfunction::procAddress("glBindFramebuffer"), nullptr);
    EXPECT_EQ(fixedfunction::procAddress("glNoSuchCall"), nullptr);
}

TEST(Textures, RgbImagesGoUpAsOpaqueRgba) {
    fftest::startRecordingContext();
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const unsigned char rgba[4] = {1, 2, 3, 4};
    glTexImage2D(GL_TEXTURE_2D, 0, 3, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    ASSERT_EQ(fftest::driverRecord().texImageFormats.size(), 2u);
    EXPECT_EQ(fftest::driverRecord().texImageFormats[0], GLenum(GL_RGBA));
    EXPECT_EQ(fftest::driverRecord().texImageFormats[1], GLenum(GL_LUMINANCE));
}

}  // namespace
