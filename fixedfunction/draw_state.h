// What one draw depends on: the shader's key (which units, combiners and generation modes are
// in force) and the values its uniforms take. Consecutive primitives with equal draw states go
// into one batch.
#pragma once

#include <array>
#include <cstdint>
#include <map>

#include "fixedfunction/state.h"

namespace fixedfunction {

enum class PrimitiveClass : std::uint8_t { triangles, lines, points, bitmap };

// Texture coordinate generation as the shader computes it.
enum class GenMode : std::uint8_t { none, objectLinear, eyeLinear, sphereMap };

// A combiner argument: where it comes from and which part of it is taken.
struct CombineArgument {
    std::uint16_t source = 0;   // GL_TEXTURE, GL_PREVIOUS_EXT, GL_PRIMARY_COLOR_EXT, ...
    std::uint16_t operand = 0;  // GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR, GL_SRC_ALPHA, ...
    bool operator==(const CombineArgument&) const = default;
};

// One enabled unit's part of the shader key; every environment mode is written as combiners.
struct UnitKey {
    bool enabled = false;
    std::uint16_t combineRgb = 0, combineAlpha = 0;
    std::array<CombineArgument, 3> rgb{}, alpha{};
    std::uint8_t rgbShift = 0, alphaShift = 0;  // scale 1, 2 or 4 as a shift
    std::array<GenMode, 2> gen{GenMode::none, GenMode::none};
    bool textureMatrix = false;                   // not the identity
    std::array<bool, 2> clampToBorder{};          // GL_CLAMP with a linear filter, for s and t
    bool clampOnLevels = false;                   // ... and mipmaps: the border's share is a level's
    bool operator==(const UnitKey&) const = default;
};

struct ShaderKey {
    PrimitiveClass primitive = PrimitiveClass::triangles;
    std::array<UnitKey, kTextureUnits> units{};
    bool operator==(const ShaderKey&) const = default;
    bool needsEyePosition() const;
    bool needsNormal() const;
};

// The uniforms of one draw; compared byte for byte, so it holds plain numbers only.
struct DrawUniforms {
    Matrix modelviewProjection;
    Matrix modelview;
    Matrix inverseModelview;
    std::array<Matrix, kTextureUnits> textureMatrices{};
    std::array<std::array<float, 4>, kTextureUnits * 2> objectPlanes{};
    std::array<std::array<float, 4>, kTextureUnits * 2> eyePlanes{};
    std::array<std::array<float, 4>, kTextureUnits> environmentColors{};
    std::array<std::array<float, 2>, kTextureUnits> textureSizes{};
    bool operator==(const DrawUniforms&) const = default;
};

struct DrawState {
    ShaderKey key;
    DrawUniforms uniforms;
    std::array<GLuint, kTextureUnits> textures{};  // bound on each enabled unit
    bool depthTest = false;
    GLenum depthFunc = GL_LESS;
    bool operator==(const DrawState&) const = default;
};

// The draw state of the current GL state for primitives of the given class.
DrawState drawStateOf(const State& state, const std::map<GLuint, TextureObject>& textures,
                      PrimitiveClass primitive);

// The combiner settings of an environment mode on a texture of the given kind, as Mesa derives them.
UnitKey combinersOf(const TextureEnvironment& environment, bool rgbaTexture);

}  // namespace fixedfunction
