// From an image file to plain pixels: the whole file is read, its bytes pass the size gate and
// the structural checks, and only then does a decoder run, in a child process, so that no file
// can crash the program.
#include "image/decode.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "image/checks.h"
#include "image/decode_apart.h"
#include "image/decoders.h"
#include "image/header.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A regular file no larger than the largest pixel data an image may have; a directory, a
// device or anything larger is not an image this program reads. Windows' C library gives
// sizes in 32 bits, so a file past 2 GiB may show a small or negative size: the read must
// then end where the size said.
bool readWholeFile(const char* fileName, Bytes& bytes) {
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) return false;
    struct stat status {};
    bool read = fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode) &&
                status.st_size >= 0 && status.st_size <= kLargestImageBytes;
    if (read) {
        bytes.resize(std::size_t(status.st_size));
        read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
               std::fgetc(file) == EOF;
    }
    std::fclose(file);
    return read;
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

bool decodeChecked(Bytes& bytes, int largestSide, DecodedPixels& pixels) {
    PreparedImage image;
    if (!prepareImage(bytes, largestSide, image)) return false;
    const auto decode = [&](DecodedPixels& made) { return decodePreparedImage(image, bytes, made); };
    if (!decodeApart(decode, largestSide, pixels)) return false;
    if (image.rightToLeft) mirrorRows(pixels);
    return true;
}

// Whatever the outcome, a refused image leaves nothing behind.
bool emptiedUnless(bool decoded, DecodedPixels& pixels) {
    if (!decoded) pixels = DecodedPixels{};
    return decoded;
}

}  // namespace

bool decodeImageFile(const char* fileName, int largestSide, DecodedPixels& pixels) {
    Bytes bytes;
    return emptiedUnless(readWholeFile(fileName, bytes) && decodeChecked(bytes, largestSide, pixels),
                         pixels);
}

bool decodeImageBytes(const unsigned char* data, std::size_t size, int largestSide,
                      DecodedPixels& pixels) {
    Bytes bytes(data, data + size);
    return emptiedUnless(decodeChecked(bytes, largestSide, pixels), pixels);
}

bool engineReadsAsIs(const unsigned char* data, std::size_t size) {
    DecodedPixels pixels;
    return decodeImageBytes(data, size, kDefaultLargestImageSide, pixels);
}
