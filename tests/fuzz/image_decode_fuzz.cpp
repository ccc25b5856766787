// libFuzzer harness for image decoding: each input goes through the checks on its bytes (the
// size gate, whole data, the choice of decoder) and then the decoder, here in the fuzzer's own
// process so that libFuzzer sees into the decoders; the program runs that decoder in a child.
// The checks must never let a picture through that is larger than they allow.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/decode.h"
#include "image/decoders.h"

namespace {
// Smaller than a driver's largest texture, so that runs stay quick.
constexpr int kLargestSide = 2048;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    startDecoders();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<unsigned char> bytes(data, data + size);
    PreparedImage image;
    if (!prepareImage(bytes, kLargestSide, image)) return 0;
    DecodedPixels pixels;
    if (!decodePreparedImage(image, bytes, pixels)) return 0;
    if (pixels.width < 1 || pixels.height < 1 || pixels.width > kLargestSide ||
        pixels.height > kLargestSide || (pixels.channels != 3 && pixels.channels != 4) ||
        pixels.bytes.size() != std::size_t(pixels.width) * std::size_t(pixels.height) *
                                   std::size_t(pixels.channels))
        __builtin_trap();
    return 0;
}
