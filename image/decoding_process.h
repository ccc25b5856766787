// The decoding process: a helper started while the program is still small, which decodes each
// image in a fresh child of its own, so that no image pays for forking a program grown large.
#pragma once

#include <sys/types.h>

#include <vector>

#include "image/decode.h"
#include "image/picture_pipe.h"

// What the helper runs.
struct DecoderCalls {
    // Readies the decoders once in the helper, before its first child.
    void (*start)() = nullptr;
    // Reads an image file and prepares its bytes for the decoder, as the program would.
    bool (*prepare)(const char* fileName, int largestSide, int& format,
                    std::vector<unsigned char>& bytes) = nullptr;
    // Decodes prepared bytes of the given format; runs in a fresh child for each image.
    bool (*decode)(int format, const std::vector<unsigned char>& bytes,
                   DecodedPixels& pixels) = nullptr;
};

// Starts the helper, unless one runs already; false when it could not be started. Every child
// the program forks from then on, the helper first, dies with the program.
bool startDecodingProcess(const DecoderCalls& calls);
// Ends the helper and waits for it; later images go back to being decoded apart as before.
void stopDecodingProcess();
// The helper's process id, or -1 when none runs.
pid_t decodingProcessId();

enum class ProcessDecoding { Decoded, Refused, NotTaken };
// Decodes through the helper with the usual deadline: Decoded or Refused as its child found,
// NotTaken when no helper runs or it failed (died, hung, answered nonsense); a helper that
// failed is ended, and the caller decodes the image some other way.
ProcessDecoding decodeInDecodingProcess(int format, const std::vector<unsigned char>& bytes,
                                        int largestSide, DecodedPixels& pixels);

// The helper's answer to one image: one byte, 1 decoded or 0 refused, then for a decoded image
// the picture; false when the answer is anything else or comes after the deadline.
bool readDecodingAnswer(int descriptor, int largestSide, DecodedPixels& pixels, bool& decoded,
                        PipeDeadline deadline);

// Has the helper read, prepare and decode the file while the program goes on, and keep the
// outcome for when the program asks for the same bytes; nothing is answered.
void decodeAheadInDecodingProcess(const char* fileName, int largestSide);
