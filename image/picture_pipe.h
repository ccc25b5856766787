// A decoded picture sent through a pipe or a socket between the program and its decoding
// processes: its shape, then its rows; the reader checks the shape like any header.
#pragma once

#include "image/decode.h"
#include "process/child_process.h"

using PipeDeadline = ChildDeadline;

// The picture's shape, then its rows.
bool writePicture(int descriptor, const DecodedPixels& pixels);
// A picture before the deadline, refused when its shape would not pass the size gate at
// `largestSide` or it has other than 3 or 4 channels.
bool readPicture(int descriptor, int largestSide, DecodedPixels& pixels, PipeDeadline deadline);
