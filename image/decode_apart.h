// Decoders run in a child process: a crash, a hang or a runaway allocation in a decoder on a
// hostile file must not take the program with it, and not every decoder has been fuzzed.
#pragma once

#include <functional>
#include <vector>

#include "image/decode.h"

// Runs `decode` in a child process and hands back the pixels it made; false when it fails,
// dies or takes too long, or makes a picture larger than `largestSide` and the size gate allow.
bool decodeApart(const std::function<bool(DecodedPixels&)>& decode, int largestSide,
                 DecodedPixels& pixels);
