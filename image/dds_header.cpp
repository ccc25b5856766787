// The DX10 header names its pixel format by a DXGI number; the older header by a FourCC code
// for block-compressed data or by channel masks for plain pixels.
#include "image/dds_header.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t kPixelFormat = 76;  // offset of the older pixel format block
constexpr std::size_t kExtendedHeader = 128;
constexpr std::size_t kExtendedHeaderSize = 20;

struct LegacyFormat {
    std::uint32_t dxgiFormat;
    const char* fourCc;  // null for plain pixels
    std::uint32_t red, green, blue, alpha;
};

constexpr LegacyFormat kFormats[] = {
    {71, "DXT1", 0, 0, 0, 0},  // BC1
    {72, "DXT1", 0, 0, 0, 0},  // BC1, sRGB
    {74, "DXT3", 0, 0, 0, 0},  // BC2
    {75, "DXT3", 0, 0, 0, 0},
    {77, "DXT5", 0, 0, 0, 0},  // BC3
    {78, "DXT5", 0, 0, 0, 0},
    {28, nullptr, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000},  // R8G8B8A8
    {29, nullptr, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000},
    {87, nullptr, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},  // B8G8R8A8
    {91, nullptr, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
    {88, nullptr, 0x00FF0000, 0x0000FF00, 0x000000FF, 0},  // B8G8R8X8
    {93, nullptr, 0x00FF0000, 0x0000FF00, 0x000000FF, 0},
};

void put32(unsigned char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t get32(const unsigned char* at) {
    return at[0] | (at[1] << 8) | (at[2] << 16) | (std::uint32_t(at[3]) << 24);
}

}  // namespace

bool useLegacyDdsHeader(std::vector<unsigned char>& bytes) {
    if (bytes.size() < kExtendedHeader) return false;
    if (std::memcmp(bytes.data() + kPixelFormat + 8, "DX10", 4) != 0) return true;
    if (bytes.size() < kExtendedHeader + kExtendedHeaderSize) return false;
    const std::uint32_t dxgiFormat = get32(bytes.data() + kExtendedHeader);
    for (const LegacyFormat& format : kFormats) {
        if (format.dxgiFormat != dxgiFormat) continue;
        unsigned char* pixelFormat = bytes.data() + kPixelFormat;
        if (format.fourCc != nullptr) {
            put32(pixelFormat + 4, 0x4);  // DDPF_FOURCC
            std::memcpy(pixelFormat + 8, format.fourCc, 4);
            put32(pixelFormat + 12, 0);
        } else {
            put32(pixelFormat + 4, format.alpha != 0 ? 0x41 : 0x40);  // DDPF_RGB, DDPF_ALPHAPIXELS
            put32(pixelFormat + 8, 0);
            put32(pixelFormat + 12, 32);
        }
        put32(pixelFormat + 16, format.red);
        put32(pixelFormat + 20, format.green);
        put32(pixelFormat + 24, format.blue);
        put32(pixelFormat + 28, format.alpha);
        bytes.erase(bytes.begin() + kExtendedHeader,
                    bytes.begin() + kExtendedHeader + kExtendedHeaderSize);
        return true;
    }
    return false;
}
