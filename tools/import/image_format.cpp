// Image signatures, and stb for the images that must become PNG.
#include "tools/import/image_format.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cstdint>
#include <memory>

namespace vornimport {

namespace {

bool startsWith(const Bytes& bytes, std::string_view signature) {
    return bytes.size() >= signature.size() &&
           std::memcmp(bytes.data(), signature.data(), signature.size()) == 0;
}

bool endsWithTga(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower == "tga" || (lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".tga") == 0);
}

// The 18-byte TGA header: a colour map type of 0 or 1, a known image type, a size.
bool looksLikeTga(const Bytes& b) {
    if (b.size() < 18) return false;
    const int imageType = b[2];
    const bool knownType = imageType == 1 || imageType == 2 || imageType == 3 || imageType == 9 ||
                           imageType == 10 || imageType == 11;
    const int width = b[12] | (b[13] << 8), height = b[14] | (b[15] << 8);
    return b[1] <= 1 && knownType && width > 0 && height > 0;
}

bool looksLikePcx(const Bytes& b) {
    return b.size() >= 128 && b[0] == 0x0A && b[1] <= 5 && b[2] == 1 &&
           (b[3] == 1 || b[3] == 2 || b[3] == 4 || b[3] == 8);
}

bool looksLikePnm(const Bytes& b) {
    return b.size() >= 3 && b[0] == 'P' && b[1] >= '1' && b[1] <= '6' && std::isspace(b[2]);
}

void appendToBytes(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    const auto* begin = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), begin, begin + size);
}

}  // namespace

ImageKind imageKindOf(const Bytes& bytes, std::string_view nameOrHint) {
    if (startsWith(bytes, "\x89PNG\r\n\x1A\n")) return ImageKind::png;
    if (startsWith(bytes, "\xFF\xD8\xFF")) return ImageKind::jpeg;
    if (startsWith(bytes, "BM")) return ImageKind::bmp;
    if (startsWith(bytes, "GIF87a") || startsWith(bytes, "GIF89a")) return ImageKind::gif;
    if (startsWith(bytes, std::string_view("II*\0", 4)) || startsWith(bytes, std::string_view("MM\0*", 4)))
        return ImageKind::tiff;
    if (bytes.size() >= 12 && startsWith(bytes, "RIFF") && std::memcmp(bytes.data() + 8, "WEBP", 4) == 0)
        return ImageKind::webp;
    if (startsWith(bytes, "DDS ")) return ImageKind::dds;
    if (looksLikePnm(bytes)) return ImageKind::pnm;
    if (looksLikePcx(bytes)) return ImageKind::pcx;
    if (endsWithTga(nameOrHint) && looksLikeTga(bytes)) return ImageKind::tga;
    return ImageKind::other;
}

std::string_view extensionOf(ImageKind kind) {
    switch (kind) {
        case ImageKind::png: return "png";
        case ImageKind::jpeg: return "jpg";
        case ImageKind::bmp: return "bmp";
        case ImageKind::tga: return "tga";
        case ImageKind::gif: return "gif";
        case ImageKind::pcx: return "pcx";
        case ImageKind::pnm: return "pnm";
        case ImageKind::tiff: return "tif";
        case ImageKind::webp: return "webp";
        case ImageKind::dds: return "dds";
        case ImageKind::other: break;
    }
    return "png";
}

Bytes encodePng(const std::uint8_t* pixels, int width, int height, int channels) {
    Bytes out;
    if (!stbi_write_png_to_func(appendToBytes, &out, width, height, channels, pixels, width * channels))
        out.clear();
    return out;
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
