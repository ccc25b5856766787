// Telling image files apart by their first bytes, and the PNG encoder and the decoder (stb) used
// for the images that the engine could not load as they are. Owns nothing between calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornimport {

using Bytes = std::vector<std::uint8_t>;

// The formats the engine reads; `other` is anything else, which must be converted.
enum class ImageKind { png, jpeg, bmp, tga, gif, pcx, pnm, tiff, webp, dds, other };

// The kind of an image by its content. TGA has no signature: a plausible header counts only
// when the name (a file name or a format hint) says TGA.
ImageKind imageKindOf(const Bytes& bytes, std::string_view nameOrHint);

// The file name extension, without the dot, that says `kind` to every image library.
std::string_view extensionOf(ImageKind kind);

// Decodes any image stb reads and encodes it as PNG; empty when stb cannot read it.
Bytes convertToPng(const Bytes& bytes);

// A PNG of 8-bit pixels: `channels` 1 to 4 per pixel, rows top to bottom; empty on failure.
Bytes encodePng(const std::uint8_t* pixels, int width, int height, int channels);

// A 1 x 1 picture of one grey level (255: white).
Bytes onePixelPng(std::uint8_t level);

}  // namespace vornimport
