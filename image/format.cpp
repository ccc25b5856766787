// Telling an image file's format by its first bytes: magic numbers where the format has one,
// the fields every decoder checks where it has none (PNM, PCX, ICO, TGA, tried last).
#include "image/format.h"

#include <cstring>

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

std::string_view extensionOf(ImageFormat format) {
    switch (format) {
    case ImageFormat::Png: return "png";
    case ImageFormat::Jpeg: return "jpg";
    case ImageFormat::Bmp: return "bmp";
    case ImageFormat::Gif: return "gif";
    case ImageFormat::Tga: return "tga";
    case ImageFormat::Pcx: return "pcx";
    case ImageFormat::Pnm: return "pnm";
    case ImageFormat::Tiff: return "tif";
    case ImageFormat::Webp: return "webp";
    case ImageFormat::Xpm: return "xpm";
    case ImageFormat::Dds: return "dds";
    case ImageFormat::Psd: return "psd";
    case ImageFormat::Hdr: return "hdr";
    case ImageFormat::Pic: return "pic";
    case ImageFormat::Sgi: return "sgi";
    case ImageFormat::Ico: return "ico";
    case ImageFormat::Sun: return "ras";
    case ImageFormat::Vtf: return "vtf";
    case ImageFormat::Dcx: return "dcx";
    case ImageFormat::Ilbm: return "iff";
    case ImageFormat::Mng: return "mng";
    case ImageFormat::Blp: return "blp";
    case ImageFormat::Unknown: break;
    }
    return "";
}
