// PNG chunks up to IEND, JPEG data up to its end marker, PCX and TGA pixels or run-length
// packets for every pixel, BMP rows or runs that stay inside the picture, binary PNM samples,
// every level of a DDS.
#include "image/checks.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "image/dds_header.h"
#include "image/decode.h"
#include "image/pnm_narrowing.h"

namespace {

// Chunks that fit the file, up to IEND: libpng, through SDL2_image, reads on past the end.
bool pngChunksAreWhole(const ByteView& bytes) {
    for (std::uint64_t at = 8; bytes.has(at, 12);) {
        const std::uint64_t length = bytes.be(at, 4);
        if (length > 0x7FFFFFFF || !bytes.has(at, 12 + length)) return false;
        if (bytes.be(at + 4, 4) == 0x49454E44) return true;  // "IEND"
        at += 12 + length;
    }
    return false;
}

// An end-of-image marker after the first scan: libjpeg makes up the rest of a cut file.
bool jpegHasEnd(const ByteView& bytes) {
    std::uint64_t scan = 0;
    for (std::uint64_t at = 2; bytes.has(at, 4) && scan == 0;) {
        if (bytes.data[at] != 0xFF) return false;
        const unsigned marker = bytes.data[at + 1];
        if (marker == 0xFF)
            ++at;
        else if (marker == 0xDA)
            scan = at;
        else
            at += 2 + bytes.be(at + 2, 2);
    }
    for (std::uint64_t at = bytes.size - 1; scan != 0 && at > scan + 1; --at)
        if (bytes.data[at] == 0xD9 && bytes.data[at - 1] == 0xFF) return true;
    return false;
}

// Counts the bytes that `packets` run-length packets decode to, from `at` on, until `needed`;
// false when the data ends first or a run goes past `needed`.
template <typename Packet>
bool runsFillExactly(const ByteView& bytes, std::uint64_t at, std::uint64_t needed, Packet packet) {
    std::uint64_t count = 0;
    while (count < needed) {
        if (at >= bytes.size) return false;
        count += packet(at);
    }
    return count == needed && at <= bytes.size;
}

bool tgaPixelsAreWhole(const ByteView& bytes) {
    const std::uint64_t idLength = bytes.le(0, 1), mapLength = bytes.le(5, 2);
    const std::uint64_t mapEntryBytes = (bytes.le(7, 1) + 7) / 8;
    const std::uint64_t pixels = std::uint64_t(bytes.le(12, 2)) * bytes.le(14, 2);
    const std::uint64_t pixelBytes = (bytes.le(16, 1) + 7) / 8;
    const std::uint64_t start = 18 + idLength + (bytes.le(1, 1) == 1 ? mapLength * mapEntryBytes : 0);
    if (!bytes.whole) return false;
    if ((bytes.le(2, 1) & 8) == 0) return start + pixels * pixelBytes <= bytes.size;
    // A packet is one pixel value repeated, or literal pixels, 1 to 128 of them.
    return runsFillExactly(bytes, start, pixels, [&](std::uint64_t& at) {
        const unsigned packet = bytes.data[at++];
        const std::uint64_t length = (packet & 0x7F) + 1;
        at += (packet & 0x80) != 0 ? pixelBytes : length * pixelBytes;
        return length;
    });
}

bool pcxPixelsAreWhole(const ByteView& bytes) {
    const std::uint64_t height = std::uint64_t(bytes.le(10, 2)) - bytes.le(6, 2) + 1;
    const std::uint64_t needed = height * bytes.le(65, 1) * bytes.le(66, 2);
    // 256 colours: the palette takes the last 769 bytes, a marker and 256 RGB entries.
    const bool palette = bytes.le(1, 1) == 5 && bytes.le(3, 1) == 8 && bytes.le(65, 1) == 1;
    if (palette && (bytes.size < 128 + 769 || bytes.data[bytes.size - 769] != 0x0C)) return false;
    const ByteView pixels{bytes.data, bytes.size - (palette ? 769 : 0)};
    if (bytes.le(2, 1) == 0) return pixels.has(128, needed);
    // A byte with both top bits set repeats the next byte (its low six bits) times.
    return runsFillExactly(pixels, 128, needed, [&](std::uint64_t& at) -> std::uint64_t {
        const unsigned value = pixels.data[at++];
        if ((value & 0xC0) != 0xC0) return 1;
        ++at;
        return value & 0x3F;
    });
}

// Plain rows, each padded to four bytes, all there: stb_image reads zeros past the end.
bool bmpRowsAreWhole(const ByteView& bytes) {
    const bool os2 = bytes.le(14, 4) == 12;
    const std::uint64_t width = os2 ? bytes.le(18, 2) : std::uint64_t(std::abs(std::int64_t(std::int32_t(bytes.le(18, 4)))));
    const std::uint64_t height = os2 ? bytes.le(20, 2) : std::uint64_t(std::abs(std::int64_t(std::int32_t(bytes.le(22, 4)))));
    const std::uint64_t bits = bytes.le(os2 ? 24 : 28, 2);
    const std::uint64_t rowBytes = (width * bits + 31) / 32 * 4;
    return bytes.whole && bytes.has(bytes.le(10, 4), rowBytes * height);
}

// RLE8 and RLE4 bitmaps: no run or jump leaves the picture's rows. A run past the end of a
// row is cut by the decoder, and writers use it to pad rows. Plain bitmaps hold every row.
bool bmpPixelsAreWhole(const ByteView& bytes) {
    // The shortest OS/2 2.x header ends before the compression field.
    const std::uint32_t compression = bytes.le(14, 4) >= 20 ? bytes.le(30, 4) : 0;
    if (bytes.le(14, 4) == 12 || compression == 0 || compression == 3) return bmpRowsAreWhole(bytes);
    if (bytes.le(14, 4) < 40 || (compression != 1 && compression != 2)) return bytes.whole;
    const std::int64_t height = std::int32_t(bytes.le(22, 4));
    std::int64_t x = 0, y = 0;
    for (std::uint64_t at = bytes.le(10, 4); bytes.has(at, 2) && bytes.whole;) {
        const unsigned first = bytes.data[at], second = bytes.data[at + 1];
        at += 2;
        if (first > 0) {  // a run of `first` pixels
            x += first;
        } else if (second == 0) {  // end of line
            x = 0;
            ++y;
        } else if (second == 1) {  // end of bitmap
            return true;
        } else if (second == 2) {  // a jump right and up
            x += bytes.le(at, 1);
            y += bytes.le(at + 1, 1);
            at += 2;
        } else {  // `second` literal pixels, padded to a whole word
            x += second;
            const std::uint64_t literalBytes = compression == 1 ? second : (second + 1) / 2;
            at += literalBytes + (literalBytes & 1);
        }
        if (y > height || (x > 0 && y == height)) return false;
    }
    return false;
}

// Every level of every face or slice of a DDS, in blocks of 4 x 4 texels or in plain pixels of
// 8 to 32 bits: DevIL reads a short file past its end.
bool ddsLevelsAreWhole(const ByteView& bytes) {
    const std::uint32_t flags = bytes.le(80, 4), fourCc = bytes.be(84, 4), bits = bytes.le(88, 4);
    const std::uint32_t caps2 = bytes.le(112, 4);
    std::uint64_t blockBytes = 0;
    if ((flags & 0x4) != 0) {
        if (fourCc == 0x44585431 || fourCc == 0x41544931) blockBytes = 8;  // DXT1, ATI1
        else if ((fourCc >= 0x44585432 && fourCc <= 0x44585435) || fourCc == 0x41544932)
            blockBytes = 16;  // DXT2 to DXT5, ATI2
        else
            return bytes.whole;  // other codes: DevIL's own concern
    } else if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return false;
    }
    const std::uint64_t levels = (bytes.le(8, 4) & 0x20000) != 0 ? std::max(bytes.le(28, 4), 1u) : 1;
    std::uint64_t faces = (caps2 & 0x200) != 0 ? 6 : 1;
    if ((caps2 & 0x200000) != 0) faces *= std::max(bytes.le(24, 4), 1u);
    std::uint64_t width = bytes.le(16, 4), height = bytes.le(12, 4), needed = 0;
    for (std::uint64_t level = 0; level < levels && level < 32; ++level) {
        needed += blockBytes != 0 ? (width + 3) / 4 * ((height + 3) / 4) * blockBytes
                                  : width * height * (bits / 8);
        width = std::max<std::uint64_t>(width / 2, 1);
        height = std::max<std::uint64_t>(height / 2, 1);
    }
    return bytes.whole && bytes.has(128, needed * faces);
}

// Binary PNM samples, one byte or two each, or bitmap rows of whole bytes, after the header and
// the one white space that ends it: stb_image reads zeros past the end. Text PNM is read by
// decoders that notice the end.
bool pnmSamplesAreWhole(const ByteView& bytes) {
    const unsigned char kind = bytes.size >= 2 ? bytes.data[1] : 0;
    if (kind != '4' && kind != '5' && kind != '6') return true;
    std::size_t at = 2;
    std::int64_t width = 0, height = 0, maxValue = 1;
    if (!nextNumber(bytes, at, width, true) || !nextNumber(bytes, at, height, true) ||
        (kind != '4' && !nextNumber(bytes, at, maxValue, true)))
        return false;
    const std::uint64_t rowBytes = kind == '4' ? (std::uint64_t(width) + 7) / 8
                                               : std::uint64_t(width) * (kind == '6' ? 3 : 1) *
                                                     (maxValue > 255 ? 2 : 1);
    return bytes.has(at + 1, rowBytes * std::uint64_t(height));
}

}  // namespace

bool imageDataIsWhole(ImageFormat format, const ByteView& bytes) {
    switch (format) {
    case ImageFormat::Png: return pngChunksAreWhole(bytes);
    case ImageFormat::Jpeg: return jpegHasEnd(bytes);
    case ImageFormat::Tga: return tgaPixelsAreWhole(bytes);
    case ImageFormat::Pcx: return pcxPixelsAreWhole(bytes);
    case ImageFormat::Bmp: return bmpPixelsAreWhole(bytes);
    case ImageFormat::Pnm: return pnmSamplesAreWhole(bytes);
    case ImageFormat::Dds: return ddsLevelsAreWhole(bytes);
    default: return true;
    }
}

namespace {

// Neither decoder reads TGA rows stored right to left: the flag is cleared before decoding
// and each row turned round after.
bool takeRightToLeftFlag(ImageFormat format, std::vector<unsigned char>& bytes) {
    if (format != ImageFormat::Tga || (bytes[17] & 0x10) == 0) return false;
    bytes[17] &= ~0x10;
    return true;
}

}  // namespace

bool prepareImage(std::vector<unsigned char>& bytes, int largestSide, PreparedImage& image) {
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
    return imageDataIsWhole(header.format, ByteView{bytes.data(), bytes.size()});
}
