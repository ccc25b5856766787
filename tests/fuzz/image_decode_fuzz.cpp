// libFuzzer harness for image decoding: each input goes through the size gate and the decoder
// its content calls for, as a texture's image file would, with a smaller largest side so
// that runs stay quick. Whatever the bytes, a decoded image has the size the gate allows.
#include <cstddef>
#include <cstdint>

#include "render/image_decode.h"
#include "render/image_header.h"

namespace {
constexpr int kLargestSide = 2048;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    int width = -1, height = -1;
    const bool decoded = decodeImageBytes(data, size, kLargestSide, &width, &height);
    if (decoded && (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide))
        __builtin_trap();
    if (!decoded && (width != 0 || height != 0)) __builtin_trap();
    return 0;
}
