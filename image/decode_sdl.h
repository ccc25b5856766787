// Decoding of the mainstream image formats through SDL2_image, into plain rows of bytes that
// the texture code hands on to DevIL; nothing else in the program sees SDL's surfaces.
#pragma once

#include <cstddef>

#include "image/decode_apart.h"
#include "image/header.h"

// True for the formats handed to SDL2_image first.
bool sdlImageDecodes(ImageFormat format);
// Decodes `data` as `format`; false when SDL2_image refuses it.
bool decodeWithSdlImage(ImageFormat format, const unsigned char* data, std::size_t size,
                        DecodedPixels& pixels);
