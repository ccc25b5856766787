// stb_image gives rows top first; they are turned over as they are copied out.
#include "image/decode_stb.h"

#include <stb/stb_image.h>

#include <cstdint>
#include <cstring>

bool decodeWithStb(const std::vector<unsigned char>& bytes, DecodedPixels& pixels) {
    int width = 0, height = 0, channels = 0;
    if (bytes.size() > std::size_t(INT32_MAX) ||
        !stbi_info_from_memory(bytes.data(), int(bytes.size()), &width, &height, &channels))
        return false;
    pixels.channels = channels == 2 || channels == 4 ? 4 : 3;
    unsigned char* decoded = stbi_load_from_memory(bytes.data(), int(bytes.size()), &width,
                                                   &height, &channels, pixels.channels);
    if (decoded == nullptr) return false;
    pixels.width = width;
    pixels.height = height;
    const std::size_t rowBytes = std::size_t(width) * std::size_t(pixels.channels);
    pixels.bytes.resize(rowBytes * std::size_t(height));
    for (int row = 0; row < height; ++row)
        std::memcpy(pixels.bytes.data() + std::size_t(height - 1 - row) * rowBytes,
                    decoded + std::size_t(row) * rowBytes, rowBytes);
    stbi_image_free(decoded);
    return true;
}
