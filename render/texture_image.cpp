// Making a texture's OpenGL texture: the image library decodes the file into plain pixels,
// which become the bound DevIL image that ILUT uploads.
#include <IL/il.h>
#define ILUT_USE_OPENGL
#include <IL/ilut.h>

#include <cstring>
#include <string>

#include "platform/platform.h"
#include "image/decode.h"
#include "render/texture_list.h"

namespace {

// The largest side the context takes; without a context, the usual one of today's drivers.
int largestTextureSide() {
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    return side > 0 ? side : kDefaultLargestImageSide;
}

// The decoded rows, bottom first, as the bound image.
bool storeInBoundImage(DecodedPixels& pixels) {
    const ILenum layout = pixels.channels == 4 ? IL_RGBA : IL_RGB;
    if (!ilTexImage(ILuint(pixels.width), ILuint(pixels.height), 1, ILubyte(pixels.channels), layout,
                    IL_UNSIGNED_BYTE, pixels.bytes.data()))
        return false;
    ilRegisterOrigin(IL_ORIGIN_LOWER_LEFT);
    bool clean = true;
    while (ilGetError() != IL_NO_ERROR) clean = false;
    return clean && ilGetData() != nullptr;
}

void reportUnreadable(const char* fileName) {
    const std::string text = std::string("Probleme de chargement du fichier ") + fileName;
    platform::messageBox(text.c_str(), "Erreur", platform::MB_OK);
}

}  // namespace

void startImageLibrary() {
    static const bool started = (ilInit(), true);
    (void)started;
}

void Texture::load(const char* fileName, int filterMode, int wrapMode) {
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    DecodedPixels pixels;
    const bool loaded = decodeImageFile(fileName, largestTextureSide(), pixels) &&
                        storeInBoundImage(pixels);
    pixels = DecodedPixels{};
    if (!loaded) reportUnreadable(fileName);

    std::strncpy(this->fileName, fileName, sizeof this->fileName - 1);
    this->fileName[sizeof this->fileName - 1] = '\0';
    this->filterMode = filterMode;
    this->wrapMode = wrapMode;

    if (filterMode >= 0 && filterMode <= 3) {
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GLfloat(GL_MODULATE));
        glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        const bool mipmapped = filterMode >= 2;
        if (loaded) {
            // ILUT reads the largest texture side and the extensions from the current context;
            // the engine is built before any context exists, so they are read here, where one is.
            ilutRenderer(ILUT_OPENGL);
            glTexture = mipmapped ? ilutGLBindMipmaps() : ilutGLBindTexImage();
        } else {
            // An image that failed to load gets a texture name with no image: the unit that
            // binds it draws untextured instead of showing memory the load never filled.
            glGenTextures(1, &glTexture);
            glBindTexture(GL_TEXTURE_2D, glTexture);
        }
        static constexpr GLint kMinFilters[4] = {GL_NEAREST, GL_LINEAR, GL_LINEAR_MIPMAP_NEAREST,
                                                 GL_LINEAR_MIPMAP_LINEAR};
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filterMode == 0 ? GL_NEAREST : GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, kMinFilters[filterMode]);
        if (wrapMode == 0 || wrapMode == 1) {
            const GLint wrap = wrapMode == 0 ? GL_REPEAT : GL_CLAMP;
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
        }
    }

    width = loaded ? ilGetInteger(IL_IMAGE_WIDTH) : 0;
    height = loaded ? ilGetInteger(IL_IMAGE_HEIGHT) : 0;
    ilDeleteImages(1, &image);
    while (ilGetError() != IL_NO_ERROR) {
    }
}

void Texture::bind() const {
    glBindTexture(GL_TEXTURE_2D, glTexture);
    glEnable(GL_TEXTURE_2D);
}
