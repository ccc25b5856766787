// What every texture upload shares, whichever library makes the GL texture: the largest side
// to decode at, the message for an unreadable file, and the filter and wrap parameters.
#pragma once

#include "image/decode.h"
#include "render/texture_list.h"

// The largest side the current context takes; without a context, the usual one of drivers.
int largestTextureSide();
// Tells the user that the named image file could not be read.
void reportUnreadable(const char* fileName);
// Keeps the file name and modes in the record.
void recordTextureSource(Texture& texture, const char* fileName, int filterMode, int wrapMode);
// A new texture name, bound, with no image: the unit that binds a texture whose file failed to
// load draws untextured instead of showing memory the load never filled.
GLuint boundEmptyTexture();
// Whether the current context takes textures whose sides are no power of two, mipmapped too
// (OpenGL 2.0, or GL_ARB_texture_non_power_of_two); older drivers need scaled pictures.
bool driverTakesAnySize();
// Levels 1 and below of the bound texture, down to 1 x 1, halved from the decoded picture
// that level 0 holds as it is: scaling to a power of two would smear an odd-sized picture.
void uploadLowerLevels(const DecodedPixels& pixels);
// Modulated texels and sphere-mapped coordinates, set before each texture is made.
void applyTextureEnvironment();
// The bound texture's filters and wrap for the record's modes.
void applyTextureModes(int filterMode, int wrapMode);
