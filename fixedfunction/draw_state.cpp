// Deriving a draw's shader key and uniforms from the GL state.
#include "fixedfunction/draw_state.h"

namespace fixedfunction {
namespace {

std::uint8_t shiftOf(float scale) { return scale >= 4.0f ? 2 : scale >= 2.0f ? 1 : 0; }

GenMode genModeOf(const TexGen& texGen) {
    if (!texGen.enabled) return GenMode::none;
    switch (texGen.mode) {
    case GL_OBJECT_LINEAR: return GenMode::objectLinear;
    case GL_SPHERE_MAP: return GenMode::sphereMap;
    default: return GenMode::eyeLinear;
    }
}

CombineArgument argument(GLenum source, GLenum operand) {
    return {std::uint16_t(source), std::uint16_t(operand)};
}

bool usesLinearFilter(const TextureObject& texture) {
    return texture.magFilter == GL_LINEAR || texture.minFilter != GL_NEAREST;
}

}  // namespace

bool TextureObject::complete() const {
    if ((levels & 1u) == 0 || width <= 0 || height <= 0) return false;
    if (minFilter == GL_NEAREST || minFilter == GL_LINEAR) return true;
    int largest = width > height ? width : height;
    for (int level = 0; largest > 0; ++level, largest >>= 1)
        if ((levels & (1u << level)) == 0) return false;
    return true;
}

bool ShaderKey::needsEyePosition() const {
    for (const UnitKey& unit : units)
        for (GenMode mode : unit.gen)
            if (unit.enabled && (mode == GenMode::eyeLinear || mode == GenMode::sphereMap)) return true;
    return false;
}

bool ShaderKey::needsNormal() const {
    for (const UnitKey& unit : units)
        for (GenMode mode : unit.gen)
            if (unit.enabled && mode == GenMode::sphereMap) return true;
    return false;
}

UnitKey combinersOf(const TextureEnvironment& environment, bool rgbaTexture) {
    UnitKey key;
    key.enabled = true;
    const CombineArgument texColor = argument(GL_TEXTURE, GL_SRC_COLOR);
    const CombineArgument texAlpha = argument(GL_TEXTURE, GL_SRC_ALPHA);
    const CombineArgument previousColor = argument(GL_PREVIOUS_EXT, GL_SRC_COLOR);
    const CombineArgument previousAlpha = argument(GL_PREVIOUS_EXT, GL_SRC_ALPHA);
    const CombineArgument constantColor = argument(GL_CONSTANT_EXT, GL_SRC_COLOR);
    // Without alpha in the texture, the fragment keeps the previous alpha in every mode.
    key.combineAlpha = GL_REPLACE;
    key.alpha[0] = previousAlpha;
    switch (environment.mode) {
    case GL_REPLACE:
        key.combineRgb = GL_REPLACE;
        key.rgb[0] = texColor;
        if (rgbaTexture) key.alpha[0] = texAlpha;
        break;
    case GL_DECAL:
        if (rgbaTexture) {
            key.combineRgb = GL_INTERPOLATE_EXT;
            key.rgb = {texColor, previousColor, texAlpha};
        } else {
            key.combineRgb = GL_REPLACE;
            key.rgb[0] = texColor;
        }
        break;
    case GL_BLEND:
        key.combineRgb = GL_INTERPOLATE_EXT;
        key.rgb = {constantColor, previousColor, texColor};
        if (rgbaTexture) {
            key.combineAlpha = GL_MODULATE;
            key.alpha = {texAlpha, previousAlpha, CombineArgument{}};
        }
        break;
    case GL_ADD:
        key.combineRgb = GL_ADD;
        key.rgb = {texColor, previousColor, CombineArgument{}};
        if (rgbaTexture) {
            key.combineAlpha = GL_MODULATE;
            key.alpha = {texAlpha, previousAlpha, CombineArgument{}};
        }
        break;
    case GL_COMBINE_EXT:
        key.combineRgb = std::uint16_t(environment.combineRgb);
        key.combineAlpha = std::uint16_t(environment.combineAlpha);
        for (int i = 0; i < 3; ++i) {
            key.rgb[std::size_t(i)] =
                argument(environment.sourceRgb[std::size_t(i)], environment.operandRgb[std::size_t(i)]);
            key.alpha[std::size_t(i)] =
                argument(environment.sourceAlpha[std::size_t(i)], environment.operandAlpha[std::size_t(i)]);
        }
        // The EXT form of DOT3 ignores the scales; only the later ARB form applies them.
        if (environment.combineRgb != GL_DOT3_RGB_EXT && environment.combineRgb != GL_DOT3_RGBA_EXT) {
            key.rgbShift = shiftOf(environment.rgbScale);
            key.alphaShift = shiftOf(environment.alphaScale);
        }
        break;
    default:  // GL_MODULATE
        key.combineRgb = GL_MODULATE;
        key.rgb = {texColor, previousColor, CombineArgument{}};
        if (rgbaTexture) {
            key.combineAlpha = GL_MODULATE;
            key.alpha = {texAlpha, previousAlpha, CombineArgument{}};
        }
        break;
    }
    return key;
}

DrawState drawStateOf(const State& state, const std::map<GLuint, TextureObject>& textures,
                      PrimitiveClass primitive) {
    DrawState draw;
    draw.key.primitive = primitive;
    draw.depthTest = state.depthTest;
    draw.depthFunc = state.depthFunc;
    DrawUniforms& uniforms = draw.uniforms;
    // Bitmaps take their place and colour from the raster position, and no texturing of ours.
    if (primitive == PrimitiveClass::bitmap) return draw;
    uniforms.modelviewProjection = product(state.projection.top(), state.modelview.top());
    for (int u = 0; u < kTextureUnits; ++u) {
        const TextureUnit& unit = state.units[std::size_t(u)];
        if (!unit.enabled2D) continue;
        const auto found = textures.find(unit.binding);
        // An incomplete texture leaves its unit off, as in OpenGL 1.1.
        if (found == textures.end() || !found->second.complete()) continue;
        const TextureObject& texture = found->second;
        UnitKey& key = draw.key.units[std::size_t(u)];
        key = combinersOf(unit.environment, texture.rgba);
        for (int c = 0; c < 2; ++c) {
            key.gen[std::size_t(c)] = genModeOf(unit.texGen[std::size_t(c)]);
            uniforms.objectPlanes[std::size_t(u * 2 + c)] = unit.texGen[std::size_t(c)].objectPlane;
            uniforms.eyePlanes[std::size_t(u * 2 + c)] = unit.texGen[std::size_t(c)].eyePlane;
        }
        key.textureMatrix = !(unit.matrix.top() == Matrix{});
        if (key.textureMatrix) uniforms.textureMatrices[std::size_t(u)] = unit.matrix.top();
        const bool linear = usesLinearFilter(texture);
        key.clampToBorder = {linear && texture.wrapS == GL_CLAMP, linear && texture.wrapT == GL_CLAMP};
        key.clampOnLevels = (key.clampToBorder[0] || key.clampToBorder[1]) && texture.minFilter != GL_NEAREST &&
                            texture.minFilter != GL_LINEAR;
        uniforms.textureSizes[std::size_t(u)] = {float(texture.width), float(texture.height)};
        uniforms.environmentColors[std::size_t(u)] = unit.environment.color;
        draw.textures[std::size_t(u)] = unit.binding;
    }
    if (draw.key.needsEyePosition()) uniforms.modelview = state.modelview.top();
    if (draw.key.needsNormal()) inverse(state.modelview.top(), uniforms.inverseModelview);
    return draw;
}

}  // namespace fixedfunction
