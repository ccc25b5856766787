// The library's own DDS reader, for platforms without DevIL: the first picture of a DDS in
// DXT1, DXT2 to DXT5 blocks or in plain pixels described by channel masks.
#pragma once

#include <vector>

#include "image/decode.h"

// Decodes the top level of the first face or slice into RGBA (RGB for plain pixels without
// alpha), bottom row first; false for other pixel formats or data cut short.
bool decodeDds(const std::vector<unsigned char>& bytes, DecodedPixels& pixels);
