// DevIL's decoders, for the formats only it reads, run in a child process: they have not been
// fuzzed as SDL2_image's libraries have, and a crash or a hang in them must not take the
// program with it.
#pragma once

#include <cstddef>

#include "render/image_decode_sdl.h"

// Decodes `data` as DevIL's image type `type` in a child process and hands back its pixels
// as RGB or RGBA rows, bottom row first; false when the child fails, dies or takes too long,
// or sends a picture larger than `largestSide` allows.
bool decodeWithDevilApart(unsigned type, const unsigned char* data, std::size_t size,
                          int largestSide, DecodedPixels& pixels);
