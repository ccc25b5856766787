// DevIL decodes into an image of its own, converted to 8-bit RGB or RGBA: grey pictures become
// RGB, as SDL2_image's do, so that every texture holds colour texels.
#include "image/decode_devil.h"

#include <IL/il.h>

#include <cstdint>
#include <cstring>

bool decodeWithDevil(unsigned type, const unsigned char* data, std::size_t size,
                     DecodedPixels& pixels) {
    if (size > 0xFFFFFFFFu) return false;
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    bool decoded = ilLoadL(type, data, ILuint(size)) != IL_FALSE;
    const ILint layout = ilGetInteger(IL_IMAGE_FORMAT);
    const bool alpha = layout == IL_RGBA || layout == IL_BGRA || layout == IL_LUMINANCE_ALPHA;
    decoded = decoded && ilConvertImage(alpha ? IL_RGBA : IL_RGB, IL_UNSIGNED_BYTE) != IL_FALSE;
    while (ilGetError() != IL_NO_ERROR) decoded = false;
    pixels.width = ilGetInteger(IL_IMAGE_WIDTH);
    pixels.height = ilGetInteger(IL_IMAGE_HEIGHT);
    pixels.channels = alpha ? 4 : 3;
    const std::int64_t bytes = std::int64_t(pixels.width) * pixels.height * pixels.channels;
    // Only the first slice of a volume texture or the first face of a cube map is kept.
    decoded = decoded && pixels.width > 0 && pixels.height > 0 && ilGetData() != nullptr &&
              ilGetInteger(IL_IMAGE_SIZE_OF_DATA) >= bytes;
    if (decoded) pixels.bytes.assign(ilGetData(), ilGetData() + bytes);
    ilDeleteImages(1, &image);
    return decoded;
}
