// Unpacking, packing, scaling and halving of 8-bit images.
#include "fixedfunction/pixels.h"

#include <GL/glext.h>

#include <algorithm>
#include <cmath>

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

// One step of the box filter's running edges along an axis: the high edge becomes the low one
// and moves on by the step, its whole and fractional parts kept apart as GLU keeps them.
void stepEdges(int& lowInt, float& lowFloat, int& highInt, float& highFloat, int stepInt,
               float stepFloat) {
    lowInt = highInt;
    lowFloat = highFloat;
    highInt += stepInt;
    highFloat += stepFloat;
    if (highFloat > 1) {
        highFloat -= 1.0f;
        ++highInt;
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
    if (width == newWidth * 2 && height == newHeight * 2) return halveImage(channels, width, height, data);
    std::vector<std::uint8_t> out(std::size_t(newWidth) * std::size_t(newHeight) * std::size_t(channels));
    // GLU's box filter, step for step: each output pixel covers convx x convy input pixels,
    // the partly covered ones weighed by their share, the sums divided by the area and cut
    // to a byte. Its running edges are kept in single precision, as GLU keeps them.
    const std::size_t group = std::size_t(channels), row = std::size_t(width) * group;
    auto at = [&](int x, int y) { return data + std::size_t(y) * row + std::size_t(x) * group; };
    const float convy = float(height) / float(newHeight), convx = float(width) / float(newWidth);
    const int convyInt = int(std::floor(convy)), convxInt = int(std::floor(convx));
    const float convyFloat = convy - float(convyInt), convxFloat = convx - float(convxInt);
    const float area = convx * convy;
    int lowyInt = 0, highyInt = convyInt;
    float lowyFloat = 0, highyFloat = convyFloat;
    for (int i = 0; i < newHeight; ++i) {
        if (highyInt >= height) highyInt = height - 1;
        int lowxInt = 0, highxInt = convxInt;
        float lowxFloat = 0, highxFloat = convxFloat;
        for (int j = 0; j < newWidth; ++j) {
            float totals[4] = {0, 0, 0, 0};
            auto add = [&](const std::uint8_t* pixel, float weight) {
                for (std::size_t k = 0; k < group; ++k) totals[k] += float(pixel[k]) * weight;
            };
            if (highyInt > lowyInt && highxInt > lowxInt) {
                float yPercent = 1 - lowyFloat;
                add(at(lowxInt, lowyInt), yPercent * (1 - lowxFloat));
                for (int l = lowxInt + 1; l < highxInt; ++l) add(at(l, lowyInt), yPercent);
                add(at(highxInt, lowyInt), yPercent * highxFloat);
                yPercent = highyFloat;
                add(at(lowxInt, highyInt), yPercent * (1 - lowxFloat));
                for (int l = lowxInt + 1; l < highxInt; ++l) add(at(l, highyInt), yPercent);
                add(at(highxInt, highyInt), yPercent * highxFloat);
                for (int m = lowyInt + 1; m < highyInt; ++m)
                    for (std::size_t k = 0; k < group; ++k)
                        totals[k] += float(at(lowxInt, m)[k]) * (1 - lowxFloat) + float(at(highxInt, m)[k]) * highxFloat;
            } else if (highyInt > lowyInt) {
                const float xPercent = highxFloat - lowxFloat;
                add(at(lowxInt, lowyInt), (1 - lowyFloat) * xPercent);
                for (int m = lowyInt + 1; m < highyInt; ++m) add(at(lowxInt, m), xPercent);
                add(at(lowxInt, highyInt), xPercent * highyFloat);
            } else if (highxInt > lowxInt) {
                const float yPercent = highyFloat - lowyFloat;
                add(at(lowxInt, lowyInt), (1 - lowxFloat) * yPercent);
                for (int l = lowxInt + 1; l < highxInt; ++l) add(at(l, lowyInt), yPercent);
                add(at(highxInt, lowyInt), yPercent * highxFloat);
            } else {
                add(at(lowxInt, lowyInt), (highyFloat - lowyFloat) * (highxFloat - lowxFloat));
            }
            for (int m = lowyInt + 1; m < highyInt; ++m)
                for (int l = lowxInt + 1; l < highxInt; ++l) add(at(l, m), 1.0f);
            std::uint8_t* target = out.data() + (std::size_t(i) * std::size_t(newWidth) + std::size_t(j)) * group;
            for (std::size_t k = 0; k < group; ++k) target[k] = std::uint8_t(totals[k] / area);
            stepEdges(lowxInt, lowxFloat, highxInt, highxFloat, convxInt, convxFloat);
        }
        stepEdges(lowyInt, lowyFloat, highyInt, highyFloat, convyInt, convyFloat);
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
