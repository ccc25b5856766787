// The importer's images: whether the engine takes a file as it is (the engine's own rule), and
// the PNG the image library makes of the images it would not read. Owns nothing between calls.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vornimport {

using Bytes = std::vector<std::uint8_t>;

// The extension to copy `bytes` under when the engine reads them as they are: the one that
// names their format; empty when they must be converted.
std::string_view extensionIfReadAsIs(const Bytes& bytes);

// The PNG of any picture the image library converts; empty when it cannot.
Bytes convertToPng(const Bytes& bytes);

// A PNG of 8-bit pixels: `channels` 1 to 4 per pixel, rows top to bottom; empty on failure.
Bytes encodePng(const std::uint8_t* pixels, int width, int height, int channels);

// A 1 x 1 picture of one grey level (255: white).
Bytes onePixelPng(std::uint8_t level);

}  // namespace vornimport
