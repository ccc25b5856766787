// Reading the three texture units through glActiveTextureARB, fetched from the platform.
#include "tests/gl/texture_units.h"

#include <GL/glext.h>

#include "platform/platform.h"

namespace gltest {

namespace {

using ActiveTexture = void(APIENTRY*)(GLenum unit);

ActiveTexture activeTextureEntry() {
    return reinterpret_cast<ActiveTexture>(platform::getProcAddress("glActiveTextureARB"));
}

GLint envParameter(GLenum name) {
    GLint value = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, name, &value);
    return value;
}

GLint genMode(GLenum coordinate) {
    GLint value = 0;
    glGetTexGeniv(coordinate, GL_TEXTURE_GEN_MODE, &value);
    return value;
}

}  // namespace

void selectUnit(int unit) { activeTextureEntry()(GLenum(GL_TEXTURE0_ARB + unit)); }

TextureUnits readTextureUnits() {
    TextureUnits read;
    GLint active = GL_TEXTURE0_ARB;
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
    read.activeUnit = active - GL_TEXTURE0_ARB;
    for (int unit = 0; unit < 3; ++unit) {
        selectUnit(unit);
        UnitState& state = read.units[unit];
        state.texture2d = glIsEnabled(GL_TEXTURE_2D);
        state.genS = glIsEnabled(GL_TEXTURE_GEN_S);
        state.genT = glIsEnabled(GL_TEXTURE_GEN_T);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &state.binding);
        state.envMode = envParameter(GL_TEXTURE_ENV_MODE);
        state.rgbScale = envParameter(GL_RGB_SCALE_EXT);
        state.combineRgb = envParameter(GL_COMBINE_RGB_EXT);
        state.source0Rgb = envParameter(GL_SOURCE0_RGB_EXT);
        state.operand0Rgb = envParameter(GL_OPERAND0_RGB_EXT);
        state.source2Rgb = envParameter(GL_SOURCE2_RGB_EXT);
        state.operand2Rgb = envParameter(GL_OPERAND2_RGB_EXT);
        state.genModeS = genMode(GL_S);
        state.genModeT = genMode(GL_T);
    }
    activeTextureEntry()(GLenum(active));
    return read;
}

std::ostream& operator<<(std::ostream& out, const UnitState& unit) {
    return out << std::hex << "{2D " << unit.texture2d << ", gen " << unit.genS << unit.genT
               << ", bound " << std::dec << unit.binding << std::hex << ", mode 0x" << unit.envMode
               << ", scale " << unit.rgbScale << ", combine 0x" << unit.combineRgb
               << ", src0 0x" << unit.source0Rgb << "/0x" << unit.operand0Rgb << ", src2 0x"
               << unit.source2Rgb << "/0x" << unit.operand2Rgb << ", gen mode 0x" << unit.genModeS
               << "/0x" << unit.genModeT << std::dec << "}";
}

std::ostream& operator<<(std::ostream& out, const TextureUnits& units) {
    return out << "active " << units.activeUnit << "; unit 0 " << units.units[0] << "; unit 1 "
               << units.units[1] << "; unit 2 " << units.units[2];
}

}  // namespace gltest
