// The texture list: every texture of the scene, read through the image library, uploaded as
// an OpenGL texture and numbered by id; found again by file name and applied to texture units.
#pragma once

#include <GL/gl.h>
#include <vector>

struct GlExtensions;

struct Texture {
    char fileName[256] = {};  // exactly as the caller passed it, cut at 255 characters
    int id = 0;
    int width = 0;
    int height = 0;
    GLuint glTexture = 0;
    int filterMode = 0;  // 0 nearest, 1 linear, 2 and 3 mipmapped
    int wrapMode = 0;    // 0 repeat, 1 clamp, other: no wrap mode set

    // Reads the image and makes its OpenGL texture; an unreadable image is reported.
    void load(const char* fileName, int filterMode, int wrapMode);
    // Binds the texture on the active unit and enables 2D texturing there.
    void bind() const;
};

// Starts the image library (ilInit, ilutRenderer) once per process.
void startImageLibrary();

class TextureList {
public:
    TextureList();

    void setExtensions(GlExtensions& extensions) { this->extensions = &extensions; }
    // Loads one image as a new texture and returns its id, whatever the outcome of the load.
    int addTexture(const char* fileName, int filterMode, int wrapMode);
    // Id of the first texture whose file name equals `fileName` exactly, or -1.
    int findByName(const char* fileName) const;
    // Wrap mode of the first texture with that id, or -1.
    int wrapModeOf(int id) const;
    // Selects the unit of the role, sets its texture environment and binds the texture.
    void applyTexture(int textureId, int unitRole);
    // Forgets every texture, for a reload in a new rendering context whose names are new.
    void clear();

    const std::vector<Texture>& all() const { return textures; }
    int nextIdValue() const { return nextId; }
    int currentTextureId() const { return currentId; }

private:
    std::vector<Texture> textures;
    int nextId = 0;
    int currentId = -1;
    GlExtensions* extensions = nullptr;
};
