// Image files decoded into plain pixels, without OpenGL: the size gate and the structural
// checks on every file first, then the decoder its format calls for, in a child process.
#pragma once

#include <cstddef>
#include <vector>

// The largest side to allow where no rendering context tells GL_MAX_TEXTURE_SIZE.
constexpr int kDefaultLargestImageSide = 16384;

// A decoded picture: 8 bits a sample, RGB or RGBA, bottom row first as OpenGL keeps a texture,
// rows without padding. Grey pictures come as RGB, grey with alpha as RGBA.
struct DecodedPixels {
    int width = 0;
    int height = 0;
    int channels = 0;                  // 3 for RGB, 4 for RGBA
    std::vector<unsigned char> bytes;  // bottom row first, rows without padding
};

// Starts the process that decodes every later image, each in a fresh child of its own; called
// first thing in main, while the program is small and cheap to fork. Without it, each image
// is decoded in a child forked from the program itself. On Linux every child the program
// forks from then on (the libraries' own too) dies with the program.
void startImageDecoding();
// Has that process decode the file while the program goes on (opens its window, say), so that
// decodeImageFile on the same unchanged file is answered at once; without it, nothing happens.
void decodeImageFileAhead(const char* fileName);

// Decodes the named file; false, with `pixels` empty, when the file is missing, refused by the
// size gate or the checks, or not decodable.
bool decodeImageFile(const char* fileName, int largestSide, DecodedPixels& pixels);
// The same from bytes in memory.
bool decodeImageBytes(const unsigned char* data, std::size_t size, int largestSide,
                      DecodedPixels& pixels);

// Whether the engine reads the file as it is, at the usual largest texture side: it passes
// every check and decodes. The importer copies such files unchanged.
bool engineReadsAsIs(const unsigned char* data, std::size_t size);
