// Pictures through pipes: a fixed-size shape record, then the rows without padding. The
// reader waits with poll, so that no writer can keep it past its deadline.
#include "image/picture_pipe.h"

#include <poll.h>
#include <unistd.h>

#include <cstdint>

#include "image/header.h"

namespace {

struct PictureShape {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t channels = 0;
};

}  // namespace

pid_t forkKeepingOneEndEach(const int (&ends)[2]) {
    const pid_t child = fork();
    close(ends[child == 0 ? 0 : 1]);
    if (child < 0) close(ends[0]);
    return child;
}

bool writeAll(int descriptor, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t written = write(descriptor, bytes, size);
        if (written <= 0) return false;
        bytes += written;
        size -= std::size_t(written);
    }
    return true;
}

bool readAll(int descriptor, void* data, std::size_t size, PipeDeadline deadline) {
    auto* bytes = static_cast<unsigned char*>(data);
    while (size > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd waiting{descriptor, POLLIN, 0};
        if (left.count() <= 0 || poll(&waiting, 1, int(left.count())) <= 0) return false;
        const ssize_t got = read(descriptor, bytes, size);
        if (got <= 0) return false;
        bytes += got;
        size -= std::size_t(got);
    }
    return true;
}

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
