// Image files decoded for textures: the size gate on every file's declared size first, then
// the decoder its content calls for (SDL2_image, or DevIL for what only it reads).
#pragma once

#include <cstddef>

// The largest side to allow where no rendering context tells GL_MAX_TEXTURE_SIZE.
constexpr int kDefaultLargestImageSide = 16384;

// Starts DevIL with its allocations capped and every image read bottom row first; once per
// process, later calls do nothing.
void startImageDecoding();

// Decodes the named file into the bound DevIL image, bottom row first; false, with the image
// left empty, when the file is missing, refused by the size gate or not decodable.
bool decodeIntoBoundImage(const char* fileName, int largestSide);
bool decodeBytesIntoBoundImage(const unsigned char* data, std::size_t size, int largestSide);

// Decodes the named file exactly as a texture load would, without any OpenGL context, and
// gives its size; for checking that a scene's images will load.
bool decodeImageFile(const char* fileName, int largestSide, int* width, int* height);
// The same from bytes in memory.
bool decodeImageBytes(const unsigned char* data, std::size_t size, int largestSide, int* width,
                      int* height);
