// The checks that run on an image file's bytes before any decoder: the size gate, whole data
// (decoders that do not notice a file cut short or a run past the picture would loop for
// ever, read past their buffer or fill the picture with whatever the buffer held), and the
// few rewrites that make a valid variant readable.
#pragma once

#include <vector>

#include "image/header.h"
#include "image/header_readers.h"

// True when the file holds all that its header promises and no run leaves the picture; true
// for the formats whose decoders check this themselves.
bool imageDataIsWhole(ImageFormat format, const ByteView& bytes);

struct PreparedImage {
    ImageFormat format = ImageFormat::Unknown;
    bool rightToLeft = false;  // TGA rows stored right to left, turned round after decoding
};

// Checks the file's bytes and makes them ready for a decoder: TGA's right-to-left flag taken
// off, a TGA colour map made to start at index 0, PNM samples wider than a byte narrowed, DDS's extended header replaced by the older one;
// false when the image is refused.
bool prepareImage(std::vector<unsigned char>& bytes, int largestSide, PreparedImage& image);

