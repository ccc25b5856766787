// BMP variants that stb_image refuses, rewritten into ones it reads: OS/2 2.x headers (16 to
// 64 bytes) and the 52-byte V2 header become the usual ones, RLE8 and RLE4 runs plain rows.
#pragma once

#include <vector>

// True when the bitmap is one of the variants below.
bool bmpNeedsRewrite(const std::vector<unsigned char>& bytes);
// Rewrites such a bitmap in place; false for what has no plain equivalent (OS/2 Huffman or
// RLE24 data, a top-down RLE bitmap) or a header cut short.
bool rewriteBmpForStb(std::vector<unsigned char>& bytes);
