// The state-setting calls: current attributes, matrices, enables, texture environments and
// generation, attribute stacks, and their errors.
#include "fixedfunction/context.h"

#include <algorithm>

namespace fixedfunction {
namespace {

bool isUnit(GLenum unit) { return unit >= GL_TEXTURE0 && unit < GL_TEXTURE0 + kTextureUnits; }

// glTexEnv's combiner names, each with the member it sets.
GLenum* combinerSetting(TextureEnvironment& environment, GLenum name) {
    switch (name) {
    case GL_COMBINE_RGB_EXT: return &environment.combineRgb;
    case GL_COMBINE_ALPHA_EXT: return &environment.combineAlpha;
    case GL_SOURCE0_RGB_EXT: case GL_SOURCE1_RGB_EXT: case GL_SOURCE2_RGB_EXT:
        return &environment.sourceRgb[name - GL_SOURCE0_RGB_EXT];
    case GL_SOURCE0_ALPHA_EXT: case GL_SOURCE1_ALPHA_EXT: case GL_SOURCE2_ALPHA_EXT:
        return &environment.sourceAlpha[name - GL_SOURCE0_ALPHA_EXT];
    case GL_OPERAND0_RGB_EXT: case GL_OPERAND1_RGB_EXT: case GL_OPERAND2_RGB_EXT:
        return &environment.operandRgb[name - GL_OPERAND0_RGB_EXT];
    case GL_OPERAND0_ALPHA_EXT: case GL_OPERAND1_ALPHA_EXT: case GL_OPERAND2_ALPHA_EXT:
        return &environment.operandAlpha[name - GL_OPERAND0_ALPHA_EXT];
    default: return nullptr;
    }
}

// Whether value is one of the values the combiner setting `name` takes.
bool validCombinerValue(GLenum name, GLenum value) {
    switch (name) {
    case GL_COMBINE_RGB_EXT:
        return value == GL_REPLACE || value == GL_MODULATE || value == GL_ADD || value == GL_ADD_SIGNED_EXT ||
               value == GL_INTERPOLATE_EXT || value == GL_DOT3_RGB_EXT || value == GL_DOT3_RGBA_EXT;
    case GL_COMBINE_ALPHA_EXT:
        return value == GL_REPLACE || value == GL_MODULATE || value == GL_ADD || value == GL_ADD_SIGNED_EXT ||
               value == GL_INTERPOLATE_EXT;
    case GL_SOURCE0_RGB_EXT: case GL_SOURCE1_RGB_EXT: case GL_SOURCE2_RGB_EXT:
    case GL_SOURCE0_ALPHA_EXT: case GL_SOURCE1_ALPHA_EXT: case GL_SOURCE2_ALPHA_EXT:
        return value == GL_TEXTURE || value == GL_CONSTANT_EXT || value == GL_PRIMARY_COLOR_EXT ||
               value == GL_PREVIOUS_EXT;
    case GL_OPERAND0_ALPHA_EXT: case GL_OPERAND1_ALPHA_EXT: case GL_OPERAND2_ALPHA_EXT:
        return value == GL_SRC_ALPHA || value == GL_ONE_MINUS_SRC_ALPHA;
    default:
        return value == GL_SRC_COLOR || value == GL_ONE_MINUS_SRC_COLOR || value == GL_SRC_ALPHA ||
               value == GL_ONE_MINUS_SRC_ALPHA;
    }
}

}  // namespace

State::State() {
    projection.limit = kProjectionStackDepth;
    for (TextureUnit& unit : units) {
        unit.matrix.limit = kTextureStackDepth;
        // The default planes: s = x and t = y, in object and in eye space alike.
        unit.texGen[0].objectPlane = unit.texGen[0].eyePlane = {1, 0, 0, 0};
        unit.texGen[1].objectPlane = unit.texGen[1].eyePlane = {0, 1, 0, 0};
    }
}

MatrixStack& State::currentStack() {
    if (matrixMode == GL_PROJECTION) return projection;
    if (matrixMode == GL_TEXTURE) return units[std::size_t(activeUnit)].matrix;
    return modelview;
}

void Context::setError(GLenum error) {
    if (state.error == GL_NO_ERROR) state.error = error;
}

GLenum Context::takeError() {
    const GLenum error = state.error;
    state.error = GL_NO_ERROR;
    return error;
}

void Context::color(float r, float g, float b, float a) {
    state.current.color[0] = r;
    state.current.color[1] = g;
    state.current.color[2] = b;
    state.current.color[3] = a;
}

void Context::normal(float x, float y, float z) {
    state.current.normal[0] = x;
    state.current.normal[1] = y;
    state.current.normal[2] = z;
}

void Context::texCoord(GLenum unit, float s, float t) {
    if (!isUnit(unit)) return setError(GL_INVALID_ENUM);
    state.current.texCoord[unit - GL_TEXTURE0][0] = s;
    state.current.texCoord[unit - GL_TEXTURE0][1] = t;
}

void Context::matrixMode(GLenum mode) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) return setError(GL_INVALID_ENUM);
    state.matrixMode = mode;
}

void Context::loadIdentity() {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    state.currentStack().top() = Matrix{};
    changed();
}

void Context::multiplyMatrix(const Matrix& matrix) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    fixedfunction::multiply(state.currentStack().top(), matrix);
    changed();
}

void Context::pushMatrix() {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    MatrixStack& stack = state.currentStack();
    if (int(stack.matrices.size()) >= stack.limit) return setError(GL_STACK_OVERFLOW);
    stack.matrices.push_back(stack.top());
}

void Context::popMatrix() {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    MatrixStack& stack = state.currentStack();
    if (stack.matrices.size() <= 1) return setError(GL_STACK_UNDERFLOW);
    // A matrix pushed and popped with nothing done to it changes nothing: the batch goes on
    // without the draw state being worked out again (the demo pushes one around every face).
    const bool same = stack.matrices.back() == stack.matrices[stack.matrices.size() - 2];
    stack.matrices.pop_back();
    if (!same) changed();
}

void Context::rotate(float angle, float x, float y, float z) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    fixedfunction::rotate(state.currentStack().top(), angle, x, y, z);
    changed();
}

void Context::translate(float x, float y, float z) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    fixedfunction::translate(state.currentStack().top(), x, y, z);
    changed();
}

void Context::scale(float x, float y, float z) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    fixedfunction::scale(state.currentStack().top(), x, y, z);
    changed();
}

void Context::ortho(double left, double right, double bottom, double top, double nearValue, double farValue) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if (left == right || bottom == top || nearValue == farValue) return setError(GL_INVALID_VALUE);
    fixedfunction::ortho(state.currentStack().top(), float(left), float(right), float(bottom), float(top),
                         float(nearValue), float(farValue));
    changed();
}

void Context::frustum(double left, double right, double bottom, double top, double nearValue, double farValue) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if (nearValue <= 0 || farValue <= 0 || left == right || bottom == top || nearValue == farValue)
        return setError(GL_INVALID_VALUE);
    fixedfunction::frustum(state.currentStack().top(), float(left), float(right), float(bottom), float(top),
                           float(nearValue), float(farValue));
    changed();
}

void Context::setEnabled(GLenum capability, bool enabled) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    TextureUnit& unit = state.units[std::size_t(state.activeUnit)];
    switch (capability) {
    case GL_TEXTURE_2D: unit.enabled2D = enabled; break;
    case GL_TEXTURE_GEN_S: unit.texGen[0].enabled = enabled; break;
    case GL_TEXTURE_GEN_T: unit.texGen[1].enabled = enabled; break;
    case GL_DEPTH_TEST: state.depthTest = enabled; break;
    // Kept for glIsEnabled and the attribute stack; OpenGL ES has no polygon smoothing, and
    // with blending off Mesa's smoothing changes no pixel either.
    case GL_POLYGON_SMOOTH: state.polygonSmooth = enabled; break;
    case GL_NORMALIZE: state.normalize = enabled; break;
    case GL_CULL_FACE: state.cullFace = enabled; break;
    default: return setError(GL_INVALID_ENUM);
    }
    changed();
}

bool Context::isEnabled(GLenum capability) {
    const TextureUnit& unit = state.units[std::size_t(state.activeUnit)];
    switch (capability) {
    case GL_TEXTURE_2D: return unit.enabled2D;
    case GL_TEXTURE_GEN_S: return unit.texGen[0].enabled;
    case GL_TEXTURE_GEN_T: return unit.texGen[1].enabled;
    case GL_DEPTH_TEST: return state.depthTest;
    case GL_POLYGON_SMOOTH: return state.polygonSmooth;
    case GL_NORMALIZE: return state.normalize;
    case GL_CULL_FACE: return state.cullFace;
    default: setError(GL_INVALID_ENUM); return false;
    }
}

void Context::activeTexture(GLenum unit) {
    if (!isUnit(unit)) return setError(GL_INVALID_ENUM);
    state.activeUnit = int(unit - GL_TEXTURE0);
}

void Context::clientActiveTexture(GLenum unit) {
    if (!isUnit(unit)) return setError(GL_INVALID_ENUM);
    state.clientActiveUnit = int(unit - GL_TEXTURE0);
}

void Context::texEnv(GLenum target, GLenum name, float value) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if (target != GL_TEXTURE_ENV) return setError(GL_INVALID_ENUM);
    TextureEnvironment& environment = state.units[std::size_t(state.activeUnit)].environment;
    const GLenum asEnum = GLenum(value);
    if (name == GL_TEXTURE_ENV_MODE) {
        if (asEnum != GL_MODULATE && asEnum != GL_REPLACE && asEnum != GL_DECAL && asEnum != GL_BLEND &&
            asEnum != GL_ADD && asEnum != GL_COMBINE_EXT)
            return setError(GL_INVALID_ENUM);
        environment.mode = asEnum;
    } else if (name == GL_RGB_SCALE_EXT || name == GL_ALPHA_SCALE) {
        if (value != 1.0f && value != 2.0f && value != 4.0f) return setError(GL_INVALID_VALUE);
        (name == GL_RGB_SCALE_EXT ? environment.rgbScale : environment.alphaScale) = value;
    } else if (GLenum* setting = combinerSetting(environment, name)) {
        if (!validCombinerValue(name, asEnum)) return setError(GL_INVALID_ENUM);
        *setting = asEnum;
    } else {
        return setError(GL_INVALID_ENUM);
    }
    changed();
}

void Context::texEnvColor(const float* color) {
    TextureEnvironment& environment = state.units[std::size_t(state.activeUnit)].environment;
    for (int i = 0; i < 4; ++i) environment.color[std::size_t(i)] = std::clamp(color[i], 0.0f, 1.0f);
    changed();
}

void Context::texGenMode(GLenum coordinate, GLenum name, GLint mode) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if ((coordinate != GL_S && coordinate != GL_T) || name != GL_TEXTURE_GEN_MODE)
        return setError(GL_INVALID_ENUM);
    if (mode != GL_OBJECT_LINEAR && mode != GL_EYE_LINEAR && mode != GL_SPHERE_MAP)
        return setError(GL_INVALID_ENUM);
    state.units[std::size_t(state.activeUnit)].texGen[coordinate - GL_S].mode = GLenum(mode);
    changed();
}

void Context::texGenPlane(GLenum coordinate, GLenum name, const float* plane) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if ((coordinate != GL_S && coordinate != GL_T) || (name != GL_OBJECT_PLANE && name != GL_EYE_PLANE))
        return setError(GL_INVALID_ENUM);
    TexGen& texGen = state.units[std::size_t(state.activeUnit)].texGen[coordinate - GL_S];
    if (name == GL_OBJECT_PLANE) {
        texGen.objectPlane = {plane[0], plane[1], plane[2], plane[3]};
    } else {
        // An eye plane is kept as the modelview at the time of the call maps it: p * M^-1.
        Matrix inverted;
        inverse(state.modelview.top(), inverted);
        for (int column = 0; column < 4; ++column)
            texGen.eyePlane[std::size_t(column)] = plane[0] * inverted.at(0, column) + plane[1] * inverted.at(1, column) +
                                                   plane[2] * inverted.at(2, column) + plane[3] * inverted.at(3, column);
    }
    changed();
}

void Context::shadeModel(GLenum mode) {
    if (mode != GL_SMOOTH && mode != GL_FLAT) return setError(GL_INVALID_ENUM);
    state.shadeModel = mode;
}

void Context::depthFunc(GLenum function) {
    if (function < GL_NEVER || function > GL_ALWAYS) return setError(GL_INVALID_ENUM);
    state.depthFunc = function;
    changed();
}

void Context::hint(GLenum target, GLenum mode) {
    if (mode != GL_FASTEST && mode != GL_NICEST && mode != GL_DONT_CARE) return setError(GL_INVALID_ENUM);
    // Every hint the program gives asks for what the shaders always do (perspective-correct
    // interpolation), so none is kept.
    (void)target;
}

void Context::pushAttrib(GLbitfield mask) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if (int(state.attribStack.size()) >= kAttribStackDepth) return setError(GL_STACK_OVERFLOW);
    SavedAttributes saved;
    saved.mask = mask;
    saved.enables.depthTest = state.depthTest;
    saved.enables.polygonSmooth = state.polygonSmooth;
    saved.enables.normalize = state.normalize;
    saved.enables.cullFace = state.cullFace;
    saved.texture.activeUnit = state.activeUnit;
    for (int u = 0; u < kTextureUnits; ++u) {
        const TextureUnit& unit = state.units[std::size_t(u)];
        saved.enables.texture2D[std::size_t(u)] = unit.enabled2D;
        saved.enables.texGen[std::size_t(u)] = {unit.texGen[0].enabled, unit.texGen[1].enabled};
        saved.texture.bindings[std::size_t(u)] = unit.binding;
        saved.texture.environments[std::size_t(u)] = unit.environment;
        saved.texture.texGens[std::size_t(u)] = unit.texGen;
    }
    saved.listBase = state.listBase;
    saved.current = state.current;
    saved.shadeModel = state.shadeModel;
    saved.depthFunc = state.depthFunc;
    state.attribStack.push_back(saved);
}

void Context::popAttrib() {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if (state.attribStack.empty()) return setError(GL_STACK_UNDERFLOW);
    const SavedAttributes saved = state.attribStack.back();
    state.attribStack.pop_back();
    if (saved.mask & GL_TEXTURE_BIT) {
        state.activeUnit = saved.texture.activeUnit;
        for (int u = 0; u < kTextureUnits; ++u) {
            TextureUnit& unit = state.units[std::size_t(u)];
            unit.binding = saved.texture.bindings[std::size_t(u)];
            unit.environment = saved.texture.environments[std::size_t(u)];
            // The texture group holds the texture and generation enables too.
            unit.texGen = saved.texture.texGens[std::size_t(u)];
            unit.enabled2D = saved.enables.texture2D[std::size_t(u)];
        }
    }
    if (saved.mask & GL_ENABLE_BIT) {
        state.depthTest = saved.enables.depthTest;
        state.polygonSmooth = saved.enables.polygonSmooth;
        state.normalize = saved.enables.normalize;
        state.cullFace = saved.enables.cullFace;
        for (int u = 0; u < kTextureUnits; ++u) {
            TextureUnit& unit = state.units[std::size_t(u)];
            unit.enabled2D = saved.enables.texture2D[std::size_t(u)];
            unit.texGen[0].enabled = saved.enables.texGen[std::size_t(u)][0];
            unit.texGen[1].enabled = saved.enables.texGen[std::size_t(u)][1];
        }
    }
    if (saved.mask & GL_LIST_BIT) state.listBase = saved.listBase;
    if (saved.mask & GL_CURRENT_BIT) state.current = saved.current;
    if (saved.mask & GL_LIGHTING_BIT) state.shadeModel = saved.shadeModel;
    if (saved.mask & GL_DEPTH_BUFFER_BIT) state.depthFunc = saved.depthFunc;
    changed();
}

void Context::pushClientAttrib(GLbitfield mask) {
    if (int(state.clientAttribStack.size()) >= kAttribStackDepth) return setError(GL_STACK_OVERFLOW);
    state.clientAttribStack.push_back({mask, state.unpack, state.pack, state.clientActiveUnit});
}

void Context::popClientAttrib() {
    if (state.clientAttribStack.empty()) return setError(GL_STACK_UNDERFLOW);
    const SavedClientAttributes saved = state.clientAttribStack.back();
    state.clientAttribStack.pop_back();
    if (saved.mask & GL_CLIENT_PIXEL_STORE_BIT) {
        state.unpack = saved.unpack;
        state.pack = saved.pack;
    }
    if (saved.mask & GL_CLIENT_VERTEX_ARRAY_BIT) state.clientActiveUnit = saved.clientActiveUnit;
}

void Context::pixelStore(GLenum name, GLint value) {
    PixelStore& store = (name >= GL_PACK_SWAP_BYTES && name <= GL_PACK_ALIGNMENT) ? state.pack : state.unpack;
    switch (name) {
    case GL_UNPACK_ALIGNMENT: case GL_PACK_ALIGNMENT:
        if (value != 1 && value != 2 && value != 4 && value != 8) return setError(GL_INVALID_VALUE);
        store.alignment = value;
        break;
    case GL_UNPACK_ROW_LENGTH: case GL_PACK_ROW_LENGTH:
    case GL_UNPACK_SKIP_ROWS: case GL_PACK_SKIP_ROWS:
    case GL_UNPACK_SKIP_PIXELS: case GL_PACK_SKIP_PIXELS:
        if (value < 0) return setError(GL_INVALID_VALUE);
        if (name == GL_UNPACK_ROW_LENGTH || name == GL_PACK_ROW_LENGTH) store.rowLength = value;
        else if (name == GL_UNPACK_SKIP_ROWS || name == GL_PACK_SKIP_ROWS) store.skipRows = value;
        else store.skipPixels = value;
        break;
    case GL_UNPACK_LSB_FIRST: case GL_PACK_LSB_FIRST: store.lsbFirst = value != 0; break;
    // Swapping bytes changes nothing in one-byte components, the only ones the layer takes.
    case GL_UNPACK_SWAP_BYTES: case GL_PACK_SWAP_BYTES: store.swapBytes = value != 0; break;
    default: return setError(GL_INVALID_ENUM);
    }
}

}  // namespace fixedfunction
