#include "render/texture_setup.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/gl_extensions.h"
#include "image/decode.h"
#include "image/mipmap.h"
#include "platform/platform.h"

int largestTextureSide() {
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    return side > 0 ? side : kDefaultLargestImageSide;
}

void reportUnreadable(const char* fileName) {
    const std::string text = std::string("Probleme de chargement du fichier ") + fileName;
    platform::messageBox(text.c_str(), "Erreur", platform::MB_OK);
}

void recordTextureSource(Texture& texture, const char* fileName, int filterMode, int wrapMode) {
    std::strncpy(texture.fileName, fileName, sizeof texture.fileName - 1);
    texture.fileName[sizeof texture.fileName - 1] = '\0';
    texture.filterMode = filterMode;
    texture.wrapMode = wrapMode;
}

bool driverTakesAnySize() {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int major = 0;
    if (version != nullptr && std::sscanf(version, "%d", &major) == 1 && major >= 2) return true;
    return extensionListContains(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)),
                                 "GL_ARB_texture_non_power_of_two");
}

void uploadLowerLevels(const DecodedPixels& pixels) {
    // Decoded rows have no padding: RGB rows of odd widths are not a multiple of four bytes.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLenum layout = pixels.channels == 4 ? GL_RGBA : GL_RGB;
    DecodedPixels level = halvedPicture(pixels);
    for (GLint number = 1;; ++number) {
        glTexImage2D(GL_TEXTURE_2D, number, pixels.channels, level.width, level.height, 0, layout,
                     GL_UNSIGNED_BYTE, level.bytes.data());
        if (level.width == 1 && level.height == 1) break;
        level = halvedPicture(level);
    }
}

GLuint boundEmptyTexture() {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    return name;
}

void applyTextureEnvironment() {
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GLfloat(GL_MODULATE));
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
}

void applyTextureModes(int filterMode, int wrapMode) {
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

void Texture::bind() const {
    glBindTexture(GL_TEXTURE_2D, glTexture);
    glEnable(GL_TEXTURE_2D);
}
