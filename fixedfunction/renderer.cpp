// Drawing batches and bitmaps through the driver.
#include "fixedfunction/renderer.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "fixedfunction/shader_source.h"

namespace fixedfunction {
namespace {

GLenum driverMode(PrimitiveClass primitive) {
    switch (primitive) {
    case PrimitiveClass::lines: return GL_LINES;
    case PrimitiveClass::points: return GL_POINTS;
    default: return GL_TRIANGLES;
    }
}

std::uint64_t nextRendererId = 1;

}  // namespace

Renderer::Renderer(const Driver& driver) : driver(driver), id(nextRendererId++) {}

GLuint Renderer::compiled(GLenum type, const std::string& source) {
    const GLuint shader = driver.CreateShader(type);
    const GLchar* text = source.c_str();
    driver.ShaderSource(shader, 1, &text, nullptr);
    driver.CompileShader(shader);
    GLint status = 0;
    driver.GetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == 0) {
        char log[1024] = "";
        driver.GetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "vorn: fixed-function shader not compiled: %s\n%s", log, source.c_str());
    }
    return shader;
}

const Renderer::Program& Renderer::programFor(const ShaderKey& key) {
    for (const Program& program : programs)
        if (program.key == key) return program;
    Program program;
    program.key = key;
    program.name = driver.CreateProgram();
    const GLuint vertexShader = compiled(GL_VERTEX_SHADER, vertexShaderSource(key));
    const GLuint fragmentShader = compiled(GL_FRAGMENT_SHADER, fragmentShaderSource(key));
    driver.AttachShader(program.name, vertexShader);
    driver.AttachShader(program.name, fragmentShader);
    driver.BindAttribLocation(program.name, kPositionAttribute, "aPosition");
    driver.BindAttribLocation(program.name, kColorAttribute, "aColor");
    driver.BindAttribLocation(program.name, kNormalAttribute, "aNormal");
    for (int u = 0; u < kTextureUnits; ++u)
        driver.BindAttribLocation(program.name, kTexCoordAttribute + unsigned(u),
                                  ("aTexCoord" + std::to_string(u)).c_str());
    driver.LinkProgram(program.name);
    driver.DeleteShader(vertexShader);
    driver.DeleteShader(fragmentShader);
    GLint linked = 0;
    driver.GetProgramiv(program.name, GL_LINK_STATUS, &linked);
    if (linked == 0) {
        char log[1024] = "";
        driver.GetProgramInfoLog(program.name, sizeof log, nullptr, log);
        std::fprintf(stderr, "vorn: fixed-function program not linked: %s\n", log);
    }
    const GLuint name = program.name;
    auto location = [&](const char* uniform) { return driver.GetUniformLocation(name, uniform); };
    program.mvp = location("uMvp");
    program.modelview = location("uModelview");
    program.inverseModelview = location("uInverseModelview");
    program.objectPlanes = location("uObjectPlane");
    program.eyePlanes = location("uEyePlane");
    program.environmentColors = location("uEnvironmentColor");
    program.textureSizes = location("uTextureSize");
    driver.UseProgram(name);
    for (int u = 0; u < kTextureUnits; ++u) {
        const std::string unit = std::to_string(u);
        program.textureMatrices[std::size_t(u)] = location(("uTextureMatrix" + unit).c_str());
        program.samplers[std::size_t(u)] = location(("uTexture" + unit).c_str());
        if (program.samplers[std::size_t(u)] >= 0) driver.Uniform1i(program.samplers[std::size_t(u)], u);
        // The level textures of clamped units sit on the units after the three of the program.
        const GLint levels = location(("uLevels" + unit).c_str());
        if (levels >= 0) driver.Uniform1i(levels, kTextureUnits + u);
    }
    programs.push_back(program);
    return programs.back();
}

void Renderer::applyFixedState(const DrawState& state) {
    if (state.depthTest) driver.Enable(GL_DEPTH_TEST);
    else driver.Disable(GL_DEPTH_TEST);
    driver.DepthFunc(state.depthFunc);
    // Level textures are all made before any is bound: making one binds it.
    std::array<GLuint, kTextureUnits> levels{};
    for (int u = 0; u < kTextureUnits; ++u) {
        const UnitKey& unit = state.key.units[std::size_t(u)];
        const auto& size = state.uniforms.textureSizes[std::size_t(u)];
        if (unit.enabled && unit.clampOnLevels) levels[std::size_t(u)] = levelTexture(int(size[0]), int(size[1]));
    }
    for (int u = 0; u < kTextureUnits; ++u) {
        const UnitKey& unit = state.key.units[std::size_t(u)];
        if (!unit.enabled) continue;
        if (unit.clampOnLevels) {
            driver.ActiveTexture(GL_TEXTURE0 + GLenum(kTextureUnits + u));
            driver.BindTexture(GL_TEXTURE_2D, levels[std::size_t(u)]);
        }
        driver.ActiveTexture(GL_TEXTURE0 + GLenum(u));
        driver.BindTexture(GL_TEXTURE_2D, state.textures[std::size_t(u)]);
    }
}

GLuint Renderer::levelTexture(int width, int height) {
    GLuint& name = levelTextures[{width, height}];
    if (name != 0) return name;
    driver.GenTextures(1, &name);
    driver.ActiveTexture(GL_TEXTURE0 + GLenum(kTextureUnits));
    driver.BindTexture(GL_TEXTURE_2D, name);
    driver.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::vector<std::uint8_t> level(std::size_t(width) * std::size_t(height));
    for (int number = 0;; ++number) {
        std::fill(level.begin(), level.end(), std::uint8_t(number));
        driver.TexImage2D(GL_TEXTURE_2D, number, GL_ALPHA, width, height, 0, GL_ALPHA, GL_UNSIGNED_BYTE, level.data());
        if (width == 1 && height == 1) break;
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
    }
    // Nearest level, as GL_LINEAR_MIPMAP_NEAREST and GL_NEAREST_MIPMAP_NEAREST choose it.
    driver.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
    driver.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    driver.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    driver.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return name;
}

void Renderer::bindVertices(const ShaderKey& key, const Vertex* vertices, std::size_t count) {
    if (buffer == 0) driver.GenBuffers(1, &buffer);
    driver.BindBuffer(GL_ARRAY_BUFFER, buffer);
    // The buffer keeps its storage between batches, grown as needed: storage made anew for
    // every batch costs a large frame its pages again each time.
    const std::size_t bytes = count * sizeof(Vertex);
    if (bytes > bufferBytes) {
        bufferBytes = std::max(bytes, bufferBytes * 2);
        driver.BufferData(GL_ARRAY_BUFFER, GLsizeiptr(bufferBytes), nullptr, GL_STREAM_DRAW);
    }
    driver.BufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(bytes), vertices);
    pointAttributes(key);
}

void Renderer::pointAttributes(const ShaderKey& key) {
    const GLsizei stride = sizeof(Vertex);
    auto attribute = [&](GLuint location, GLint size, std::size_t offset, bool used) {
        if (!used) {
            driver.DisableVertexAttribArray(location);
            return;
        }
        driver.EnableVertexAttribArray(location);
        driver.VertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, stride,
                                   reinterpret_cast<const void*>(offset));
    };
    const bool bitmap = key.primitive == PrimitiveClass::bitmap;
    attribute(kPositionAttribute, 3, offsetof(Vertex, position), true);
    attribute(kColorAttribute, 4, offsetof(Vertex, color), true);
    attribute(kNormalAttribute, 3, offsetof(Vertex, normal), key.needsNormal());
    for (int u = 0; u < kTextureUnits; ++u)
        attribute(kTexCoordAttribute + unsigned(u), 2, offsetof(Vertex, texCoord) + std::size_t(u) * 2 * sizeof(float),
                  bitmap ? u == 0 : key.units[std::size_t(u)].enabled);
}

void Renderer::draw(const DrawState& state, const Vertex* vertices, std::size_t count) {
    if (count == 0) return;
    useProgramAndUniforms(state);
    applyFixedState(state);
    bindVertices(state.key, vertices, count);
    driver.DrawArrays(driverMode(state.key.primitive), 0, GLsizei(count));
    ++draws;
}

void Renderer::drawBuffer(const DrawState& state, GLuint vertexBuffer, std::size_t count) {
    useProgramAndUniforms(state);
    applyFixedState(state);
    driver.BindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    pointAttributes(state.key);
    driver.DrawArrays(driverMode(state.key.primitive), 0, GLsizei(count));
    ++draws;
}

void Renderer::useProgramAndUniforms(const DrawState& state) {
    const Program& program = programFor(state.key);
    driver.UseProgram(program.name);
    const DrawUniforms& u = state.uniforms;
    driver.UniformMatrix4fv(program.mvp, 1, GL_FALSE, u.modelviewProjection.m.data());
    if (program.modelview >= 0) driver.UniformMatrix4fv(program.modelview, 1, GL_FALSE, u.modelview.m.data());
    if (program.inverseModelview >= 0)
        driver.UniformMatrix4fv(program.inverseModelview, 1, GL_FALSE, u.inverseModelview.m.data());
    if (program.objectPlanes >= 0)
        driver.Uniform4fv(program.objectPlanes, kTextureUnits * 2, u.objectPlanes[0].data());
    if (program.eyePlanes >= 0) driver.Uniform4fv(program.eyePlanes, kTextureUnits * 2, u.eyePlanes[0].data());
    if (program.environmentColors >= 0)
        driver.Uniform4fv(program.environmentColors, kTextureUnits, u.environmentColors[0].data());
    if (program.textureSizes >= 0) driver.Uniform2fv(program.textureSizes, kTextureUnits, u.textureSizes[0].data());
    for (int t = 0; t < kTextureUnits; ++t)
        if (program.textureMatrices[std::size_t(t)] >= 0)
            driver.UniformMatrix4fv(program.textureMatrices[std::size_t(t)], 1, GL_FALSE,
                                    u.textureMatrices[std::size_t(t)].m.data());
}

bool Renderer::placeInAtlas(BitmapImage& image) {
    if (image.owner == id && image.atlasPage == atlas.page) return true;
    if (image.width + 1 > kAtlasSide || image.height + 1 > kAtlasSide) return false;
    if (atlas.texture == 0) {
        driver.GenTextures(1, &atlas.texture);
        driver.ActiveTexture(GL_TEXTURE0);
        driver.BindTexture(GL_TEXTURE_2D, atlas.texture);
        const std::vector<std::uint8_t> empty(std::size_t(kAtlasSide) * kAtlasSide, 0);
        driver.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
        driver.TexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, kAtlasSide, kAtlasSide, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                          empty.data());
        driver.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        driver.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        driver.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        driver.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    // Shelves from the bottom up, a texel of space between bitmaps.
    if (atlas.x + image.width + 1 > kAtlasSide) {
        atlas.x = 0;
        atlas.y += atlas.shelfHeight;
        atlas.shelfHeight = 0;
    }
    if (atlas.y + image.height + 1 > kAtlasSide) {
        // A full page starts again empty: what is queued is drawn from the old contents first.
        flushBitmaps();
        atlas.x = atlas.y = atlas.shelfHeight = 0;
        ++atlas.page;
    }
    image.atlasX = atlas.x;
    image.atlasY = atlas.y;
    image.owner = id;
    image.atlasPage = atlas.page;
    atlas.x += image.width + 1;
    atlas.shelfHeight = std::max(atlas.shelfHeight, image.height + 1);
    driver.ActiveTexture(GL_TEXTURE0);
    driver.BindTexture(GL_TEXTURE_2D, atlas.texture);
    driver.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    driver.TexSubImage2D(GL_TEXTURE_2D, 0, image.atlasX, image.atlasY, image.width, image.height, GL_ALPHA,
                         GL_UNSIGNED_BYTE, image.pixels.data());
    return true;
}

void Renderer::queueBitmap(BitmapImage& image, const DrawState& state, const std::array<GLint, 4>& viewport,
                           int x, int y, float z, const std::array<float, 4>& color) {
    if (image.width <= 0 || image.height <= 0 || viewport[2] <= 0 || viewport[3] <= 0) return;
    if (!bitmapVertices.empty() && !(state == bitmapState)) flushBitmaps();
    if (!placeInAtlas(image)) return;
    bitmapState = state;
    // The rectangle's corners on pixel edges, so that every pixel centre samples one texel.
    auto ndcX = [&](int px) { return float(px - viewport[0]) / float(viewport[2]) * 2.0f - 1.0f; };
    auto ndcY = [&](int py) { return float(py - viewport[1]) / float(viewport[3]) * 2.0f - 1.0f; };
    const float left = ndcX(x), right = ndcX(x + image.width), bottom = ndcY(y), top = ndcY(y + image.height);
    const float side = float(kAtlasSide);
    const float u0 = float(image.atlasX) / side, u1 = float(image.atlasX + image.width) / side;
    const float v0 = float(image.atlasY) / side, v1 = float(image.atlasY + image.height) / side;
    const float corners[6][4] = {{left, bottom, u0, v0}, {right, bottom, u1, v0}, {right, top, u1, v1},
                                 {left, bottom, u0, v0}, {right, top, u1, v1},   {left, top, u0, v1}};
    for (const auto& corner : corners) {
        Vertex v{};
        v.position[0] = corner[0];
        v.position[1] = corner[1];
        v.position[2] = z;
        std::copy(color.begin(), color.end(), v.color);
        v.texCoord[0][0] = corner[2];
        v.texCoord[0][1] = corner[3];
        bitmapVertices.push_back(v);
    }
}

void Renderer::flushBitmaps() {
    if (bitmapVertices.empty()) return;
    const Program& program = programFor(bitmapState.key);
    driver.UseProgram(program.name);
    applyFixedState(bitmapState);
    driver.ActiveTexture(GL_TEXTURE0);
    driver.BindTexture(GL_TEXTURE_2D, atlas.texture);
    bindVertices(bitmapState.key, bitmapVertices.data(), bitmapVertices.size());
    driver.DrawArrays(GL_TRIANGLES, 0, GLsizei(bitmapVertices.size()));
    bitmapVertices.clear();
    ++draws;
}

}  // namespace fixedfunction
