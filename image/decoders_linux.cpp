// The decoders of the Linux build: SDL2_image for the mainstream formats, DevIL for DDS and
// the rest, and for the valid variants SDL2_image refuses or misreads, the decoder that reads
// them right. Only this file chooses among them.
#include "image/decoders.h"

#include <IL/il.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "image/decode_devil.h"
#include "image/decode_sdl.h"
#include "image/decode_stb.h"
#include "image/header_readers.h"

namespace {

using Bytes = std::vector<unsigned char>;

enum class Decoder { SdlImage, Devil, Stb };

// A decoder that asks for more than the gate lets through has misread its file: some DevIL
// decoders write through the null block they get back, so the gate must come first.
void* ILAPIENTRY cappedAllocate(const ILsizei size) {
    if (size > ILsizei(kLargestImageBytes)) return nullptr;
    return std::malloc(size);
}

void ILAPIENTRY cappedFree(const void* block) { std::free(const_cast<void*>(block)); }

ILenum devilTypeOf(ImageFormat format) {
    switch (format) {
    case ImageFormat::Png: return IL_PNG;
    case ImageFormat::Jpeg: return IL_JPG;
    case ImageFormat::Bmp: return IL_BMP;
    case ImageFormat::Gif: return IL_GIF;
    case ImageFormat::Tga: return IL_TGA;
    case ImageFormat::Pcx: return IL_PCX;
    case ImageFormat::Pnm: return IL_PNM;
    case ImageFormat::Tiff: return IL_TIF;
    case ImageFormat::Dds: return IL_DDS;
    case ImageFormat::Psd: return IL_PSD;
    case ImageFormat::Hdr: return IL_HDR;
    case ImageFormat::Pic: return IL_PIC;
    case ImageFormat::Sgi: return IL_SGI;
    case ImageFormat::Ico: return IL_ICO;
    case ImageFormat::Sun: return IL_SUN;
    case ImageFormat::Xpm: return IL_XPM;
    case ImageFormat::Vtf: return IL_VTF;
    case ImageFormat::Dcx: return IL_DCX;
    case ImageFormat::Ilbm: return IL_ILBM;
    case ImageFormat::Mng: return IL_MNG;
    case ImageFormat::Blp: return IL_BLP;
    default: return IL_TYPE_UNKNOWN;
    }
}

// SDL2_image first; the valid variants it refuses or misreads go to a decoder that reads them.
Decoder decoderFor(ImageFormat format, const Bytes& bytes) {
    const ByteView view{bytes.data(), bytes.size()};
    // Grey TGA: SDL2_image refuses it, and DevIL reads grey with alpha as one byte a pixel.
    if (format == ImageFormat::Tga && (bytes[2] & ~8u) == 3) return Decoder::Stb;
    // CMYK: SDL2_image swaps red and blue and DevIL leaves out the black; stb_image is right.
    if (format == ImageFormat::Jpeg && jpegComponents(view) == 4) return Decoder::Stb;
    return sdlImageDecodes(format) ? Decoder::SdlImage : Decoder::Devil;
}

bool isDxt1(const Bytes& bytes) {
    return bytes.size() >= 88 && std::memcmp(bytes.data() + 84, "DXT1", 4) == 0;
}

// DXT1's transparent texels (colour 0 <= colour 1, index 3) are black with alpha 0; DevIL
// gives them the block's third colour. They are the only texels of the format with alpha 0.
void blackenTransparentTexels(DecodedPixels& pixels) {
    if (pixels.channels != 4) return;
    for (std::size_t at = 0; at + 4 <= pixels.bytes.size(); at += 4)
        if (pixels.bytes[at + 3] == 0) std::memset(&pixels.bytes[at], 0, 3);
}

}  // namespace

void startDecoders() {
    static bool started = false;
    if (started) return;
    started = true;
    ilSetMemory(cappedAllocate, cappedFree);
    ilInit();
    // Every format is read bottom row first, as OpenGL wants its textures, so a BMP, a TGA and
    // a PNG of the same picture texture a face the same way up.
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_LOWER_LEFT);
}

bool decodePreparedImage(const PreparedImage& image, const Bytes& bytes, DecodedPixels& pixels) {
    startDecoders();
    switch (decoderFor(image.format, bytes)) {
    case Decoder::SdlImage: return decodeWithSdlImage(image.format, bytes.data(), bytes.size(), pixels);
    case Decoder::Stb: return decodeWithStb(bytes, pixels);
    case Decoder::Devil:
        if (devilTypeOf(image.format) == IL_TYPE_UNKNOWN ||
            !decodeWithDevil(devilTypeOf(image.format), bytes.data(), bytes.size(), pixels))
            return false;
        if (image.format == ImageFormat::Dds && isDxt1(bytes)) blackenTransparentTexels(pixels);
        return true;
    }
    return false;
}
