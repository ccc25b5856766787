// Decoding through stb_image, into rows bottom first: the formats it reads right, on every
// platform, and on Windows the mainstream formats.
#pragma once

#include <vector>

#include "image/decode.h"

// Decodes `bytes` into RGB, or RGBA where the file has alpha; false when stb_image refuses it.
bool decodeWithStb(const std::vector<unsigned char>& bytes, DecodedPixels& pixels);
