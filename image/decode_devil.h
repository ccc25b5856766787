// DevIL's decoders, for DDS and the rarer formats only it reads, and for the valid variants
// that SDL2_image refuses.
#pragma once

#include <cstddef>

#include "image/decode_apart.h"

// Decodes `data` as DevIL's image type `type` into RGB or RGBA rows, bottom row first.
bool decodeWithDevil(unsigned type, const unsigned char* data, std::size_t size,
                     DecodedPixels& pixels);
