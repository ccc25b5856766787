// Reads a picture back through DevIL, the image library that the engine loads textures with,
// so the generator can prove that the engine will read what it wrote, and the same way up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace makescene {

struct LoadedImage {
    bool loaded = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // red, green, blue bytes, top row first
};

// Loads the file with the origin forced to the top left, whatever the format stores.
LoadedImage readWithDevil(const std::string& path);

}  // namespace makescene
