// Image files written from plain pixels, for the tools and the tests: PNG, BMP and
// uncompressed TGA, through stb_image_write. Owns nothing between calls.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "image/format.h"

// Rows of 8-bit samples without padding: 1 grey, 2 grey and alpha, 3 RGB or 4 RGBA a pixel.
struct PixelRows {
    int width = 0;
    int height = 0;
    int channels = 3;
    const unsigned char* samples = nullptr;
    bool bottomRowFirst = false;  // as OpenGL keeps a picture; else the top row comes first
};

// The file's bytes, the top row shown on top by every viewer; empty when the format is not
// PNG, BMP or TGA or the rows make no picture.
std::vector<unsigned char> encodeImage(ImageFormat format, const PixelRows& rows);

// Writes what encodeImage makes; false when there is nothing to write or the file cannot be
// written.
bool writeImageFile(const std::string& path, ImageFormat format, const PixelRows& rows);
