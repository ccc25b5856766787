#include "image/convert.h"

#include <stb/stb_image.h>

#include <cstdint>
#include <memory>

#include "image/write.h"

std::vector<unsigned char> convertToPng(const unsigned char* data, std::size_t size) {
    if (size == 0 || size > static_cast<std::size_t>(INT32_MAX)) return {};
    int width = 0, height = 0, channels = 0;
    // A header may promise any size: it is asked before anything is decoded.
    if (!stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &channels) ||
        static_cast<std::int64_t>(width) * height > (std::int64_t(1) << 26))
        return {};
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 0), stbi_image_free);
    if (!pixels) return {};
    return encodeImage(ImageFormat::Png, PixelRows{width, height, channels, pixels.get()});
}
