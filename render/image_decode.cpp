// From an image file to the bound DevIL image: the whole file is read, its header passes the
// size gate, and only then does a decoder run: SDL2_image for the mainstream formats, DevIL
// for the rest, and for the valid variants SDL2_image refuses or misreads, the decoder that
// reads them right. Decoders run in a child process, so that no file can crash the program.
#include "render/image_decode.h"

#include <IL/il.h>
#include <stb/stb_image.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "render/image_dds_header.h"
#include "render/image_decode_apart.h"
#include "render/image_decode_devil.h"
#include "render/image_decode_sdl.h"
#include "render/image_decode_steps.h"
#include "render/image_header.h"
#include "render/image_header_readers.h"
#include "render/image_structure.h"
#include "render/image_pnm_narrowing.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A decoder that asks for more than the gate lets through has misread its file: some DevIL
// decoders write through the null block they get back, so the gate must come first.
void* ILAPIENTRY cappedAllocate(const ILsizei size) {
    if (size > ILsizei(kLargestImageBytes)) return nullptr;
    return std::malloc(size);
}

void ILAPIENTRY cappedFree(const void* block) { std::free(const_cast<void*>(block)); }

// Drains the library's error stack; true when nothing was pending.
bool noPendingErrors() {
    bool clean = true;
    while (ilGetError() != IL_NO_ERROR) clean = false;
    return clean;
}

// A regular file no larger than the largest pixel data an image may have; a directory, a
// device or anything larger is not an image this program reads.
bool readWholeFile(const char* fileName, Bytes& bytes) {
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) return false;
    struct stat status {};
    bool read = fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode) &&
                status.st_size <= kLargestImageBytes;
    if (read) {
        bytes.resize(std::size_t(status.st_size));
        read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return read;
}

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

bool storeInBoundImage(DecodedPixels& pixels) {
    const ILenum layout = pixels.channels == 4 ? IL_RGBA : IL_RGB;
    if (!ilTexImage(ILuint(pixels.width), ILuint(pixels.height), 1, ILubyte(pixels.channels), layout,
                    IL_UNSIGNED_BYTE, pixels.bytes.data()))
        return false;
    ilRegisterOrigin(IL_ORIGIN_LOWER_LEFT);
    return noPendingErrors();
}

// SDL2_image first; the valid variants it refuses or misreads go to a decoder that reads them.
Decoder decoderFor(ImageFormat format, const Bytes& bytes) {
    const ByteView view{bytes.data(), bytes.size()};
    if (format == ImageFormat::Tga && (bytes[2] & ~8u) == 3) return Decoder::Devil;  // grey
    // CMYK: SDL2_image swaps red and blue and DevIL leaves out the black; stb_image is right.
    if (format == ImageFormat::Jpeg && jpegComponents(view) == 4) return Decoder::Stb;
    return sdlImageDecodes(format) ? Decoder::SdlImage : Decoder::Devil;
}

bool decodeWithStb(const Bytes& bytes, DecodedPixels& pixels) {
    int width = 0, height = 0, channels = 0;
    if (bytes.size() > std::size_t(INT32_MAX) ||
        !stbi_info_from_memory(bytes.data(), int(bytes.size()), &width, &height, &channels))
        return false;
    pixels.channels = channels == 2 || channels == 4 ? 4 : 3;
    unsigned char* decoded = stbi_load_from_memory(bytes.data(), int(bytes.size()), &width,
                                                   &height, &channels, pixels.channels);
    if (decoded == nullptr) return false;
    pixels.width = width;
    pixels.height = height;
    const std::size_t rowBytes = std::size_t(width) * std::size_t(pixels.channels);
    pixels.bytes.resize(rowBytes * std::size_t(height));
    for (int row = 0; row < height; ++row)
        std::memcpy(pixels.bytes.data() + std::size_t(height - 1 - row) * rowBytes,
                    decoded + std::size_t(row) * rowBytes, rowBytes);
    stbi_image_free(decoded);
    return true;
}

// Neither decoder reads TGA rows stored right to left: the flag is cleared before decoding
// and each row turned round after.
bool takeRightToLeftFlag(ImageFormat format, Bytes& bytes) {
    if (format != ImageFormat::Tga || (bytes[17] & 0x10) == 0) return false;
    bytes[17] &= ~0x10;
    return true;
}

void mirrorRows(DecodedPixels& pixels) {
    const std::size_t width = std::size_t(pixels.width), pixelBytes = std::size_t(pixels.channels);
    for (std::size_t row = 0; row < std::size_t(pixels.height); ++row) {
        unsigned char* first = pixels.bytes.data() + row * width * pixelBytes;
        for (std::size_t left = 0, right = width - 1; left < right; ++left, --right)
            std::swap_ranges(first + left * pixelBytes, first + (left + 1) * pixelBytes,
                             first + right * pixelBytes);
    }
}

// The bound image holds the data its size and pixel size promise, at a size the gate allows.
bool boundImageIsWhole(int largestSide) {
    const std::int64_t width = ilGetInteger(IL_IMAGE_WIDTH);
    const std::int64_t height = ilGetInteger(IL_IMAGE_HEIGHT);
    const std::int64_t depth = ilGetInteger(IL_IMAGE_DEPTH);
    const std::int64_t bytesPerPixel = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
    const std::int64_t size = ilGetInteger(IL_IMAGE_SIZE_OF_DATA);
    ImageHeader decoded;
    decoded.width = width;
    decoded.height = height;
    decoded.layers = depth;
    if (!passesSizeGate(decoded, largestSide) || bytesPerPixel <= 0 || ilGetData() == nullptr)
        return false;
    return size >= width * height * depth * bytesPerPixel;
}

bool decodeGated(Bytes& bytes, int largestSide) {
    PreparedImage image;
    if (!prepareImage(bytes, largestSide, image)) return false;
    DecodedPixels pixels;
    const auto decode = [&](DecodedPixels& made) { return decodePreparedImage(image, bytes, made); };
    return decodeApart(decode, largestSide, pixels) && storeInBoundImage(pixels) &&
           boundImageIsWhole(largestSide);
}

// Decodes into an image of its own, reads its size and lets the image go, whatever the outcome.
template <typename Decode>
bool decodeIntoTemporaryImage(const Decode& decode, int* width, int* height) {
    startImageDecoding();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    const bool decoded = decode();
    *width = decoded ? ilGetInteger(IL_IMAGE_WIDTH) : 0;
    *height = decoded ? ilGetInteger(IL_IMAGE_HEIGHT) : 0;
    ilDeleteImages(1, &image);
    noPendingErrors();
    return decoded;
}

}  // namespace

bool prepareImage(Bytes& bytes, int largestSide, PreparedImage& image) {
    ImageHeader header;
    if (!readImageHeader(bytes.data(), bytes.size(), header) || !passesSizeGate(header, largestSide))
        return false;
    image.format = header.format;
    image.rightToLeft = takeRightToLeftFlag(header.format, bytes);
    // SDL2_image reads PNM samples of one byte only, and DevIL misreads wider ones.
    if (header.format == ImageFormat::Pnm && pnmMaxValue(ByteView{bytes.data(), bytes.size()}) > 255 &&
        !narrowPnmSamples(bytes))
        return false;
    if (header.format == ImageFormat::Dds && !useLegacyDdsHeader(bytes)) return false;
    if (!imageDataIsWhole(header.format, ByteView{bytes.data(), bytes.size()})) return false;
    image.decoder = decoderFor(header.format, bytes);
    return true;
}

bool decodePreparedImage(const PreparedImage& image, const Bytes& bytes, DecodedPixels& pixels) {
    bool decoded = false;
    switch (image.decoder) {
    case Decoder::SdlImage:
        decoded = decodeWithSdlImage(image.format, bytes.data(), bytes.size(), pixels);
        break;
    case Decoder::Stb: decoded = decodeWithStb(bytes, pixels); break;
    case Decoder::Devil:
        decoded = devilTypeOf(image.format) != IL_TYPE_UNKNOWN &&
                  decodeWithDevil(devilTypeOf(image.format), bytes.data(), bytes.size(), pixels);
        break;
    }
    if (decoded && image.rightToLeft) mirrorRows(pixels);
    return decoded;
}

void startImageDecoding() {
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

bool decodeIntoBoundImage(const char* fileName, int largestSide) {
    Bytes bytes;
    return readWholeFile(fileName, bytes) && decodeGated(bytes, largestSide);
}

bool decodeBytesIntoBoundImage(const unsigned char* data, std::size_t size, int largestSide) {
    Bytes bytes(data, data + size);
    return decodeGated(bytes, largestSide);
}

bool decodeImageFile(const char* fileName, int largestSide, int* width, int* height) {
    return decodeIntoTemporaryImage([&] { return decodeIntoBoundImage(fileName, largestSide); },
                                    width, height);
}

bool decodeImageBytes(const unsigned char* data, std::size_t size, int largestSide, int* width,
                      int* height) {
    return decodeIntoTemporaryImage(
        [&] { return decodeBytesIntoBoundImage(data, size, largestSide); }, width, height);
}
