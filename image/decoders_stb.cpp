// The decoders of every build without DevIL or SDL2_image (Windows): stb_image for the formats
// it reads, with the BMP variants it refuses rewritten first, and the library's own reader for
// DDS. Only this file chooses.
#include "image/decoders.h"

#include "image/bmp_rewrite.h"
#include "image/dds_decode.h"
#include "image/decode_stb.h"

namespace {

// HDR is left out: stb_image maps its light to eight bits otherwise than the Linux decoders.
bool stbDecodes(ImageFormat format) {
    switch (format) {
    case ImageFormat::Png:
    case ImageFormat::Jpeg:
    case ImageFormat::Bmp:
    case ImageFormat::Gif:
    case ImageFormat::Tga:
    case ImageFormat::Pnm:
    case ImageFormat::Psd:
    case ImageFormat::Pic: return true;
    default: return false;
    }
}

}  // namespace

// stb_image needs no setting up.
void startDecoders() {}

bool decodePreparedImage(const PreparedImage& image, const std::vector<unsigned char>& bytes,
                         DecodedPixels& pixels) {
    if (image.format == ImageFormat::Dds) return decodeDds(bytes, pixels);
    if (image.format == ImageFormat::Bmp && bmpNeedsRewrite(bytes)) {
        std::vector<unsigned char> readable = bytes;
        return rewriteBmpForStb(readable) && decodeWithStb(readable, pixels);
    }
    return stbDecodes(image.format) && decodeWithStb(bytes, pixels);
}
