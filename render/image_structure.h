// Whole-file checks for the formats whose decoders do not notice a file cut short or a
// run-length run past the picture: they would loop for ever, read past their buffer, or fill
// the picture with whatever the buffer held.
#pragma once

#include "render/image_header.h"
#include "render/image_header_readers.h"

// True when the file holds all that its header promises and no run leaves the picture; true
// for the formats whose decoders check this themselves.
bool imageDataIsWhole(ImageFormat format, const ByteView& bytes);
