// The image files of the texture tests, written once per test program by
// make_test_images.sh into a temporary directory: real pictures with their references, and
// hostile files.
#pragma once

#include <string>
#include <vector>

#include "image/decode.h"

namespace testimages {

struct RealImage {
    std::string path;
    int width = 0;
    int height = 0;
    std::string referencePath;  // the file whose texels it must match
    int tolerance = 0;          // per channel
};

// The directory that holds real/ and hostile/; the script runs on first use, and the
// directory is removed when the program ends.
const std::string& directory();
std::vector<RealImage> realImages();
// Every hostile file's path, in name order.
std::vector<std::string> hostileImages();
// A file built in code and the RGB texels it must decode to, bottom row first.
struct BuiltImage {
    const char* label;
    std::vector<unsigned char> file;
    std::vector<unsigned char> rgbBottomRowFirst;
};
// The decoded texels without their alpha: RGB, bottom row first.
std::vector<unsigned char> rgbTexels(const DecodedPixels& pixels);
// The largest difference of one sample between two pictures; 256 when their sizes differ.
int largestDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b);
// Peak resident memory of the process so far, in kilobytes.
long peakResidentKilobytes();

}  // namespace testimages
