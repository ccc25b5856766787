// Windows has no fork: the decoder runs in the program's own process, on bytes that passed the
// size gate and the checks, and its picture is held to the same rules as a child's.
#include "image/decode_apart.h"

#include "image/header.h"

bool decodeApart(const std::function<bool(DecodedPixels&)>& decode, int largestSide,
                 DecodedPixels& pixels) {
    if (!decode(pixels)) return false;
    ImageHeader made;
    made.width = pixels.width;
    made.height = pixels.height;
    return passesSizeGate(made, largestSide) && (pixels.channels == 3 || pixels.channels == 4) &&
           pixels.bytes.size() ==
               std::size_t(pixels.width) * std::size_t(pixels.height) * std::size_t(pixels.channels);
}
