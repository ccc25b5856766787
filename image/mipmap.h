// Mipmap levels made from a decoded picture at any size: no side is scaled to a power of two,
// so that level 0 stays the picture as decoded. Owns nothing.
#pragma once

#include "image/decode.h"

// The next level below `picture`: each side halved and rounded down, but at least 1; each
// texel the rounded mean of the two or three texels of each side that it covers (three at the
// last texel of an odd side, so that no row or column is dropped).
DecodedPixels halvedPicture(const DecodedPixels& picture);
