// The engine's image library decides what is copied and converts what must become PNG.
#include "tools/import/image_format.h"

#include "image/convert.h"
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

Bytes convertToPng(const Bytes& bytes) { return ::convertToPng(bytes.data(), bytes.size()); }

Bytes onePixelPng(std::uint8_t level) {
    const std::uint8_t pixel[3] = {level, level, level};
    return encodePng(pixel, 1, 1, 3);
}

}  // namespace vornimport
