// The image check through the engine's own image decoding: the same size gate and decoder as a
// texture load, with nothing uploaded, so no context is needed.
#include "tools/check/image_check.h"

#include <filesystem>

#include "render/image_decode.h"

ImageStatus checkImage(const char* path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return ImageStatus::missing;
    int width = 0, height = 0;
    return decodeImageFile(path, kDefaultLargestImageSide, &width, &height) ? ImageStatus::loads
                                                                           : ImageStatus::unreadable;
}
