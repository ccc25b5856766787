// The texture list's bookkeeping and the texture environments of the three unit roles.
#include "render/texture_list.h"

#include <GL/glext.h>

#include <cstring>

#include "engine/gl_extensions.h"

TextureList::TextureList() {
    // No rendering context exists yet when the engine is built, so this enable has no effect;
    // the window's initial state enables texturing for real.
    glEnable(GL_TEXTURE_2D);
    startImageLibrary();
}

int TextureList::addTexture(const char* fileName, int filterMode, int wrapMode) {
    Texture texture;
    texture.load(fileName, filterMode, wrapMode);
    texture.id = nextId;
    textures.push_back(texture);
    return nextId++;
}

int TextureList::findByName(const char* fileName) const {
    for (const Texture& texture : textures)
        if (std::strcmp(texture.fileName, fileName) == 0) return texture.id;
    return -1;
}

int TextureList::wrapModeOf(int id) const {
    for (const Texture& texture : textures)
        if (texture.id == id) return texture.wrapMode;
    return -1;
}

void TextureList::clear() {
    textures.clear();
    nextId = 0;
    currentId = -1;
}

void TextureList::applyTexture(int textureId, int unitRole) {
    const Texture* found = nullptr;
    for (const Texture& texture : textures)
        if (texture.id == textureId) {
            found = &texture;
            break;
        }
    if (found == nullptr) return;
    // Without multitexturing only unit 0 exists: a detail or bump texture has nowhere to go.
    const bool unitsAvailable = extensions != nullptr && extensions->activeTexture != nullptr;
    if (unitRole != 0 && !unitsAvailable) return;
    currentId = textureId;

    switch (unitRole) {
    case 0:
        if (unitsAvailable) extensions->activeTexture(GL_TEXTURE0_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        break;
    case 1:
        extensions->activeTexture(GL_TEXTURE1_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_EXT);
        glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE_EXT, 2);
        break;
    case 2:
        extensions->activeTexture(GL_TEXTURE2_ARB);
        // The DOT3 settings are stored, then the unit is put back to modulate: the bump map
        // darkens the result of the units before it.
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GLfloat(GL_COMBINE_EXT));
        glTexEnvf(GL_TEXTURE_ENV, GL_COMBINE_RGB_EXT, GLfloat(GL_DOT3_RGB_EXT));
        glTexEnvf(GL_TEXTURE_ENV, GL_SOURCE2_RGB_EXT, GLfloat(GL_PRIMARY_COLOR_EXT));
        glTexEnvf(GL_TEXTURE_ENV, GL_OPERAND2_RGB_EXT, GLfloat(GL_SRC_COLOR));
        glTexEnvf(GL_TEXTURE_ENV, GL_SOURCE0_RGB_EXT, GLfloat(GL_TEXTURE));
        glTexEnvf(GL_TEXTURE_ENV, GL_OPERAND0_RGB_EXT, GLfloat(GL_SRC_COLOR));
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        break;
    default:
        break;
    }
    found->bind();
}
