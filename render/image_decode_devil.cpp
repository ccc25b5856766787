// The child decodes into a DevIL image of its own and writes width, height, channel count and
// pixels into a pipe; the parent reads them with a deadline and checks them like any header.
#include "render/image_decode_devil.h"

#include <IL/il.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <fcntl.h>

#include <cerrno>
#include <chrono>
#include <cstdint>

#include "render/image_header.h"

namespace {

// Well above what any real picture takes to decode, well below what a user would wait for.
constexpr std::chrono::seconds kDecodeDeadline{10};

struct PictureShape {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t channels = 0;
};

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

// Runs in the child: never returns.
[[noreturn]] void decodeInChild(int descriptor, unsigned type, const unsigned char* data,
                                std::size_t size) {
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    bool decoded = ilLoadL(type, data, ILuint(size)) != IL_FALSE;
    while (ilGetError() != IL_NO_ERROR) decoded = false;
    const ILint layout = ilGetInteger(IL_IMAGE_FORMAT);
    const bool alpha = layout == IL_RGBA || layout == IL_BGRA || layout == IL_LUMINANCE_ALPHA;
    decoded = decoded && ilConvertImage(alpha ? IL_RGBA : IL_RGB, IL_UNSIGNED_BYTE) != IL_FALSE;
    const PictureShape shape{ilGetInteger(IL_IMAGE_WIDTH), ilGetInteger(IL_IMAGE_HEIGHT), alpha ? 4 : 3};
    const std::int64_t bytes = std::int64_t(shape.width) * shape.height * shape.channels;
    decoded = decoded && shape.width > 0 && shape.height > 0 && ilGetData() != nullptr &&
              ilGetInteger(IL_IMAGE_SIZE_OF_DATA) >= bytes;
    if (!decoded) _exit(1);
    _exit(writeAll(descriptor, &shape, sizeof shape) && writeAll(descriptor, ilGetData(), std::size_t(bytes))
              ? 0
              : 1);
}

// Reads exactly `size` bytes before the deadline.
bool readAll(int descriptor, void* data, std::size_t size,
             std::chrono::steady_clock::time_point deadline) {
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

bool readPicture(int descriptor, int largestSide, DecodedPixels& pixels) {
    const auto deadline = std::chrono::steady_clock::now() + kDecodeDeadline;
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

}  // namespace

bool decodeWithDevilApart(unsigned type, const unsigned char* data, std::size_t size,
                          int largestSide, DecodedPixels& pixels) {
    if (size > 0xFFFFFFFFu) return false;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return false;
    const pid_t child = fork();
    if (child < 0) {
        close(ends[0]);
        close(ends[1]);
        return false;
    }
    if (child == 0) {
        close(ends[0]);
        decodeInChild(ends[1], type, data, size);
    }
    close(ends[1]);
    const bool read = readPicture(ends[0], largestSide, pixels);
    close(ends[0]);
    // A child that has not finished by now is stuck or lying: it goes.
    int status = 0;
    if (!read) kill(child, SIGKILL);
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
