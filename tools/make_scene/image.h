// An RGB picture in memory, written through the image library's writers. Owns nothing but its
// pixel bytes; row 0 is the top of the picture as a viewer sees it.
#pragma once

#include "image/format.h"
#include "meshfile/mesh_file_writer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace makescene {

using Colour = meshwriter::Colour;

Colour operator*(Colour c, float k);
Colour operator*(Colour a, Colour b);
Colour operator+(Colour a, Colour b);
Colour mix(Colour a, Colour b, float t);
Colour grey(float v);

class Image {
public:
    Image(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    // Stores the colour clamped to [0, 1] and rounded to 8 bits per channel.
    void set(int x, int y, Colour c);
    // Red, green, blue bytes, rows top to bottom.
    const std::vector<std::uint8_t>& rgb() const { return rgb_; }

private:
    int width_;
    int height_;
    std::vector<std::uint8_t> rgb_;
};

// Writes the picture as PNG, BMP or TGA so that every viewer shows it the same way up; false
// when the file cannot be written.
bool writeImage(const Image& image, ImageFormat format, const std::string& path);

}  // namespace makescene
