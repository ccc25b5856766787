// The OpenGL 1.1 state the layer keeps on the program's behalf: current vertex attributes,
// matrix stacks, texture units with their environments and coordinate generation, enables.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <cstdint>
#include <vector>

#include "fixedfunction/matrix.h"

namespace fixedfunction {

constexpr int kTextureUnits = 3;
// Mesa's own limits, so that overflow errors come where they come on Mesa.
constexpr int kModelviewStackDepth = 32;
constexpr int kProjectionStackDepth = 32;
constexpr int kTextureStackDepth = 10;
constexpr int kAttribStackDepth = 16;
constexpr int kListNestingDepth = 64;

// One vertex as the batch stores it: position, colour, normal, three texture coordinates.
struct Vertex {
    float position[3];
    float color[4];
    float normal[3];
    float texCoord[kTextureUnits][2];
};
constexpr int kVertexFloats = int(sizeof(Vertex) / sizeof(float));

// What glColor, glNormal and glTexCoord last set, laid out as a vertex after its position.
struct CurrentAttributes {
    float color[4] = {1, 1, 1, 1};
    float normal[3] = {0, 0, 1};
    float texCoord[kTextureUnits][2] = {};
};

struct MatrixStack {
    std::vector<Matrix> matrices = std::vector<Matrix>(1);  // the identity
    int limit = kModelviewStackDepth;
    Matrix& top() { return matrices.back(); }
    const Matrix& top() const { return matrices.back(); }
};

// A texture unit's environment, kept as the combiner settings it stands for.
struct TextureEnvironment {
    GLenum mode = GL_MODULATE;
    GLenum combineRgb = GL_MODULATE;
    GLenum combineAlpha = GL_MODULATE;
    std::array<GLenum, 3> sourceRgb{GL_TEXTURE, GL_PREVIOUS_EXT, GL_CONSTANT_EXT};
    std::array<GLenum, 3> sourceAlpha{GL_TEXTURE, GL_PREVIOUS_EXT, GL_CONSTANT_EXT};
    std::array<GLenum, 3> operandRgb{GL_SRC_COLOR, GL_SRC_COLOR, GL_SRC_ALPHA};
    std::array<GLenum, 3> operandAlpha{GL_SRC_ALPHA, GL_SRC_ALPHA, GL_SRC_ALPHA};
    float rgbScale = 1.0f;
    float alphaScale = 1.0f;
    std::array<float, 4> color{0, 0, 0, 0};
};

// Texture coordinate generation for s or t.
struct TexGen {
    bool enabled = false;
    GLenum mode = GL_EYE_LINEAR;
    std::array<float, 4> objectPlane{};
    std::array<float, 4> eyePlane{};
};

struct TextureUnit {
    bool enabled2D = false;
    GLuint binding = 0;
    TextureEnvironment environment;
    std::array<TexGen, 2> texGen;  // s, t
    MatrixStack matrix;
};

// What the layer knows of a texture object it has given out.
struct TextureObject {
    int width = 0, height = 0;
    bool rgba = false;
    std::uint32_t levels = 0;  // one bit per level given an image
    GLenum minFilter = GL_NEAREST_MIPMAP_LINEAR;
    GLenum magFilter = GL_LINEAR;
    GLenum wrapS = GL_REPEAT, wrapT = GL_REPEAT;
    // Complete as OpenGL 1.1 says: an image, and every level when the filter uses levels.
    bool complete() const;
};

struct PixelStore {
    GLint alignment = 4, rowLength = 0, skipRows = 0, skipPixels = 0;
    bool lsbFirst = false, swapBytes = false;
};

struct RasterPosition {
    bool valid = true;
    float x = 0, y = 0, z = 0;  // window coordinates; z as in NDC for the depth test
    std::array<float, 4> color{1, 1, 1, 1};
};

// The parts of the state glPushAttrib saves, by group.
struct EnableGroup {
    bool depthTest = false, polygonSmooth = false, normalize = false, cullFace = false;
    std::array<bool, kTextureUnits> texture2D{};
    std::array<std::array<bool, 2>, kTextureUnits> texGen{};
};

struct TextureGroup {
    int activeUnit = 0;
    std::array<GLuint, kTextureUnits> bindings{};
    std::array<TextureEnvironment, kTextureUnits> environments;
    std::array<std::array<TexGen, 2>, kTextureUnits> texGens;
};

struct SavedAttributes {
    GLbitfield mask = 0;
    EnableGroup enables;
    TextureGroup texture;
    GLuint listBase = 0;
    CurrentAttributes current;
    GLenum shadeModel = GL_SMOOTH;
    GLenum depthFunc = GL_LESS;
};

struct SavedClientAttributes {
    GLbitfield mask = 0;
    PixelStore unpack, pack;
    int clientActiveUnit = 0;
};

struct State {
    CurrentAttributes current;
    GLenum matrixMode = GL_MODELVIEW;
    MatrixStack modelview, projection;
    int activeUnit = 0, clientActiveUnit = 0;
    std::array<TextureUnit, kTextureUnits> units;
    bool depthTest = false, polygonSmooth = false, normalize = false, cullFace = false;
    GLenum shadeModel = GL_SMOOTH;
    GLenum depthFunc = GL_LESS;
    std::array<GLint, 4> viewport{0, 0, 0, 0};
    PixelStore unpack, pack;
    RasterPosition raster;
    GLuint listBase = 0;
    std::vector<SavedAttributes> attribStack;
    std::vector<SavedClientAttributes> clientAttribStack;
    GLenum error = GL_NO_ERROR;

    State();
    MatrixStack& currentStack();
};

}  // namespace fixedfunction
