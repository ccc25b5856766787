// The two steps of decoding one image file: the checks on its bytes (size gate, whole data)
// with the choice of decoder, and the decoding itself, which the program runs in a child
// process and the fuzzer runs in its own to see into the decoders.
#pragma once

#include <vector>

#include "render/image_decode_apart.h"
#include "render/image_header.h"

enum class Decoder { SdlImage, Devil, Stb };

struct PreparedImage {
    ImageFormat format = ImageFormat::Unknown;
    Decoder decoder = Decoder::SdlImage;
    bool rightToLeft = false;  // TGA rows stored right to left, turned round after decoding
};

// Checks the file's bytes and makes them ready for their decoder (a few variants are
// rewritten); false when the image is refused.
bool prepareImage(std::vector<unsigned char>& bytes, int largestSide, PreparedImage& image);
// Decodes prepared bytes in this process, into rows bottom first.
bool decodePreparedImage(const PreparedImage& image, const std::vector<unsigned char>& bytes,
                         DecodedPixels& pixels);
