// One rendering context of the layer: the GL 1.1 state, the texture objects and display lists
// it has given out, and the batch of vertices not yet drawn. The GL entry points call these
// members on the current context; the driver beneath is reached only through the renderer.
#pragma once

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fixedfunction/draw_state.h"
#include "fixedfunction/renderer.h"
#include "fixedfunction/state.h"

namespace fixedfunction {

class Context;
using ListCommand = std::function<void(Context&)>;

class Context {
public:
    explicit Context(const Driver& driver);

    // Errors: the first one is kept until read, as in OpenGL.
    void setError(GLenum error);
    GLenum takeError();
    bool insideBeginEnd() const { return primitiveMode != kNoPrimitive; }

    // Current attributes.
    void color(float r, float g, float b, float a);
    void normal(float x, float y, float z);
    void texCoord(GLenum unit, float s, float t);
    void vertex(float x, float y, float z) {
        if (primitiveMode == kNoPrimitive) return;
        if (vertexCount == vertexCapacity) grow();
        Vertex& v = vertices[vertexCount++];
        v.position[0] = x;
        v.position[1] = y;
        v.position[2] = z;
        std::memcpy(v.color, &state.current, sizeof state.current);
    }
    void begin(GLenum mode);
    void end();

    // Matrices.
    void matrixMode(GLenum mode);
    void loadIdentity();
    void multiplyMatrix(const Matrix& matrix);
    void pushMatrix();
    void popMatrix();
    void rotate(float angle, float x, float y, float z);
    void translate(float x, float y, float z);
    void scale(float x, float y, float z);
    void ortho(double left, double right, double bottom, double top, double nearValue, double farValue);
    void frustum(double left, double right, double bottom, double top, double nearValue, double farValue);

    // Enables, texture units and their environment and generation.
    void setEnabled(GLenum capability, bool enabled);
    bool isEnabled(GLenum capability);
    void activeTexture(GLenum unit);
    void clientActiveTexture(GLenum unit);
    void texEnv(GLenum target, GLenum name, float value);
    void texEnvColor(const float* color);
    void texGenMode(GLenum coordinate, GLenum name, GLint mode);
    void texGenPlane(GLenum coordinate, GLenum name, const float* plane);
    void shadeModel(GLenum mode);
    void depthFunc(GLenum function);
    void hint(GLenum target, GLenum mode);

    // Textures.
    void genTextures(GLsizei count, GLuint* names);
    void deleteTextures(GLsizei count, const GLuint* names);
    void bindTexture(GLenum target, GLuint name);
    void texParameter(GLenum target, GLenum name, GLint value);
    void texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                    GLint border, GLenum format, GLenum type, const void* pixels);
    void pixelStore(GLenum name, GLint value);

    // Attribute stacks.
    void pushAttrib(GLbitfield mask);
    void popAttrib();
    void pushClientAttrib(GLbitfield mask);
    void popClientAttrib();

    // Raster position and bitmaps; a bitmap as a display list keeps it: unpacked, one byte a pixel.
    void rasterPos(float x, float y, float z, float w);
    void bitmap(const std::shared_ptr<BitmapImage>& image, float xOrigin, float yOrigin,
                float xMove, float yMove);
    std::shared_ptr<BitmapImage> unpackBitmap(GLsizei width, GLsizei height, const GLubyte* bits) const;

    // Display lists.
    GLuint genLists(GLsizei range);
    void newList(GLuint list, GLenum mode);
    void endList();
    void deleteLists(GLuint list, GLsizei range);
    void callList(GLuint list);
    void callLists(GLsizei count, GLenum type, const void* lists);
    void listBase(GLuint base);
    bool compilingList() const { return compiling != nullptr; }
    bool executingWhileCompiling() const { return compileMode == GL_COMPILE_AND_EXECUTE; }
    void record(ListCommand command) { compiling->push_back(std::move(command)); }
    bool listExists(GLuint list) const { return lists.count(list) != 0; }

    // Frame buffer and queries.
    void viewport(GLint x, GLint y, GLsizei width, GLsizei height);
    void clear(GLbitfield mask);
    void clearColor(float r, float g, float b, float a);
    void clearDepth(double depth);
    void readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels);
    void getIntegerv(GLenum name, GLint* values);
    void getFloatv(GLenum name, GLfloat* values);
    const GLubyte* getString(GLenum name);
    // Framebuffer 0 is the window, whose rows the driver keeps top first.
    void bindFramebuffer(GLenum target, GLuint framebuffer);
    bool drawingToWindow() const { return boundFramebuffer == 0; }
    bool driverTakesAnySize() const;
    void finish();
    // Draws what the batch holds: before anything reads or shows the frame buffer.
    void flush();

    const State& glState() const { return state; }
    const std::map<GLuint, TextureObject>& textureObjects() const { return textures; }
    Renderer& renderer() { return gpu; }
    const Driver& driverTable() const { return driver; }
    std::size_t pendingVertices() const { return vertexCount; }
    const Vertex* pendingData() const { return vertices.get(); }
    // Hears of every batch as it goes to the driver (benchmarks take a frame's vertices so).
    using BatchObserver = std::function<void(const DrawState&, const Vertex*, std::size_t)>;
    void observeBatches(BatchObserver observer) { batchObserver = std::move(observer); }

private:
    static constexpr GLenum kNoPrimitive = 0xFFFF;
    void grow();
    void flushPrimitives();
    void changed() { stateChanged = true; }
    void expandPrimitive(std::size_t first);
    const TextureObject* boundTexture() const;

    const Driver& driver;
    Renderer gpu;
    State state;
    std::map<GLuint, TextureObject> textures;
    std::map<GLuint, std::shared_ptr<const std::vector<ListCommand>>> lists;
    std::vector<ListCommand> pendingList;
    std::vector<ListCommand>* compiling = nullptr;
    GLuint compilingName = 0;
    GLenum compileMode = 0;
    int listDepth = 0;

    // The batch: vertices under one draw state, drawn together at the next change or flush.
    DrawState batchState;
    bool stateChanged = true;
    PrimitiveClass batchClass = PrimitiveClass::triangles;
    std::unique_ptr<Vertex[]> vertices;
    std::size_t vertexCount = 0, vertexCapacity = 0;
    GLenum primitiveMode = kNoPrimitive;
    std::size_t primitiveStart = 0;
    std::string extensionString, rendererString;
    GLuint boundFramebuffer = 0;
    BatchObserver batchObserver;
};

// The current context, made on first use; the entry points' quick way to it.
extern Context* activeContext;
Context& currentContext();
inline Context& current() { return activeContext != nullptr ? *activeContext : currentContext(); }

}  // namespace fixedfunction
