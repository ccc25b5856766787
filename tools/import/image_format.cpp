// The engine's image library decides what is copied; stb decodes what must become PNG.
#include "tools/import/image_format.h"

#include <stb/stb_image.h>

#include <cstdint>
#include <memory>

#include "image/decode.h"
#include "image/format.h"
#include "image/write.h"

namespace vornimport {

std::string_view extensionIfReadAsIs(const Bytes& bytes) {
    if (!engineReadsAsIs(bytes.data(), bytes.size())) return {};
    return extensionOf(formatOfContent(bytes.data(), bytes.size()));
}

Bytes encodePng(const std::uint8_t* pixels, int width, int height, int channels) {
    return encodeImage(ImageFormat::Png, PixelRows{width, height, channels, pixels});
}

Bytes convertToPng(const Bytes& bytes) {
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT32_MAX)) return {};
    int width = 0, height = 0, channels = 0;
    // A header may promise any size; a picture of more than 2^26 pixels is no texture.
    if (!stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels) ||
        static_cast<std::int64_t>(width) * height > (std::int64_t(1) << 26))
        return {};
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 0),
        stbi_image_free);
    if (!pixels) return {};
    return encodePng(pixels.get(), width, height, channels);
}

Bytes onePixelPng(std::uint8_t level) {
    const std::uint8_t pixel[3] = {level, level, level};
    return encodePng(pixel, 1, 1, 3);
}

}  // namespace vornimport
