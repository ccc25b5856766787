// Colour arithmetic and the picture's bytes.
#include "image.h"

#include <algorithm>
#include <cmath>

#include "image/write.h"

namespace makescene {

Colour operator*(Colour c, float k) { return {c.r * k, c.g * k, c.b * k}; }
Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Colour mix(Colour a, Colour b, float t) { return a * (1.0f - t) + b * t; }
Colour grey(float v) { return {v, v, v}; }

Image::Image(int width, int height)
    : width_(width), height_(height), rgb_(static_cast<std::size_t>(width) * height * 3, 0) {}

static std::uint8_t toByte(float v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

void Image::set(int x, int y, Colour c) {
    std::size_t at = (static_cast<std::size_t>(y) * width_ + x) * 3;
    rgb_[at] = toByte(c.r);
    rgb_[at + 1] = toByte(c.g);
    rgb_[at + 2] = toByte(c.b);
}

bool writeImage(const Image& image, ImageFormat format, const std::string& path) {
    return writeImageFile(path, format, PixelRows{image.width(), image.height(), 3, image.rgb().data()});
}

}  // namespace makescene
