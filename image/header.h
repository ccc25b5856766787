// The size gate of image files: the width and height a file's header declares, read before
// any decoder allocates pixel memory for it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/format.h"

struct ImageHeader {
    ImageFormat format = ImageFormat::Unknown;
    std::int64_t width = 0;
    std::int64_t height = 0;
    // Pictures the decoder makes at that size: depth slices, cube faces, pages, icons.
    std::int64_t layers = 1;
};

// Pixel data, at four bytes a pixel, that one image file may ask for; more only comes from
// files that lie about their size or from pictures far beyond what a texture needs.
constexpr std::int64_t kLargestImageBytes = std::int64_t(256) << 20;

// Reads the declared size of the image in `data`; false when the format is not known or its
// header is cut short or makes no sense.
bool readImageHeader(const unsigned char* data, std::size_t size, ImageHeader& header);

// True when neither side is 0 or above `largestSide` and the pixels fit the limit above.
bool passesSizeGate(const ImageHeader& header, int largestSide);
