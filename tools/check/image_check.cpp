// The image check through DevIL, as the texture list reads images: the image is loaded into a
// bound DevIL image and dropped again; nothing is uploaded, so no context is needed.
#include "tools/check/image_check.h"

#include <IL/il.h>

#include <filesystem>

ImageStatus checkImage(const char* path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return ImageStatus::missing;
    static const bool started = [] {
        ilInit();
        return true;
    }();
    (void)started;
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    while (ilGetError() != IL_NO_ERROR) {
    }
    bool loaded = ilLoadImage(path) == IL_TRUE;
    while (ilGetError() != IL_NO_ERROR) loaded = false;
    loaded = loaded && ilGetInteger(IL_IMAGE_WIDTH) > 0 && ilGetInteger(IL_IMAGE_HEIGHT) > 0 &&
             ilGetData() != nullptr;
    ilDeleteImages(1, &image);
    return loaded ? ImageStatus::loads : ImageStatus::unreadable;
}
