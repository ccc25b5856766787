// stb_image_write takes rows top first; rows given bottom first are turned over in a copy, so
// that no writer depends on the library's global flip setting.
#include "image/write.h"

#include <stb_image_write.h>

#include <cstdint>
#include <cstring>
#include <fstream>

namespace {

using Bytes = std::vector<unsigned char>;

void append(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    const auto* begin = static_cast<const unsigned char*>(data);
    out->insert(out->end(), begin, begin + size);
}

bool makesAPicture(const PixelRows& rows) {
    return rows.samples != nullptr && rows.width > 0 && rows.height > 0 && rows.channels >= 1 &&
           rows.channels <= 4 &&
           std::int64_t(rows.width) * rows.height * rows.channels <= INT32_MAX;
}

Bytes topRowFirst(const PixelRows& rows) {
    const std::size_t rowBytes = std::size_t(rows.width) * std::size_t(rows.channels);
    Bytes turned(rowBytes * std::size_t(rows.height));
    for (std::size_t row = 0; row < std::size_t(rows.height); ++row)
        std::memcpy(turned.data() + row * rowBytes,
                    rows.samples + (std::size_t(rows.height) - 1 - row) * rowBytes, rowBytes);
    return turned;
}

}  // namespace

Bytes encodeImage(ImageFormat format, const PixelRows& rows) {
    Bytes out;
    if (!makesAPicture(rows)) return out;
    Bytes turned;
    const unsigned char* samples = rows.samples;
    if (rows.bottomRowFirst) {
        turned = topRowFirst(rows);
        samples = turned.data();
    }
    const int width = rows.width, height = rows.height, channels = rows.channels;
    int written = 0;
    switch (format) {
    case ImageFormat::Png:
        written = stbi_write_png_to_func(append, &out, width, height, channels, samples, width * channels);
        break;
    case ImageFormat::Bmp:
        written = stbi_write_bmp_to_func(append, &out, width, height, channels, samples);
        break;
    case ImageFormat::Tga:
        // Run-length packets are left out: every TGA reader takes plain rows.
        stbi_write_tga_with_rle = 0;
        written = stbi_write_tga_to_func(append, &out, width, height, channels, samples);
        break;
    default: break;
    }
    if (written == 0) out.clear();
    return out;
}

bool writeImageFile(const std::string& path, ImageFormat format, const PixelRows& rows) {
    const Bytes bytes = encodeImage(format, rows);
    if (bytes.empty()) return false;
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.close();
    return bool(file);
}
