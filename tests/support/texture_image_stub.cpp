// The image part of the texture list for tests and the fuzzer: no image library and no GL
// texture, only the record's name and modes, so the texture list can be used without a display.
#include <cstring>

#include "render/texture_list.h"

void startImageLibrary() {}

void Texture::load(const char* name, int filter, int wrap) {
    std::strncpy(fileName, name, sizeof fileName - 1);
    fileName[sizeof fileName - 1] = '\0';
    filterMode = filter;
    wrapMode = wrap;
}

void Texture::bind() const {}
