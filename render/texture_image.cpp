// Making a texture's OpenGL texture: the image library decodes the file into plain pixels,
// which become the bound DevIL image that ILUT uploads. ILUT's mipmaps come from GLU, which
// scales every side to a power of two (a 127-texel row to 128, smeared): where the driver
// takes any size, ILUT uploads the picture as it is and the smaller levels are halved from it.
#include <IL/il.h>
#define ILUT_USE_OPENGL
#include <IL/ilut.h>

#include "image/decode.h"
#include "render/texture_list.h"
#include "render/texture_setup.h"

namespace {

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
    if (!loaded) reportUnreadable(fileName);

    recordTextureSource(*this, fileName, filterMode, wrapMode);

    if (filterMode >= 0 && filterMode <= 3) {
        applyTextureEnvironment();
        const bool mipmapped = filterMode >= 2;
        if (loaded) {
            // ILUT reads the largest texture side and the extensions from the current context;
            // the engine is built before any context exists, so they are read here, where one is.
            ilutRenderer(ILUT_OPENGL);
            if (mipmapped && !driverTakesAnySize()) {
                glTexture = ilutGLBindMipmaps();
            } else {
                glTexture = ilutGLBindTexImage();
                if (mipmapped) uploadLowerLevels(pixels);
            }
        } else {
            glTexture = boundEmptyTexture();
        }
        applyTextureModes(filterMode, wrapMode);
    }

    pixels = DecodedPixels{};
    width = loaded ? ilGetInteger(IL_IMAGE_WIDTH) : 0;
    height = loaded ? ilGetInteger(IL_IMAGE_HEIGHT) : 0;
    ilDeleteImages(1, &image);
    while (ilGetError() != IL_NO_ERROR) {
    }
}
