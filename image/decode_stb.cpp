// stb_image gives rows top first; they are turned over as they are copied out.
#include "image/decode_stb.h"

#include <stb/stb_image.h>

#include <cstdint>
#include <cstring>

#include "image/header_readers.h"

namespace {

// A PNG of grey or RGB pixels with a tRNS chunk (before its image data) has a colour that is
// transparent; stb_image's info call counts its channels without that alpha.
bool pngHasTransparentColour(const std::vector<unsigned char>& bytes) {
    const ByteView view{bytes.data(), bytes.size()};
    if (view.be(0, 4) != 0x89504E47) return false;
    for (std::size_t at = 8; view.has(at, 8);) {
        const std::uint32_t length = view.be(at, 4), type = view.be(at + 4, 4);
        if (type == 0x74524E53) return true;   // "tRNS"
        if (type == 0x49444154) return false;  // "IDAT"
        if (length > bytes.size()) return false;
        at += 12 + std::size_t(length);
    }
    return false;
}

}  // namespace

bool decodeWithStb(const std::vector<unsigned char>& bytes, DecodedPixels& pixels) {
    int width = 0, height = 0, channels = 0;
    if (bytes.size() > std::size_t(INT32_MAX) ||
        !stbi_info_from_memory(bytes.data(), int(bytes.size()), &width, &height, &channels))
        return false;
    const bool alpha = channels == 2 || channels == 4 || pngHasTransparentColour(bytes);
    pixels.channels = alpha ? 4 : 3;
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
