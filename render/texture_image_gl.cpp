// Making a texture's OpenGL texture without DevIL (the Windows build): the image library
// decodes the file into plain rows, bottom first, which go to GL as they are, with a full
// chain of mipmaps halved from them where the filter mode asks for one (from GLU, scaled to
// powers of two, where the driver takes no other sizes).
#include <GL/glu.h>

#include "image/decode.h"
#include "render/texture_list.h"
#include "render/texture_setup.h"

namespace {

// One level, or every level down to 1 x 1, of the decoded rows in a new texture name.
GLuint uploadedTexture(const DecodedPixels& pixels, bool mipmapped) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // Decoded rows have no padding: RGB rows of odd widths are not a multiple of four bytes.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLenum layout = pixels.channels == 4 ? GL_RGBA : GL_RGB;
    if (mipmapped && !driverTakesAnySize()) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, pixels.channels, pixels.width, pixels.height, layout,
                          GL_UNSIGNED_BYTE, pixels.bytes.data());
        return name;
    }
    glTexImage2D(GL_TEXTURE_2D, 0, pixels.channels, pixels.width, pixels.height, 0, layout,
                 GL_UNSIGNED_BYTE, pixels.bytes.data());
    if (mipmapped) uploadLowerLevels(pixels);
    return name;
}

}  // namespace

// Nothing to start: the decoders start on first use.
void startImageLibrary() {}

void Texture::load(const char* fileName, int filterMode, int wrapMode) {
    DecodedPixels pixels;
    const bool loaded = decodeImageFile(fileName, largestTextureSide(), pixels);
    if (!loaded) reportUnreadable(fileName);

    recordTextureSource(*this, fileName, filterMode, wrapMode);

    if (filterMode >= 0 && filterMode <= 3) {
        applyTextureEnvironment();
        if (loaded) {
            glTexture = uploadedTexture(pixels, filterMode >= 2);
        } else {
            glTexture = boundEmptyTexture();
        }
        applyTextureModes(filterMode, wrapMode);
    }

    width = loaded ? pixels.width : 0;
    height = loaded ? pixels.height : 0;
}
