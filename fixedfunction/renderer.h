// The layer's side of the driver: programs made per shader key and kept, the vertex buffer a
// batch is drawn from, and the textures that hold bitmaps. Everything it draws goes through
// the driver table, so tests can give it a recording one.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "fixedfunction/draw_state.h"
#include "fixedfunction/driver.h"

namespace fixedfunction {

// A bitmap unpacked to one byte a pixel (0 or 255), bottom row first; on first drawing it is
// copied into the renderer's atlas, where it stays while a display list holds it.
struct BitmapImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
    std::uint64_t owner = 0;  // the renderer whose atlas holds it, 0 for none
    int atlasPage = 0, atlasX = 0, atlasY = 0;
};

class Renderer {
public:
    explicit Renderer(const Driver& driver);
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Draws count vertices as triangles, lines or points under the draw state.
    void draw(const DrawState& state, const Vertex* vertices, std::size_t count);
    // The same from a buffer of vertices the caller filled once: the floor that benchmarks
    // hold the batches to (one buffer, one draw, the same shader).
    void drawBuffer(const DrawState& state, GLuint vertexBuffer, std::size_t count);
    // Queues a bitmap's set pixels, in the colour given, for a rectangle of window pixels at
    // depth z (NDC); consecutive bitmaps are drawn together, from the atlas, by flushBitmaps.
    void queueBitmap(BitmapImage& image, const DrawState& state, const std::array<GLint, 4>& viewport,
                     int x, int y, float z, const std::array<float, 4>& color);
    void flushBitmaps();
    bool bitmapsPending() const { return !bitmapVertices.empty(); }

    std::size_t drawCount() const { return draws; }
    std::size_t programCount() const { return programs.size(); }

private:
    struct Program {
        ShaderKey key;
        GLuint name = 0;
        GLint mvp = -1, modelview = -1, inverseModelview = -1, objectPlanes = -1, eyePlanes = -1,
              environmentColors = -1, textureSizes = -1;
        std::array<GLint, kTextureUnits> textureMatrices{-1, -1, -1}, samplers{-1, -1, -1};
    };
    const Program& programFor(const ShaderKey& key);
    GLuint compiled(GLenum type, const std::string& source);
    void bindVertices(const ShaderKey& key, const Vertex* vertices, std::size_t count);
    void pointAttributes(const ShaderKey& key);
    void useProgramAndUniforms(const DrawState& state);
    void applyFixedState(const DrawState& state);
    GLuint levelTexture(int width, int height);
    bool placeInAtlas(BitmapImage& image);

    const Driver& driver;
    std::uint64_t id;  // never reused, unlike an address: tells whose a bitmap's texture is
    std::vector<Program> programs;
    GLuint buffer = 0;
    std::size_t bufferBytes = 0;
    std::size_t draws = 0;
    std::map<std::pair<int, int>, GLuint> levelTextures;  // by size: each level holds its number
    // Every bitmap drawn, packed on shelves into one texture; a full one starts a new page.
    static constexpr int kAtlasSide = 1024;
    struct Atlas {
        GLuint texture = 0;
        int page = 1, x = 0, y = 0, shelfHeight = 0;
    } atlas;
    std::vector<Vertex> bitmapVertices;
    DrawState bitmapState;
};

}  // namespace fixedfunction
