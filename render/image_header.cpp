// Recognising an image file by its first bytes and reading its declared size: stb_image's info
// call for the formats it knows, our short header readers for the others.
#include "render/image_header.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstring>

#include "render/image_header_readers.h"

namespace {

bool startsWith(const unsigned char* data, std::size_t size, const char* magic, std::size_t length,
                std::size_t offset = 0) {
    return size >= offset + length && std::memcmp(data + offset, magic, length) == 0;
}

// PCX has no magic number: a manufacturer byte, a known version, an encoding and a bit depth.
bool looksLikePcx(const unsigned char* data, std::size_t size) {
    if (size < 128 || data[0] != 0x0A || data[2] > 1) return false;
    const unsigned version = data[1], bits = data[3];
    return (version == 0 || (version >= 2 && version <= 5)) &&
           (bits == 1 || bits == 2 || bits == 4 || bits == 8);
}

bool looksLikePnm(const unsigned char* data, std::size_t size) {
    return size >= 3 && data[0] == 'P' && data[1] >= '1' && data[1] <= '6' &&
           (data[2] == ' ' || data[2] == '\t' || data[2] == '\n' || data[2] == '\r' || data[2] == '#');
}

// Icons and cursors: a zero word, the resource type (1 icon, 2 cursor) and at least one entry.
bool looksLikeIco(const unsigned char* data, std::size_t size) {
    return size >= 22 && data[0] == 0 && data[1] == 0 && (data[2] == 1 || data[2] == 2) &&
           data[3] == 0 && (data[4] | data[5]) != 0 && data[9] == 0;
}

// TGA has no magic number either; it is tried last, on the fields every TGA decoder checks.
bool looksLikeTga(const unsigned char* data, std::size_t size) {
    if (size < 18 || data[1] > 1) return false;
    const unsigned type = data[2] & ~8u, bits = data[16];
    if (type < 1 || type > 3) return false;
    if (type == 1 && data[1] != 1) return false;  // colour-mapped without a colour map
    return bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

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

ImageFormat formatOfContent(const unsigned char* data, std::size_t size) {
    struct Magic {
        ImageFormat format;
        const char* bytes;
        std::size_t length;
        std::size_t offset;
    };
    static const Magic magics[] = {
        {ImageFormat::Png, "\x89PNG\r\n\x1A\n", 8, 0},
        {ImageFormat::Mng, "\x8AMNG\r\n\x1A\n", 8, 0},
        {ImageFormat::Mng, "\x8BJNG\r\n\x1A\n", 8, 0},
        {ImageFormat::Jpeg, "\xFF\xD8\xFF", 3, 0},
        {ImageFormat::Gif, "GIF87a", 6, 0},
        {ImageFormat::Gif, "GIF89a", 6, 0},
        {ImageFormat::Bmp, "BM", 2, 0},
        {ImageFormat::Tiff, "II*\0", 4, 0},
        {ImageFormat::Tiff, "MM\0*", 4, 0},
        {ImageFormat::Tiff, "II+\0", 4, 0},
        {ImageFormat::Tiff, "MM\0+", 4, 0},
        {ImageFormat::Webp, "WEBP", 4, 8},
        {ImageFormat::Dds, "DDS ", 4, 0},
        {ImageFormat::Psd, "8BPS", 4, 0},
        {ImageFormat::Hdr, "#?RADIANCE", 10, 0},
        {ImageFormat::Hdr, "#?RGBE", 6, 0},
        {ImageFormat::Pic, "\x53\x80\xF6\x34", 4, 0},
        {ImageFormat::Sgi, "\x01\xDA", 2, 0},
        {ImageFormat::Sun, "\x59\xA6\x6A\x95", 4, 0},
        {ImageFormat::Xpm, "/* XPM */", 9, 0},
        {ImageFormat::Vtf, "VTF\0", 4, 0},
        {ImageFormat::Dcx, "\xB1\x68\xDE\x3A", 4, 0},
        {ImageFormat::Ilbm, "ILBM", 4, 8},
        {ImageFormat::Ilbm, "PBM ", 4, 8},
        {ImageFormat::Blp, "BLP1", 4, 0},
        {ImageFormat::Blp, "BLP2", 4, 0},
    };
    for (const Magic& magic : magics)
        if (startsWith(data, size, magic.bytes, magic.length, magic.offset)) {
            if (magic.format == ImageFormat::Webp && !startsWith(data, size, "RIFF", 4)) continue;
            if (magic.format == ImageFormat::Ilbm && !startsWith(data, size, "FORM", 4)) continue;
            return magic.format;
        }
    if (looksLikePnm(data, size)) return ImageFormat::Pnm;
    if (looksLikePcx(data, size)) return ImageFormat::Pcx;
    if (looksLikeIco(data, size)) return ImageFormat::Ico;
    if (looksLikeTga(data, size)) return ImageFormat::Tga;
    return ImageFormat::Unknown;
}

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
