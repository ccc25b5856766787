// The image check through the engine's own image decoding: the same size gate and decoder as a
// texture load, with nothing uploaded, so no context is needed.
#include "tools/check/image_check.h"

#include <filesystem>

#include "image/decode.h"

ImageStatus checkImage(const char* path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return ImageStatus::missing;
    DecodedPixels pixels;
    return decodeImageFile(path, kDefaultLargestImageSide, pixels) ? ImageStatus::loads
                                                                   : ImageStatus::unreadable;
}
