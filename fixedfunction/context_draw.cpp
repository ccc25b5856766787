// Vertices into the batch and the batch to the driver; textures, bitmaps and the frame
// buffer calls that pass through to the driver once the batch before them is drawn.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "fixedfunction/context.h"
#include "fixedfunction/fixed_function.h"
#include "fixedfunction/pixels.h"

namespace fixedfunction {
namespace {

static_assert(sizeof(CurrentAttributes) == sizeof(Vertex) - offsetof(Vertex, color),
              "the current attributes are copied into a vertex as they are");

bool classOf(GLenum mode, PrimitiveClass& primitive) {
    switch (mode) {
    case GL_POINTS: primitive = PrimitiveClass::points; return true;
    case GL_LINES: case GL_LINE_STRIP: case GL_LINE_LOOP: primitive = PrimitiveClass::lines; return true;
    case GL_TRIANGLES: case GL_TRIANGLE_STRIP: case GL_TRIANGLE_FAN: case GL_QUADS: case GL_QUAD_STRIP:
    case GL_POLYGON: primitive = PrimitiveClass::triangles; return true;
    default: return false;
    }
}

}  // namespace

Context::Context(const Driver& driver) : driver(driver), gpu(driver) {
    // Texture object 0 exists from the start, with no image.
    textures[0] = TextureObject{};
}

void Context::grow() {
    const std::size_t capacity = vertexCapacity == 0 ? 4096 : vertexCapacity * 2;
    std::unique_ptr<Vertex[]> larger(new Vertex[capacity]);
    std::copy(vertices.get(), vertices.get() + vertexCount, larger.get());
    vertices = std::move(larger);
    vertexCapacity = capacity;
}

void Context::begin(GLenum mode) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    PrimitiveClass primitive;
    if (!classOf(mode, primitive)) return setError(GL_INVALID_ENUM);
    if (stateChanged || primitive != batchClass) {
        // A change that changes nothing (a matrix pushed and popped) keeps the batch going.
        DrawState next = drawStateOf(state, textures, primitive);
        if (vertexCount > 0 && !(next == batchState)) flush();
        batchState = next;
        batchClass = primitive;
        stateChanged = false;
    }
    if (gpu.bitmapsPending()) gpu.flushBitmaps();
    primitiveMode = mode;
    primitiveStart = vertexCount;
}

void Context::end() {
    if (!insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    expandPrimitive(primitiveStart);
    primitiveMode = kNoPrimitive;
}

void Context::expandPrimitive(std::size_t first) {
    const std::size_t count = vertexCount - first;
    auto keep = [&](std::size_t kept) { vertexCount = first + kept; };
    switch (primitiveMode) {
    case GL_POINTS: return;
    case GL_LINES: return keep(count - count % 2);
    case GL_TRIANGLES: return keep(count - count % 3);
    default: break;
    }
    // The rest become separate lines or triangles, so that one draw can hold many of them.
    const std::vector<Vertex> given(vertices.get() + first, vertices.get() + vertexCount);
    vertexCount = first;
    auto put = [&](std::size_t index) {
        if (vertexCount == vertexCapacity) grow();
        vertices[vertexCount++] = given[index];
    };
    switch (primitiveMode) {
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
        for (std::size_t i = 0; i + 1 < count; ++i) put(i), put(i + 1);
        if (primitiveMode == GL_LINE_LOOP && count > 2) put(count - 1), put(0);
        break;
    case GL_TRIANGLE_STRIP:
        for (std::size_t i = 0; i + 2 < count; ++i) {
            if (i % 2 == 0) put(i), put(i + 1), put(i + 2);
            else put(i + 1), put(i), put(i + 2);
        }
        break;
    case GL_QUADS:
        for (std::size_t i = 0; i + 3 < count; i += 4) put(i), put(i + 1), put(i + 2), put(i), put(i + 2), put(i + 3);
        break;
    case GL_QUAD_STRIP:
        for (std::size_t i = 0; i + 3 < count; i += 2)
            put(i), put(i + 1), put(i + 3), put(i), put(i + 3), put(i + 2);
        break;
    default:  // GL_TRIANGLE_FAN, GL_POLYGON
        for (std::size_t i = 1; i + 1 < count; ++i) put(0), put(i), put(i + 1);
        break;
    }
}

void Context::flush() {
    if (insideBeginEnd()) return;
    // Bitmaps and primitives are never both pending: each flushes the other before it queues.
    gpu.flushBitmaps();
    flushPrimitives();
}

void Context::flushPrimitives() {
    if (vertexCount == 0) return;
    if (batchObserver) batchObserver(batchState, vertices.get(), vertexCount);
    gpu.draw(batchState, vertices.get(), vertexCount);
    vertexCount = 0;
}

const TextureObject* Context::boundTexture() const {
    const auto found = textures.find(state.units[std::size_t(state.activeUnit)].binding);
    return found == textures.end() ? nullptr : &found->second;
}

void Context::genTextures(GLsizei count, GLuint* names) {
    if (count < 0) return setError(GL_INVALID_VALUE);
    driver.GenTextures(count, names);
    for (GLsizei i = 0; i < count; ++i) textures[names[i]] = TextureObject{};
}

void Context::deleteTextures(GLsizei count, const GLuint* names) {
    if (count < 0) return setError(GL_INVALID_VALUE);
    flush();
    for (GLsizei i = 0; i < count; ++i) {
        if (names[i] == 0) continue;
        textures.erase(names[i]);
        // A deleted texture's name is unbound everywhere, and the units fall back to texture 0.
        for (TextureUnit& unit : state.units)
            if (unit.binding == names[i]) unit.binding = 0;
    }
    driver.DeleteTextures(count, names);
    changed();
}

void Context::bindTexture(GLenum target, GLuint name) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if (target != GL_TEXTURE_2D) return setError(GL_INVALID_ENUM);
    textures.try_emplace(name);  // binding an unused name makes its texture
    state.units[std::size_t(state.activeUnit)].binding = name;
    changed();
}

void Context::texParameter(GLenum target, GLenum name, GLint value) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if (target != GL_TEXTURE_2D) return setError(GL_INVALID_ENUM);
    TextureObject& texture = textures[state.units[std::size_t(state.activeUnit)].binding];
    const GLenum v = GLenum(value);
    GLint driverValue = value;
    switch (name) {
    case GL_TEXTURE_MIN_FILTER:
        if (v != GL_NEAREST && v != GL_LINEAR && v != GL_NEAREST_MIPMAP_NEAREST && v != GL_LINEAR_MIPMAP_NEAREST &&
            v != GL_NEAREST_MIPMAP_LINEAR && v != GL_LINEAR_MIPMAP_LINEAR)
            return setError(GL_INVALID_ENUM);
        texture.minFilter = v;
        break;
    case GL_TEXTURE_MAG_FILTER:
        if (v != GL_NEAREST && v != GL_LINEAR) return setError(GL_INVALID_ENUM);
        texture.magFilter = v;
        break;
    case GL_TEXTURE_WRAP_S:
    case GL_TEXTURE_WRAP_T:
        if (v != GL_REPEAT && v != GL_CLAMP && v != GL_CLAMP_TO_EDGE) return setError(GL_INVALID_ENUM);
        (name == GL_TEXTURE_WRAP_S ? texture.wrapS : texture.wrapT) = v;
        // OpenGL ES clamps to the edge only; the shader blends GL_CLAMP's border in.
        if (v == GL_CLAMP) driverValue = GL_CLAMP_TO_EDGE;
        break;
    default: return setError(GL_INVALID_ENUM);
    }
    flush();
    driver.ActiveTexture(GL_TEXTURE0 + GLenum(state.activeUnit));
    driver.BindTexture(GL_TEXTURE_2D, state.units[std::size_t(state.activeUnit)].binding);
    driver.TexParameteri(GL_TEXTURE_2D, name, driverValue);
    changed();
}

void Context::texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                         GLint border, GLenum format, GLenum type, const void* pixels) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if (target != GL_TEXTURE_2D || channelsOfFormat(format) == 0 || type != GL_UNSIGNED_BYTE)
        return setError(GL_INVALID_ENUM);
    const GLenum stored = storedFormatOf(internalFormat);
    // Texture borders are not kept by OpenGL ES; the program never gives one.
    if (stored == 0 || level < 0 || level > 31 || width < 0 || height < 0 || border != 0)
        return setError(GL_INVALID_VALUE);
    // RGB images go to the driver as RGBA with opaque alpha, which reads back the same: its
    // samplers then filter them as they filter Mesa's own RGB textures, which have a fourth byte.
    const GLenum uploaded = stored == GL_RGB ? GL_RGBA : stored;
    const std::vector<std::uint8_t> data =
        unpackImage(state.unpack, width, height, format, static_cast<const std::uint8_t*>(pixels), uploaded);
    flush();
    const GLuint name = state.units[std::size_t(state.activeUnit)].binding;
    driver.ActiveTexture(GL_TEXTURE0 + GLenum(state.activeUnit));
    driver.BindTexture(GL_TEXTURE_2D, name);
    driver.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    driver.TexImage2D(GL_TEXTURE_2D, level, GLint(uploaded), width, height, 0, uploaded, GL_UNSIGNED_BYTE,
                      pixels != nullptr ? data.data() : nullptr);
    TextureObject& texture = textures[name];
    if (level == 0) {
        texture.width = width;
        texture.height = height;
        texture.rgba = stored == GL_RGBA || stored == GL_LUMINANCE_ALPHA || stored == GL_ALPHA;
    }
    texture.levels |= 1u << level;
    changed();
}

void Context::rasterPos(float x, float y, float z, float w) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    const Matrix mvp = product(state.projection.top(), state.modelview.top());
    const std::array<float, 4> clip = transformed(mvp, {x, y, z, w});
    RasterPosition& raster = state.raster;
    raster.valid = clip[3] > 0 && std::fabs(clip[0]) <= clip[3] && std::fabs(clip[1]) <= clip[3] &&
                   std::fabs(clip[2]) <= clip[3];
    if (!raster.valid) return;
    // Mesa's order of operations: times 1/w, the viewport's scale, then its translation; on a
    // window, whose rows run downwards, y is flipped and flipped back.
    const float oneOverW = 1.0f / clip[3];
    const float halfWidth = float(state.viewport[2]) * 0.5f, halfHeight = float(state.viewport[3]) * 0.5f;
    raster.x = clip[0] * oneOverW * halfWidth + (halfWidth + float(state.viewport[0]));
    const float translateY = halfHeight + float(state.viewport[1]);
    if (drawingToWindow()) {
        const float height = float(state.viewport[1] + state.viewport[3]);
        raster.y = height - (clip[1] * oneOverW * -halfHeight + (height - translateY));
    } else {
        raster.y = clip[1] * oneOverW * halfHeight + translateY;
    }
    raster.z = clip[2] * oneOverW * 0.5f + 0.5f;
    raster.color = {state.current.color[0], state.current.color[1], state.current.color[2], state.current.color[3]};
}

std::shared_ptr<BitmapImage> Context::unpackBitmap(GLsizei width, GLsizei height, const GLubyte* bits) const {
    auto image = std::make_shared<BitmapImage>();
    image->width = width;
    image->height = height;
    image->pixels = fixedfunction::unpackBitmap(state.unpack, width, height, bits);
    return image;
}

void Context::bitmap(const std::shared_ptr<BitmapImage>& image, float xOrigin, float yOrigin, float xMove,
                     float yMove) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if (image->width < 0 || image->height < 0) return setError(GL_INVALID_VALUE);
    RasterPosition& raster = state.raster;
    if (!raster.valid) return;
    if (image->width > 0 && image->height > 0) {
        flushPrimitives();
        // Mesa truncates after a small nudge, as SGI's OpenGL did.
        const float epsilon = 0.0001f;
        const int x = int(std::floor(raster.x + epsilon - xOrigin));
        const int y = int(std::floor(raster.y + epsilon - yOrigin));
        DrawState draw = drawStateOf(state, textures, PrimitiveClass::bitmap);
        gpu.queueBitmap(*image, draw, state.viewport, x, y, raster.z * 2.0f - 1.0f, raster.color);
    }
    raster.x += xMove;
    raster.y += yMove;
}

void Context::viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if (width < 0 || height < 0) return setError(GL_INVALID_VALUE);
    flush();
    state.viewport = {x, y, width, height};
    driver.Viewport(x, y, width, height);
}

void Context::clear(GLbitfield mask) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if (mask & ~GLbitfield(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT))
        return setError(GL_INVALID_VALUE);
    flush();
    driver.Clear(mask & GLbitfield(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT));
}

void Context::clearColor(float r, float g, float b, float a) {
    driver.ClearColor(std::clamp(r, 0.0f, 1.0f), std::clamp(g, 0.0f, 1.0f), std::clamp(b, 0.0f, 1.0f),
                      std::clamp(a, 0.0f, 1.0f));
}

void Context::clearDepth(double depth) { driver.ClearDepthf(float(std::clamp(depth, 0.0, 1.0))); }

void Context::readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                         void* pixels) {
    if (insideBeginEnd()) return setError(GL_INVALID_OPERATION);
    if (width < 0 || height < 0) return setError(GL_INVALID_VALUE);
    if (channelsOfFormat(format) == 0 || type != GL_UNSIGNED_BYTE) return setError(GL_INVALID_ENUM);
    flush();
    // OpenGL ES reads RGBA bytes for certain; the pack settings are applied here.
    std::vector<std::uint8_t> rgba(std::size_t(width) * std::size_t(height) * 4);
    driver.PixelStorei(GL_PACK_ALIGNMENT, 4);
    driver.ReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    packPixels(state.pack, width, height, rgba.data(), format, static_cast<std::uint8_t*>(pixels));
}

void Context::finish() {
    flush();
    driver.Finish();
}

void Context::getIntegerv(GLenum name, GLint* values) {
    switch (name) {
    case GL_VIEWPORT: std::copy(state.viewport.begin(), state.viewport.end(), values); return;
    case GL_MATRIX_MODE: *values = GLint(state.matrixMode); return;
    case GL_MODELVIEW_STACK_DEPTH: *values = GLint(state.modelview.matrices.size()); return;
    case GL_PROJECTION_STACK_DEPTH: *values = GLint(state.projection.matrices.size()); return;
    case GL_TEXTURE_STACK_DEPTH:
        *values = GLint(state.units[std::size_t(state.activeUnit)].matrix.matrices.size());
        return;
    case GL_MAX_MODELVIEW_STACK_DEPTH: *values = kModelviewStackDepth; return;
    case GL_MAX_PROJECTION_STACK_DEPTH: *values = kProjectionStackDepth; return;
    case GL_MAX_TEXTURE_STACK_DEPTH: *values = kTextureStackDepth; return;
    case GL_MAX_ATTRIB_STACK_DEPTH: case GL_MAX_CLIENT_ATTRIB_STACK_DEPTH: *values = kAttribStackDepth; return;
    case GL_ATTRIB_STACK_DEPTH: *values = GLint(state.attribStack.size()); return;
    case GL_MAX_TEXTURE_UNITS_ARB: *values = kTextureUnits; return;
    case GL_ACTIVE_TEXTURE_ARB: *values = GLint(GL_TEXTURE0 + GLenum(state.activeUnit)); return;
    case GL_CLIENT_ACTIVE_TEXTURE_ARB: *values = GLint(GL_TEXTURE0 + GLenum(state.clientActiveUnit)); return;
    case GL_TEXTURE_BINDING_2D: *values = GLint(state.units[std::size_t(state.activeUnit)].binding); return;
    case GL_LIST_BASE: *values = GLint(state.listBase); return;
    case GL_SHADE_MODEL: *values = GLint(state.shadeModel); return;
    case GL_DEPTH_FUNC: *values = GLint(state.depthFunc); return;
    case GL_UNPACK_ALIGNMENT: *values = state.unpack.alignment; return;
    case GL_UNPACK_ROW_LENGTH: *values = state.unpack.rowLength; return;
    case GL_UNPACK_SKIP_ROWS: *values = state.unpack.skipRows; return;
    case GL_UNPACK_SKIP_PIXELS: *values = state.unpack.skipPixels; return;
    case GL_UNPACK_LSB_FIRST: *values = state.unpack.lsbFirst; return;
    case GL_UNPACK_SWAP_BYTES: *values = state.unpack.swapBytes; return;
    case GL_PACK_ALIGNMENT: *values = state.pack.alignment; return;
    default: driver.GetIntegerv(name, values); return;
    }
}

void Context::getFloatv(GLenum name, GLfloat* values) {
    const Matrix* matrix = nullptr;
    switch (name) {
    case GL_MODELVIEW_MATRIX: matrix = &state.modelview.top(); break;
    case GL_PROJECTION_MATRIX: matrix = &state.projection.top(); break;
    case GL_TEXTURE_MATRIX: matrix = &state.units[std::size_t(state.activeUnit)].matrix.top(); break;
    case GL_CURRENT_COLOR: std::copy(state.current.color, state.current.color + 4, values); return;
    case GL_CURRENT_RASTER_POSITION:
        values[0] = state.raster.x, values[1] = state.raster.y, values[2] = state.raster.z, values[3] = 1;
        return;
    default: {
        GLint integers[16] = {};
        getIntegerv(name, integers);
        values[0] = float(integers[0]);
        return;
    }
    }
    std::copy(matrix->m.begin(), matrix->m.end(), values);
}

const GLubyte* Context::getString(GLenum name) {
    static const char vendor[] = "Vorn";
    static const char version[] = "1.1 Vorn fixed function";
    switch (name) {
    case GL_VENDOR: return reinterpret_cast<const GLubyte*>(vendor);
    case GL_VERSION: return reinterpret_cast<const GLubyte*>(version);
    case GL_RENDERER: {
        const GLubyte* beneath = driver.GetString(GL_RENDERER);
        const std::string text = std::string("Vorn fixed function on ") +
                                 (beneath != nullptr ? reinterpret_cast<const char*>(beneath) : "OpenGL ES");
        // Strings stay where they are while they say the same: callers keep the pointer, as
        // a driver's strings allow (the engine's capability record does).
        if (text != rendererString) rendererString = text;
        return reinterpret_cast<const GLubyte*>(rendererString.c_str());
    }
    case GL_EXTENSIONS: {
        const std::string text = offeredExtensions(driverTakesAnySize());
        if (text != extensionString) extensionString = text;
        return reinterpret_cast<const GLubyte*>(extensionString.c_str());
    }
    default: setError(GL_INVALID_ENUM); return nullptr;
    }
}

bool Context::driverTakesAnySize() const {
    // Sizes that are not powers of two, mipmapped and repeated: OpenGL ES 3 has them, and
    // OpenGL ES 2 where it says GL_OES_texture_npot; WebGL 1 does not.
    const auto* version = reinterpret_cast<const char*>(driver.GetString(GL_VERSION));
    int major = 0;
    if (version != nullptr && std::sscanf(version, "OpenGL ES %d", &major) == 1 && major >= 3) return true;
    const auto* extensions = reinterpret_cast<const char*>(driver.GetString(GL_EXTENSIONS));
    return extensions != nullptr && std::strstr(extensions, "GL_OES_texture_npot") != nullptr;
}

void Context::bindFramebuffer(GLenum target, GLuint framebuffer) {
    flush();
    boundFramebuffer = framebuffer;
    driver.BindFramebuffer(target, framebuffer);
}

}  // namespace fixedfunction
