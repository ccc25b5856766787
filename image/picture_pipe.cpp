// Pictures through pipes: a fixed-size shape record, then the rows without padding. The
// reader waits against a deadline, so that no writer can keep it past it.
#include "image/picture_pipe.h"

#include <cstdint>

#include "image/header.h"

namespace {

struct PictureShape {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t channels = 0;
};

}  // namespace

bool writePicture(int descriptor, const DecodedPixels& pixels) {
    const PictureShape shape{pixels.width, pixels.height, pixels.channels};
    return writeAll(descriptor, &shape, sizeof shape) &&
           writeAll(descriptor, pixels.bytes.data(), pixels.bytes.size());
}

bool readPicture(int descriptor, int largestSide, DecodedPixels& pixels, PipeDeadline deadline) {
    PictureShape shape;
    if (!readAll(descriptor, &shape, sizeof shape, deadline)) return false;
    ImageHeader sent;
    sent.width = shape.width;
    sent.height = shape.height;
    if (!passesSizeGate(sent, largestSide) || (shape.channels != 3 && shape.channels != 4))
        return false;
    pixels.width = shape.width;
    pixels.height = shape.height;
    pixels.channels = shape.channels;
    pixels.bytes.resize(std::size_t(shape.width) * std::size_t(shape.height) * std::size_t(shape.channels));
    return readAll(descriptor, pixels.bytes.data(), pixels.bytes.size(), deadline);
}
