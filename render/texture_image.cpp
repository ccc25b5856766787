// Reading an image through DevIL and making its OpenGL texture through ILUT. The image
// library trusts the sizes that files declare, so its allocations are capped and every load
// is checked before anything is uploaded.
#include <IL/il.h>
#define ILUT_USE_OPENGL
#include <IL/ilut.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "render/texture_list.h"

namespace {

// Larger blocks come only from files that lie about their size (a 23-byte TGA asks for 4 GB).
constexpr ILsizei kLargestImageBlock = ILsizei(256) << 20;

void* ILAPIENTRY cappedAllocate(const ILsizei size) {
    if (size > kLargestImageBlock) return nullptr;
    return std::malloc(size);
}

void ILAPIENTRY cappedFree(const void* block) { std::free(const_cast<void*>(block)); }

// Drains the library's error stack; true when nothing was pending.
bool noPendingErrors() {
    bool clean = true;
    while (ilGetError() != IL_NO_ERROR) clean = false;
    return clean;
}

// The bound image holds at least the data its width, height, depth and pixel size promise.
bool loadedImageIsWhole() {
    const std::int64_t width = ilGetInteger(IL_IMAGE_WIDTH);
    const std::int64_t height = ilGetInteger(IL_IMAGE_HEIGHT);
    const std::int64_t depth = ilGetInteger(IL_IMAGE_DEPTH);
    const std::int64_t bytesPerPixel = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
    const std::int64_t size = ilGetInteger(IL_IMAGE_SIZE_OF_DATA);
    if (width <= 0 || height <= 0 || depth <= 0 || bytesPerPixel <= 0 || ilGetData() == nullptr)
        return false;
    if (width > 65536 || height > 65536 || depth > 65536) return false;
    return size >= width * height * depth * bytesPerPixel;
}

void reportUnreadable(const char* fileName) {
    const std::string text = std::string("Probleme de chargement du fichier ") + fileName;
    platform::messageBox(text.c_str(), "Erreur", platform::MB_OK);
}

}  // namespace

void startImageLibrary() {
    ilSetMemory(cappedAllocate, cappedFree);
    ilInit();
    ilutRenderer(ILUT_OPENGL);
    // Every format is read bottom row first, as OpenGL wants its textures, so a BMP, a TGA and
    // a PNG of the same picture texture a face the same way up.
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_LOWER_LEFT);
}

void Texture::load(const char* fileName, int filterMode, int wrapMode) {
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    noPendingErrors();
    const bool loaded = ilLoadImage(fileName) && noPendingErrors() && loadedImageIsWhole();
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
    noPendingErrors();
}

void Texture::bind() const {
    glBindTexture(GL_TEXTURE_2D, glTexture);
    glEnable(GL_TEXTURE_2D);
}
