// Pictures the engine does not read as they are (HDR, 16-bit, odd PNG and TGA kinds), made
// into a PNG it does read: stb decodes, the library's PNG writer encodes. Owns nothing.
#pragma once

#include <cstddef>
#include <vector>

// The PNG of the picture in `data`; empty when stb cannot read it or it has more than 2^26
// pixels, which no texture has.
std::vector<unsigned char> convertToPng(const unsigned char* data, std::size_t size);
