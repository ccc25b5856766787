// The decoders behind the image library: which decoder reads which format, and the decoding
// of checked bytes, which the library runs in a child process and the fuzzer in its own. Each
// platform's build picks the one source file that defines these (decoders_linux.cpp here).
#pragma once

#include <vector>

#include "image/checks.h"
#include "image/decode.h"

// Readies the decoders in this process; once per process, later calls do nothing.
void startDecoders();
// Decodes bytes that prepareImage let through, into rows bottom first.
bool decodePreparedImage(const PreparedImage& image, const std::vector<unsigned char>& bytes,
                         DecodedPixels& pixels);
