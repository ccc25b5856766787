// DevIL keeps one current image; each read makes, uses and deletes its own.
#include "devil_reader.h"

#include <IL/il.h>

namespace makescene {

static void startDevil() {
    static bool started = false;
    if (started) return;
    ilInit();
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    started = true;
}

LoadedImage readWithDevil(const std::string& path) {
    startDevil();
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    LoadedImage image;
    if (ilLoadImage(path.c_str())) {
        image.width = ilGetInteger(IL_IMAGE_WIDTH);
        image.height = ilGetInteger(IL_IMAGE_HEIGHT);
        image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
        image.loaded = ilCopyPixels(0, 0, 0, image.width, image.height, 1, IL_RGB, IL_UNSIGNED_BYTE,
                                    image.rgb.data()) != 0;
    }
    ilDeleteImages(1, &name);
    return image;
}

}  // namespace makescene
