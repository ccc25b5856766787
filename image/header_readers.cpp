// Header readers for TGA, PNM, PCX, TIFF, WebP, DDS and the rarer formats only DevIL reads.
// Each takes the fields that fix how much pixel memory a decoder will ask for.
#include "image/header_readers.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

std::uint32_t ByteView::le(std::size_t offset, int count) const {
    if (!has(offset, std::size_t(count))) {
        whole = false;
        return 0;
    }
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | data[offset + std::size_t(i)];
    return value;
}

std::uint32_t ByteView::be(std::size_t offset, int count) const {
    if (!has(offset, std::size_t(count))) {
        whole = false;
        return 0;
    }
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | data[offset + std::size_t(i)];
    return value;
}

std::uint64_t ByteView::le64(std::size_t offset) const {
    return le(offset, 4) | (std::uint64_t(le(offset + 4, 4)) << 32);
}

namespace {

bool setSize(const ByteView& bytes, ImageHeader& header, std::int64_t width, std::int64_t height,
             std::int64_t layers = 1) {
    header.width = width;
    header.height = height;
    header.layers = layers;
    return bytes.whole;
}

}  // namespace

// The next decimal number of a PNM or XPM header, after white space and `#` comments.
bool nextNumber(const ByteView& bytes, std::size_t& at, std::int64_t& number, bool comments) {
    while (at < bytes.size) {
        const unsigned char c = bytes.data[at];
        if (comments && c == '#')
            while (at < bytes.size && bytes.data[at] != '\n') ++at;
        else if (std::isspace(c))
            ++at;
        else
            break;
    }
    if (at >= bytes.size || !std::isdigit(bytes.data[at])) return false;
    number = 0;
    while (at < bytes.size && std::isdigit(bytes.data[at])) {
        number = number * 10 + (bytes.data[at++] - '0');
        if (number > (std::int64_t(1) << 32)) return false;
    }
    return true;
}

namespace {

// A PCX page at `offset`: the window from (xmin, ymin) to (xmax, ymax), both ends included.
bool readPcxAt(const ByteView& bytes, std::size_t offset, std::int64_t& width, std::int64_t& height) {
    const std::int64_t xMin = bytes.le(offset + 4, 2), yMin = bytes.le(offset + 6, 2);
    const std::int64_t xMax = bytes.le(offset + 8, 2), yMax = bytes.le(offset + 10, 2);
    width = xMax - xMin + 1;
    height = yMax - yMin + 1;
    return bytes.whole && bytes.has(offset, 128);
}

}  // namespace

bool readTgaHeader(const ByteView& bytes, ImageHeader& header) {
    return setSize(bytes, header, bytes.le(12, 2), bytes.le(14, 2));
}

bool readPnmHeader(const ByteView& bytes, ImageHeader& header) {
    std::size_t at = 2;
    std::int64_t width = 0, height = 0;
    if (!nextNumber(bytes, at, width, true) || !nextNumber(bytes, at, height, true)) return false;
    return setSize(bytes, header, width, height);
}

std::int64_t pnmMaxValue(const ByteView& bytes) {
    if (bytes.size < 2 || bytes.data[1] == '1' || bytes.data[1] == '4') return 1;  // bitmaps
    std::size_t at = 2;
    std::int64_t width = 0, height = 0, maxValue = 0;
    if (!nextNumber(bytes, at, width, true) || !nextNumber(bytes, at, height, true) ||
        !nextNumber(bytes, at, maxValue, true))
        return 0;
    return maxValue;
}

// OS/2 headers (12 bytes) hold 16-bit sides, the later ones 32-bit; a negative height means
// rows stored top down.
bool readBmpHeader(const ByteView& bytes, ImageHeader& header) {
    if (bytes.le(14, 4) == 12) return setSize(bytes, header, bytes.le(18, 2), bytes.le(20, 2));
    const std::int64_t height = std::int32_t(bytes.le(22, 4));
    return setSize(bytes, header, std::int32_t(bytes.le(18, 4)), height < 0 ? -height : height);
}

int jpegComponents(const ByteView& bytes) {
    for (std::size_t at = 2; bytes.has(at, 4);) {
        if (bytes.data[at] != 0xFF) return 0;
        const unsigned marker = bytes.data[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                           marker != 0xCC;
        if (frame) return int(bytes.le(at + 9, 1));
        at += 2 + bytes.be(at + 2, 2);
    }
    return 0;
}

bool readPcxHeader(const ByteView& bytes, ImageHeader& header) {
    std::int64_t width = 0, height = 0;
    return readPcxAt(bytes, 0, width, height) && setSize(bytes, header, width, height);
}

// The first directory's ImageWidth (256) and ImageLength (257), in classic or big TIFF.
bool readTiffHeader(const ByteView& bytes, ImageHeader& header) {
    const bool big = bytes.data[0] == 'M';
    auto read = [&](std::size_t offset, int count) {
        return big ? bytes.be(offset, count) : bytes.le(offset, count);
    };
    auto read64 = [&](std::size_t offset) {
        return big ? (std::uint64_t(read(offset, 4)) << 32) | read(offset + 4, 4) : bytes.le64(offset);
    };
    const bool bigTiff = read(2, 2) == 43;
    const std::uint64_t directory = bigTiff ? read64(8) : read(4, 4);
    if (!bytes.whole || directory > bytes.size) return false;
    const std::uint64_t entries = bigTiff ? read64(directory) : read(directory, 2);
    const std::size_t first = directory + (bigTiff ? 8 : 2), entrySize = bigTiff ? 20 : 12;
    std::int64_t width = 0, height = 0;
    for (std::uint64_t i = 0; i < entries && bytes.whole && (width == 0 || height == 0); ++i) {
        const std::size_t entry = first + i * entrySize;
        const std::uint32_t tag = read(entry, 2), type = read(entry + 2, 2);
        const std::size_t value = entry + (bigTiff ? 12 : 8);
        const std::int64_t number = type == 3 ? read(value, 2) : type == 4 ? read(value, 4) : 0;
        if (tag == 256) width = number;
        if (tag == 257) height = number;
    }
    return setSize(bytes, header, width, height);
}

bool readWebpHeader(const ByteView& bytes, ImageHeader& header) {
    const std::uint32_t chunk = bytes.be(12, 4);
    if (chunk == 0x56503820) {  // "VP8 ": a key frame's start code, then 14-bit sides
        if (bytes.be(23, 3) != 0x9D012A) return false;
        return setSize(bytes, header, bytes.le(26, 2) & 0x3FFF, bytes.le(28, 2) & 0x3FFF);
    }
    if (chunk == 0x5650384C) {  // "VP8L": a signature byte, then 14-bit sides less one
        if (bytes.le(20, 1) != 0x2F) return false;
        const std::uint32_t sides = bytes.le(21, 4);
        return setSize(bytes, header, (sides & 0x3FFF) + 1, ((sides >> 14) & 0x3FFF) + 1);
    }
    if (chunk == 0x56503858)  // "VP8X": the canvas in 24-bit sides less one
        return setSize(bytes, header, bytes.le(24, 3) + 1, bytes.le(27, 3) + 1);
    return false;
}

// Volume textures, cube maps and DX10 texture arrays multiply what the decoder makes. Depth
// and array size are cut at 2^24, which the gate refuses anyway, so that their product with
// the six faces of two cube flags stays far inside 64 bits.
bool readDdsHeader(const ByteView& bytes, ImageHeader& header) {
    constexpr std::int64_t kLargestCount = std::int64_t(1) << 24;
    const std::uint32_t caps2 = bytes.le(112, 4);
    std::int64_t layers = 1;
    if ((caps2 & 0x200000) != 0)
        layers = std::clamp<std::int64_t>(bytes.le(24, 4), 1, kLargestCount);
    if ((caps2 & 0x200) != 0) layers *= 6;
    if (bytes.be(84, 4) == 0x44583130) {  // "DX10": an extended header follows
        const std::int64_t arraySize = std::min<std::int64_t>(bytes.le(140, 4), kLargestCount);
        layers *= (bytes.le(136, 4) & 0x4) != 0 ? arraySize * 6 : arraySize;
    }
    return setSize(bytes, header, bytes.le(16, 4), bytes.le(12, 4), layers);
}

bool readSgiHeader(const ByteView& bytes, ImageHeader& header) {
    const std::int64_t dimensions = bytes.be(4, 2);
    const std::int64_t height = dimensions >= 2 ? bytes.be(8, 2) : 1;
    return setSize(bytes, header, bytes.be(6, 2), height);
}

// Every icon of the directory, at the largest size that its entry or its own header gives.
bool readIcoHeader(const ByteView& bytes, ImageHeader& header) {
    const std::int64_t count = bytes.le(4, 2);
    std::int64_t width = 0, height = 0;
    for (std::int64_t i = 0; i < count && bytes.whole; ++i) {
        const std::size_t entry = 6 + std::size_t(i) * 16;
        const std::int64_t entryWidth = bytes.le(entry, 1), entryHeight = bytes.le(entry + 1, 1);
        width = std::max(width, entryWidth == 0 ? 256 : entryWidth);
        height = std::max(height, entryHeight == 0 ? 256 : entryHeight);
        const std::size_t image = bytes.le(entry + 12, 4);
        if (bytes.be(image, 4) == 0x89504E47) {  // a PNG inside the icon
            width = std::max<std::int64_t>(width, bytes.be(image + 16, 4));
            height = std::max<std::int64_t>(height, bytes.be(image + 20, 4));
        } else {  // a bitmap whose height counts the picture and its mask
            width = std::max<std::int64_t>(width, std::abs(std::int32_t(bytes.le(image + 4, 4))));
            height = std::max<std::int64_t>(height, std::abs(std::int32_t(bytes.le(image + 8, 4)) / 2));
        }
    }
    return count > 0 && setSize(bytes, header, width, height, count);
}

bool readSunHeader(const ByteView& bytes, ImageHeader& header) {
    return setSize(bytes, header, bytes.be(4, 4), bytes.be(8, 4));
}

// The first string of the file: "width height colours characters-per-pixel".
bool readXpmHeader(const ByteView& bytes, ImageHeader& header) {
    std::size_t at = 9;
    while (at < bytes.size && bytes.data[at] != '"') ++at;
    ++at;
    std::int64_t width = 0, height = 0, colours = 0, perPixel = 0;
    if (!nextNumber(bytes, at, width, false) || !nextNumber(bytes, at, height, false) ||
        !nextNumber(bytes, at, colours, false) || !nextNumber(bytes, at, perPixel, false))
        return false;
    // The colour table is read before the pixels: it must not be a size of its own.
    if (colours < 1 || colours > 65536 || perPixel < 1 || perPixel > 8) return false;
    return setSize(bytes, header, width, height);
}

bool readVtfHeader(const ByteView& bytes, ImageHeader& header) {
    const std::uint32_t minorVersion = bytes.le(8, 4);
    std::int64_t layers = std::max<std::int64_t>(bytes.le(24, 2), 1);  // frames
    if ((bytes.le(20, 4) & 0x4000) != 0) layers *= 6;                    // an environment map
    if (minorVersion >= 2) layers *= std::max<std::int64_t>(bytes.le(63, 2), 1);  // depth
    return setSize(bytes, header, bytes.le(16, 2), bytes.le(18, 2), layers);
}

// Up to 1023 PCX pages, listed by offset, the list ending with 0.
bool readDcxHeader(const ByteView& bytes, ImageHeader& header) {
    std::int64_t width = 0, height = 0, pages = 0;
    for (std::size_t entry = 4; entry < 4 + 1023 * 4; entry += 4) {
        const std::uint32_t page = bytes.le(entry, 4);
        if (page == 0 || !bytes.whole) break;
        std::int64_t pageWidth = 0, pageHeight = 0;
        if (!readPcxAt(bytes, page, pageWidth, pageHeight)) return false;
        width = std::max(width, pageWidth);
        height = std::max(height, pageHeight);
        ++pages;
    }
    return pages > 0 && setSize(bytes, header, width, height, pages);
}

// The BMHD chunk of a FORM ILBM or PBM file.
bool readIlbmHeader(const ByteView& bytes, ImageHeader& header) {
    for (std::size_t chunk = 12; bytes.has(chunk, 8);) {
        const std::uint32_t length = bytes.be(chunk + 4, 4);
        if (bytes.be(chunk, 4) == 0x424D4844)  // "BMHD"
            return setSize(bytes, header, bytes.be(chunk + 8, 2), bytes.be(chunk + 10, 2));
        if (length > bytes.size) return false;
        chunk += 8 + length + (length & 1);
    }
    return false;
}

// MNG's MHDR or JNG's JHDR, the first chunk after the signature.
bool readMngHeader(const ByteView& bytes, ImageHeader& header) {
    return setSize(bytes, header, bytes.be(16, 4), bytes.be(20, 4));
}

bool readBlpHeader(const ByteView& bytes, ImageHeader& header) {
    return setSize(bytes, header, bytes.le(12, 4), bytes.le(16, 4));
}

bool growToFirstGifFrame(const ByteView& bytes, ImageHeader& header) {
    if (header.width == 0 || header.height == 0) return false;
    const std::uint32_t flags = bytes.le(10, 1);
    std::size_t at = 13 + ((flags & 0x80) != 0 ? 3u << ((flags & 7) + 1) : 0);
    while (bytes.whole) {
        const std::uint32_t block = bytes.le(at, 1);
        if (block == 0x2C) {  // an image descriptor: left, top, width, height
            const std::int64_t width = bytes.le(at + 5, 2), height = bytes.le(at + 7, 2);
            header.width = std::max(header.width, width);
            header.height = std::max(header.height, height);
            return bytes.whole && width > 0 && height > 0;
        }
        if (block != 0x21) return false;  // the trailer, or no block at all
        at += 2;                          // an extension: its label, then sub-blocks
        for (std::uint32_t length = bytes.le(at, 1); length != 0 && bytes.whole;
             length = bytes.le(at, 1))
            at += 1 + length;
        ++at;
    }
    return false;
}
