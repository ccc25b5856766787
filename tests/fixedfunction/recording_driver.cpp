// The recording driver: defaults that succeed, and the few calls the tests look at.
#include "tests/fixedfunction/recording_driver.h"

#include "fixedfunction/context.h"
#include "fixedfunction/fixed_function.h"

namespace fftest {
namespace {

GLuint nextName = 1;

void APIENTRY countNames(GLsizei n, GLuint* names) {
    for (GLsizei i = 0; i < n; ++i) names[i] = nextName++;
}
GLuint APIENTRY newName() { return nextName++; }
GLuint APIENTRY newShader(GLenum) { return nextName++; }
void APIENTRY succeeded(GLuint, GLenum, GLint* status) { *status = 1; }
GLint APIENTRY location(GLuint, const GLchar*) { return 0; }
void APIENTRY drawArrays(GLenum mode, GLint, GLsizei count) { driverRecord().draws.push_back({mode, count}); }
void APIENTRY clear(GLbitfield) { ++driverRecord().clears; }
void APIENTRY texImage(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum format, GLenum, const void*) {
    driverRecord().texImageFormats.push_back(format);
}
void APIENTRY integers(GLenum name, GLint* values) { *values = name == GL_MAX_TEXTURE_SIZE ? 2048 : 0; }

fixedfunction::Driver makeDriver() {
    fixedfunction::Driver driver;  // every call a no-op, then the ones looked at
    driver.GenTextures = driver.GenBuffers = driver.GenFramebuffers = driver.GenRenderbuffers = &countNames;
    driver.CreateProgram = &newName;
    driver.CreateShader = &newShader;
    driver.GetShaderiv = driver.GetProgramiv = &succeeded;
    driver.GetUniformLocation = &location;
    driver.DrawArrays = &drawArrays;
    driver.Clear = &clear;
    driver.TexImage2D = &texImage;
    driver.GetIntegerv = &integers;
    return driver;
}

}  // namespace

const fixedfunction::Driver& recordingDriver() {
    static const fixedfunction::Driver driver = makeDriver();
    return driver;
}

DriverRecord& driverRecord() {
    static DriverRecord record;
    return record;
}

void startRecordingContext() {
    static std::uintptr_t key = 100;
    fixedfunction::forgetContext(key);
    fixedfunction::makeContextCurrent(++key, recordingDriver());
    fixedfunction::showAllExtensions();
    driverRecord() = DriverRecord{};
}

}  // namespace fftest
