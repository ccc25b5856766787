// Reading an image file's declared size: stb_image's info call for the formats it knows, our
// short header readers for the others.
#include "image/header.h"

#include <stb/stb_image.h>

#include <climits>

#include "image/format.h"
#include "image/header_readers.h"

namespace {

bool stbKnows(ImageFormat format) {
    switch (format) {
    case ImageFormat::Png: case ImageFormat::Jpeg: case ImageFormat::Bmp: case ImageFormat::Gif:
    case ImageFormat::Tga: case ImageFormat::Pnm: case ImageFormat::Psd: case ImageFormat::Hdr:
    case ImageFormat::Pic:
        return true;
    default:
        return false;
    }
}

bool readWithStb(const unsigned char* data, std::size_t size, ImageHeader& header) {
    if (size > std::size_t(INT_MAX)) return false;
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, int(size), &width, &height, &channels)) return false;
    header.width = width;
    // stb gives a top-down BMP's height as the file holds it, negative.
    header.height = height < 0 ? -std::int64_t(height) : height;
    return true;
}

bool readWithOurReader(const unsigned char* data, std::size_t size, ImageHeader& header) {
    const ByteView bytes{data, size};
    switch (header.format) {
    case ImageFormat::Tga: return readTgaHeader(bytes, header);
    case ImageFormat::Pnm: return readPnmHeader(bytes, header);
    case ImageFormat::Bmp: return readBmpHeader(bytes, header);
    case ImageFormat::Pcx: return readPcxHeader(bytes, header);
    case ImageFormat::Tiff: return readTiffHeader(bytes, header);
    case ImageFormat::Webp: return readWebpHeader(bytes, header);
    case ImageFormat::Dds: return readDdsHeader(bytes, header);
    case ImageFormat::Sgi: return readSgiHeader(bytes, header);
    case ImageFormat::Ico: return readIcoHeader(bytes, header);
    case ImageFormat::Sun: return readSunHeader(bytes, header);
    case ImageFormat::Xpm: return readXpmHeader(bytes, header);
    case ImageFormat::Vtf: return readVtfHeader(bytes, header);
    case ImageFormat::Dcx: return readDcxHeader(bytes, header);
    case ImageFormat::Ilbm: return readIlbmHeader(bytes, header);
    case ImageFormat::Mng: return readMngHeader(bytes, header);
    case ImageFormat::Blp: return readBlpHeader(bytes, header);
    default: return false;
    }
}

}  // namespace

bool readImageHeader(const unsigned char* data, std::size_t size, ImageHeader& header) {
    header = ImageHeader{};
    header.format = formatOfContent(data, size);
    if (header.format == ImageFormat::Unknown) return false;
    // stb refuses some valid variants (RLE bitmaps, PNM bitmaps, some TGA depths): our reader
    // of the same fields stands in for it there.
    const bool read = (stbKnows(header.format) && readWithStb(data, size, header)) ||
                      readWithOurReader(data, size, header);
    if (!read) return false;
    // A GIF's first frame may be larger than the screen it says it is drawn on.
    if (header.format == ImageFormat::Gif) return growToFirstGifFrame(ByteView{data, size}, header);
    return true;
}

bool passesSizeGate(const ImageHeader& header, int largestSide) {
    if (header.width < 1 || header.height < 1 || header.layers < 1) return false;
    if (header.width > largestSide || header.height > largestSide) return false;
    const std::int64_t layerBytes = header.width * header.height * 4;
    return layerBytes <= kLargestImageBytes && header.layers <= kLargestImageBytes / layerBytes;
}
