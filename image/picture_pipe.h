// A decoded picture sent through a pipe or a socket between the program and its decoding
// processes: its shape, then its rows; the reader checks the shape like any header.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>

#include "image/decode.h"

using PipeDeadline = std::chrono::steady_clock::time_point;

// Forks, the child keeping ends[1] and the parent ends[0], each closing the other: 0 in the
// child, the child's id in the parent, -1 with both closed when there is no child.
pid_t forkKeepingOneEndEach(const int (&ends)[2]);
// Writes all of `size` bytes; false when the other end has gone.
bool writeAll(int descriptor, const void* data, std::size_t size);
// Reads exactly `size` bytes before the deadline; false on end of file, error or deadline.
bool readAll(int descriptor, void* data, std::size_t size, PipeDeadline deadline);
// The picture's shape, then its rows.
bool writePicture(int descriptor, const DecodedPixels& pixels);
// A picture before the deadline, refused when its shape would not pass the size gate at
// `largestSide` or it has other than 3 or 4 channels.
bool readPicture(int descriptor, int largestSide, DecodedPixels& pixels, PipeDeadline deadline);
