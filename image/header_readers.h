// Our own readers of image headers, for the formats stb_image's info call does not know: each
// reads only the declared size, never past the bytes it is given.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/header.h"

// Bounds-checked little- and big-endian reads; a read past the end yields 0 and marks the
// view as cut, so a reader checks `whole` once at the end.
struct ByteView {
    const unsigned char* data;
    std::size_t size;
    mutable bool whole = true;

    bool has(std::size_t offset, std::size_t length) const {
        return offset <= size && length <= size - offset;
    }
    std::uint32_t le(std::size_t offset, int bytes) const;
    std::uint32_t be(std::size_t offset, int bytes) const;
    std::uint64_t le64(std::size_t offset) const;
};

// The next decimal number from `at` on, after white space (and `#` comments if asked).
bool nextNumber(const ByteView& bytes, std::size_t& at, std::int64_t& number, bool comments);

bool readTgaHeader(const ByteView& bytes, ImageHeader& header);
bool readPnmHeader(const ByteView& bytes, ImageHeader& header);
bool readBmpHeader(const ByteView& bytes, ImageHeader& header);
bool readPcxHeader(const ByteView& bytes, ImageHeader& header);
bool readTiffHeader(const ByteView& bytes, ImageHeader& header);
bool readWebpHeader(const ByteView& bytes, ImageHeader& header);
bool readDdsHeader(const ByteView& bytes, ImageHeader& header);
bool readSgiHeader(const ByteView& bytes, ImageHeader& header);
bool readIcoHeader(const ByteView& bytes, ImageHeader& header);
bool readSunHeader(const ByteView& bytes, ImageHeader& header);
bool readXpmHeader(const ByteView& bytes, ImageHeader& header);
bool readVtfHeader(const ByteView& bytes, ImageHeader& header);
bool readDcxHeader(const ByteView& bytes, ImageHeader& header);
bool readIlbmHeader(const ByteView& bytes, ImageHeader& header);
bool readMngHeader(const ByteView& bytes, ImageHeader& header);
bool readBlpHeader(const ByteView& bytes, ImageHeader& header);
// The largest sample value a PNM file declares (1 for bitmaps), 0 when its header is cut.
std::int64_t pnmMaxValue(const ByteView& bytes);
// The number of colour components of a JPEG's frame (4 for CMYK), 0 when none is found.
int jpegComponents(const ByteView& bytes);
// Widens the header to the GIF's first frame when that is larger than its screen.
bool growToFirstGifFrame(const ByteView& bytes, ImageHeader& header);
