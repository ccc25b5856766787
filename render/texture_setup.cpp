#include "render/texture_setup.h"

#include <cstring>
#include <string>

#include "image/decode.h"
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
