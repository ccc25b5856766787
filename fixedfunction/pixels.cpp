// Unpacking, packing, scaling and halving of 8-bit images.
#include "fixedfunction/pixels.h"

#include <GL/glext.h>

#include <algorithm>

namespace fixedfunction {
namespace {

// Bytes from the start of one row to the next under the unpack or pack settings.
std::size_t rowStride(const PixelStore& store, int width, int bytesPerPixel) {
    const int pixelsPerRow = store.rowLength > 0 ? store.rowLength : width;
    const std::size_t bytes = std::size_t(pixelsPerRow) * std::size_t(bytesPerPixel);
    const std::size_t alignment = store.alignment > 0 ? std::size_t(store.alignment) : 1;
    return (bytes + alignment - 1) / alignment * alignment;
}

// One pixel of any taken format as RGBA.
void toRgba(GLenum format, const std::uint8_t* p, std::uint8_t rgba[4]) {
    switch (format) {
    case GL_RGB: rgba[0] = p[0], rgba[1] = p[1], rgba[2] = p[2], rgba[3] = 255; break;
    case GL_RGBA: rgba[0] = p[0], rgba[1] = p[1], rgba[2] = p[2], rgba[3] = p[3]; break;
    case GL_LUMINANCE: rgba[0] = rgba[1] = rgba[2] = p[0], rgba[3] = 255; break;
    case GL_LUMINANCE_ALPHA: rgba[0] = rgba[1] = rgba[2] = p[0], rgba[3] = p[1]; break;
    case GL_ALPHA: rgba[0] = rgba[1] = rgba[2] = 0, rgba[3] = p[0]; break;
    default: rgba[0] = rgba[1] = rgba[2] = 0, rgba[3] = 255; break;
    }
}

// RGBA as a pixel of the stored format (luminance is taken from red, as OpenGL does).
int fromRgba(GLenum stored, const std::uint8_t rgba[4], std::uint8_t* out) {
    switch (stored) {
    case GL_RGB: out[0] = rgba[0], out[1] = rgba[1], out[2] = rgba[2]; return 3;
    case GL_RGBA: std::copy(rgba, rgba + 4, out); return 4;
    case GL_LUMINANCE: out[0] = rgba[0]; return 1;
    case GL_LUMINANCE_ALPHA: out[0] = rgba[0], out[1] = rgba[3]; return 2;
    case GL_ALPHA: out[0] = rgba[3]; return 1;
    default: return 0;
    }
}

}  // namespace

int channelsOfFormat(GLenum format) {
    switch (format) {
    case GL_RGB: return 3;
    case GL_RGBA: return 4;
    case GL_LUMINANCE: case GL_ALPHA: return 1;
    case GL_LUMINANCE_ALPHA: return 2;
    default: return 0;
    }
}

GLenum storedFormatOf(GLint internalFormat) {
    switch (internalFormat) {
    case 1: case GL_LUMINANCE: case GL_LUMINANCE8: return GL_LUMINANCE;
    case 2: case GL_LUMINANCE_ALPHA: case GL_LUMINANCE8_ALPHA8: return GL_LUMINANCE_ALPHA;
    case 3: case GL_RGB: case GL_RGB8: return GL_RGB;
    case 4: case GL_RGBA: case GL_RGBA8: return GL_RGBA;
    case GL_ALPHA: case GL_ALPHA8: return GL_ALPHA;
    default: return 0;
    }
}

std::vector<std::uint8_t> unpackImage(const PixelStore& store, int width, int height, GLenum format,
                                      const std::uint8_t* data, GLenum stored) {
    const int inChannels = channelsOfFormat(format);
    const int outChannels = channelsOfFormat(stored);
    std::vector<std::uint8_t> out(std::size_t(width) * std::size_t(height) * std::size_t(outChannels));
    if (data == nullptr || inChannels == 0 || outChannels == 0) return out;
    const std::size_t stride = rowStride(store, width, inChannels);
    const std::uint8_t* first =
        data + std::size_t(store.skipRows) * stride + std::size_t(store.skipPixels) * std::size_t(inChannels);
    std::uint8_t* target = out.data();
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* source = first + std::size_t(row) * stride;
        for (int column = 0; column < width; ++column) {
            std::uint8_t rgba[4];
            toRgba(format, source + std::size_t(column) * std::size_t(inChannels), rgba);
            target += fromRgba(stored, rgba, target);
        }
    }
    return out;
}

std::vector<std::uint8_t> unpackBitmap(const PixelStore& store, int width, int height,
                                       const std::uint8_t* bits) {
    std::vector<std::uint8_t> out(std::size_t(width) * std::size_t(height), 0);
    if (bits == nullptr || width <= 0 || height <= 0) return out;
    const int pixelsPerRow = store.rowLength > 0 ? store.rowLength : width;
    const std::size_t bytes = std::size_t(pixelsPerRow + 7) / 8;
    const std::size_t alignment = store.alignment > 0 ? std::size_t(store.alignment) : 1;
    const std::size_t stride = (bytes + alignment - 1) / alignment * alignment;
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* source = bits + std::size_t(row + store.skipRows) * stride;
        for (int column = 0; column < width; ++column) {
            const int bit = column + store.skipPixels;
            const std::uint8_t byte = source[bit / 8];
            const int shift = store.lsbFirst ? bit % 8 : 7 - bit % 8;
            out[std::size_t(row) * std::size_t(width) + std::size_t(column)] = ((byte >> shift) & 1) ? 255 : 0;
        }
    }
    return out;
}

void packPixels(const PixelStore& store, int width, int height, const std::uint8_t* rgba, GLenum format,
                std::uint8_t* out) {
    const int channels = channelsOfFormat(format);
    if (channels == 0) return;
    const std::size_t stride = rowStride(store, width, channels);
    std::uint8_t* first = out + std::size_t(store.skipRows) * stride + std::size_t(store.skipPixels) * std::size_t(channels);
    for (int row = 0; row < height; ++row) {
        std::uint8_t* target = first + std::size_t(row) * stride;
        for (int column = 0; column < width; ++column)
            target += fromRgba(format, rgba + (std::size_t(row) * std::size_t(width) + std::size_t(column)) * 4, target);
    }
}

int nearestPowerOfTwo(int value) {
    if (value <= 0) return -1;
    int power = 1;
    for (unsigned v = unsigned(value);; v >>= 1, power *= 2) {
        if (v == 1) return power;
        if (v == 3) return power * 4;
    }
}

std::vector<std::uint8_t> scaleImage(int channels, int width, int height, const std::uint8_t* data,
                                     int newWidth, int newHeight) {
    std::vector<std::uint8_t> out(std::size_t(newWidth) * std::size_t(newHeight) * std::size_t(channels));
    const float sx = float(width) / float(newWidth), sy = float(height) / float(newHeight);
    for (int y = 0; y < newHeight; ++y)
        for (int x = 0; x < newWidth; ++x) {
            // The source area this pixel covers, each source pixel weighed by its share of it.
            const float x0 = float(x) * sx, x1 = x0 + sx, y0 = float(y) * sy, y1 = y0 + sy;
            float sum[4] = {0, 0, 0, 0}, area = 0;
            for (int j = int(y0); j < height && float(j) < y1; ++j) {
                const float h = std::min(y1, float(j + 1)) - std::max(y0, float(j));
                for (int i = int(x0); i < width && float(i) < x1; ++i) {
                    const float w = (std::min(x1, float(i + 1)) - std::max(x0, float(i))) * h;
                    const std::uint8_t* p = data + (std::size_t(j) * std::size_t(width) + std::size_t(i)) * std::size_t(channels);
                    for (int c = 0; c < channels; ++c) sum[c] += w * float(p[c]);
                    area += w;
                }
            }
            std::uint8_t* target = out.data() + (std::size_t(y) * std::size_t(newWidth) + std::size_t(x)) * std::size_t(channels);
            for (int c = 0; c < channels; ++c) target[c] = std::uint8_t(sum[c] / area + 0.5f);
        }
    return out;
}

std::vector<std::uint8_t> halveImage(int channels, int width, int height, const std::uint8_t* data) {
    const int newWidth = std::max(1, width / 2), newHeight = std::max(1, height / 2);
    const int dx = width > 1 ? 1 : 0, dy = height > 1 ? 1 : 0;
    std::vector<std::uint8_t> out(std::size_t(newWidth) * std::size_t(newHeight) * std::size_t(channels));
    auto at = [&](int x, int y, int c) {
        return unsigned(data[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * std::size_t(channels) + std::size_t(c)]);
    };
    for (int y = 0; y < newHeight; ++y)
        for (int x = 0; x < newWidth; ++x)
            for (int c = 0; c < channels; ++c) {
                const int sx = x * 2, sy = y * 2;
                unsigned value;
                if (dx && dy)
                    value = (at(sx, sy, c) + at(sx + 1, sy, c) + at(sx, sy + 1, c) + at(sx + 1, sy + 1, c) + 2) / 4;
                else
                    value = (at(sx, sy, c) + at(sx + dx, sy + dy, c)) / 2;  // GLU does not round here
                out[(std::size_t(y) * std::size_t(newWidth) + std::size_t(x)) * std::size_t(channels) + std::size_t(c)] =
                    std::uint8_t(value);
            }
    return out;
}

}  // namespace fixedfunction
