// A texture of the texture list drawn one pixel per texel in the current context and read
// back, to compare with the pixels its image decodes to; shared by the Linux and Windows tests.
#pragma once

#include <string>
#include <vector>

#include "render/texture_list.h"

namespace testsupport {

// The texture that `list` makes from `path` at `filterMode`, drawn at `width` x `height` in
// the bottom left corner of a viewport of `viewWidth` x `viewHeight`: the RGB pixels read
// back, bottom row first.
std::vector<unsigned char> drawnTexture(TextureList& list, const std::string& path, int filterMode, int width,
                                        int height, int viewWidth, int viewHeight);

}  // namespace testsupport
