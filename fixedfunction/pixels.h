// Images as the program hands them over (rows spaced by the unpack settings, any of the
// formats OpenGL 1.1 converts between) turned into the tight rows OpenGL ES 2 takes, and
// GLU's image scaling and halving for mipmaps.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "fixedfunction/state.h"

namespace fixedfunction {

// Channels of an external format (GL_RGB: 3, ...); 0 for a format the layer does not take.
int channelsOfFormat(GLenum format);
// The ES format an internal format is stored in (3 and GL_RGB8: GL_RGB, ...); 0 if none.
GLenum storedFormatOf(GLint internalFormat);

// The image's pixels in `stored`'s layout, rows tight and bottom first as given.
std::vector<std::uint8_t> unpackImage(const PixelStore& store, int width, int height, GLenum format,
                                      const std::uint8_t* data, GLenum stored);
// A bitmap's bits as one byte a pixel, 255 where a bit is set.
std::vector<std::uint8_t> unpackBitmap(const PixelStore& store, int width, int height,
                                       const std::uint8_t* bits);
// Tight rows packed to the pack alignment, for glReadPixels; from RGBA rows.
void packPixels(const PixelStore& store, int width, int height, const std::uint8_t* rgba, GLenum format,
                std::uint8_t* out);

// GLU's choice of a power of two for a side: the nearest one, by its two highest bits.
int nearestPowerOfTwo(int value);
// GLU's box-filter scaling of tight 8-bit rows to a new size.
std::vector<std::uint8_t> scaleImage(int channels, int width, int height, const std::uint8_t* data,
                                     int newWidth, int newHeight);
// The next mipmap level: each output pixel the rounded mean of the (up to four) it covers.
std::vector<std::uint8_t> halveImage(int channels, int width, int height, const std::uint8_t* data);

}  // namespace fixedfunction
