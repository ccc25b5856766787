// Pictures of what was drawn: the colour buffer read back as RGB rows, PNG files written by the
// image library, and the framebuffer object the headless viewer draws into.
#pragma once

#include <string>
#include <vector>

// The current read buffer's pixels, RGB, bottom row first (as GL counts rows).
std::vector<unsigned char> readPixels(int width, int height);
// Writes the pixels (as readPixels gives them) top row first; false when the file could not be
// written.
bool writePng(const std::string& path, int width, int height,
              const std::vector<unsigned char>& pixels);
// The first "vorn-view-N.png" (N from 1) that does not exist in the working directory.
std::string nextScreenshotName();

// A colour and depth framebuffer of a fixed size, bound for drawing and reading while it
// lives. The headless viewer draws into it: a surfaceless context has no window to draw in, and
// a hidden window's own buffer may lose pixels that no screen shows.
class OffscreenFramebuffer {
public:
    OffscreenFramebuffer() = default;
    OffscreenFramebuffer(const OffscreenFramebuffer&) = delete;
    OffscreenFramebuffer& operator=(const OffscreenFramebuffer&) = delete;
    ~OffscreenFramebuffer();

    // False when the driver has no framebuffer objects or refuses the size.
    bool create(int width, int height);

private:
    unsigned framebuffer = 0, colour = 0, depth = 0;
};
