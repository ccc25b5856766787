// Offsets are those of the file header (14 bytes) and the info header after it. OS/2 2.x
// headers share the first 40 bytes' layout with BITMAPINFOHEADER, and any of those fields
// past a short header's end are 0.
#include "image/bmp_rewrite.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "image/header_readers.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::size_t kInfoHeader = 14;

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + std::size_t(i)] = static_cast<unsigned char>(value >> (8 * i));
}

bool stbKnowsHeader(std::uint32_t size) {
    return size == 12 || size == 40 || size == 56 || size == 108 || size == 124;
}

// The info header made `wanted` bytes long: zeros added or the tail taken out, and the pixel
// offset and file size moved with it.
bool resizeInfoHeader(Bytes& bytes, std::uint32_t size, std::uint32_t wanted) {
    const ByteView view{bytes.data(), bytes.size()};
    const std::uint32_t offset = view.le(10, 4);
    if (!view.whole || offset < kInfoHeader + size || offset > bytes.size()) return false;
    const auto at = bytes.begin() + std::ptrdiff_t(kInfoHeader + std::min(size, wanted));
    if (wanted > size)
        bytes.insert(at, wanted - size, 0);
    else
        bytes.erase(at, at + std::ptrdiff_t(size - wanted));
    put32(bytes, 14, wanted);
    put32(bytes, 10, offset + wanted - size);
    put32(bytes, 2, std::uint32_t(bytes.size()));
    return true;
}

// Palette indices of 8 or 4 bits from RLE8 or RLE4 packets into plain rows padded to four
// bytes, bottom row first; what no packet reaches stays index 0.
bool expandRuns(Bytes& bytes) {
    const ByteView view{bytes.data(), bytes.size()};
    const std::uint32_t offset = view.le(10, 4), compression = view.le(30, 4);
    const std::int64_t width = std::int32_t(view.le(18, 4)), height = std::int32_t(view.le(22, 4));
    const unsigned bits = compression == 1 ? 8 : 4;
    if (!view.whole || view.le(28, 2) != bits || width <= 0 || height <= 0 ||
        offset < kInfoHeader + view.le(14, 4) || offset > bytes.size())
        return false;
    const std::size_t rowBytes = (std::size_t(width) * bits + 31) / 32 * 4;
    Bytes rows(rowBytes * std::size_t(height), 0);
    std::int64_t x = 0, y = 0;
    const auto put = [&](unsigned index) {
        if (x < width && y < height) {
            unsigned char& byte = rows[std::size_t(y) * rowBytes + std::size_t(x) * bits / 8];
            byte = bits == 8 ? static_cast<unsigned char>(index)
                   : x % 2 == 0 ? static_cast<unsigned char>((byte & 0x0F) | index << 4)
                                : static_cast<unsigned char>((byte & 0xF0) | (index & 0x0F));
        }
        ++x;
    };
    // The n-th index of a run or literal: RLE4 alternates the two halves of a byte.
    const auto indexOf = [&](unsigned value, unsigned n) {
        return bits == 8 ? value : n % 2 == 0 ? value >> 4 : value & 0x0F;
    };
    for (std::size_t at = offset; view.has(at, 2) && y < height;) {
        const unsigned count = bytes[at], value = bytes[at + 1];
        at += 2;
        if (count > 0) {
            for (unsigned n = 0; n < count; ++n) put(indexOf(value, n));
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            x += view.le(at, 1);
            y += view.le(at + 1, 1);
            at += 2;
        } else {
            const std::size_t literalBytes = bits == 8 ? value : (value + 1) / 2;
            if (!view.has(at, literalBytes)) return false;
            for (unsigned n = 0; n < value; ++n) put(indexOf(bytes[at + n * bits / 8], n));
            at += literalBytes + (literalBytes & 1);
        }
    }
    bytes.resize(offset);
    bytes.insert(bytes.end(), rows.begin(), rows.end());
    put32(bytes, 30, 0);
    put32(bytes, 34, std::uint32_t(rows.size()));
    put32(bytes, 2, std::uint32_t(bytes.size()));
    return true;
}

bool isRunLength(const ByteView& view) {
    const std::uint32_t compression = view.le(30, 4);
    return view.le(14, 4) >= 40 && (compression == 1 || compression == 2);
}

}  // namespace

bool bmpNeedsRewrite(const Bytes& bytes) {
    const ByteView view{bytes.data(), bytes.size()};
    return !stbKnowsHeader(view.le(14, 4)) || isRunLength(view);
}

bool rewriteBmpForStb(Bytes& bytes) {
    const ByteView view{bytes.data(), bytes.size()};
    const std::uint32_t size = view.le(14, 4);
    if (size == 52) {
        // V2: the V3 header without its alpha mask.
        if (!resizeInfoHeader(bytes, 52, 56)) return false;
    } else if (size >= 16 && size <= 64 && !stbKnowsHeader(size)) {
        // OS/2 2.x: its compression 3 is Huffman coding and 4 is RLE24, which nobody reads.
        const std::uint32_t compression = size >= 20 ? view.le(30, 4) : 0;
        if (compression == 3 || compression == 4 || !resizeInfoHeader(bytes, size, 40)) return false;
    } else if (!stbKnowsHeader(size)) {
        return false;
    }
    const ByteView rewritten{bytes.data(), bytes.size()};
    return !isRunLength(rewritten) || expandRuns(bytes);
}
