// PNM files with samples wider than a byte, rewritten as the 8-bit binary PNM of the same
// picture before decoding.
#pragma once

#include <vector>

// Replaces `bytes`, a PNM whose maximum value is above 255 (P2, P3, P5 or P6), by the binary
// PNM of the same picture with samples scaled to 0-255; false when the file is cut short.
bool narrowPnmSamples(std::vector<unsigned char>& bytes);
