// The child decodes and writes width, height, channel count and pixels into a pipe; the parent
// reads them with a deadline and checks them like any header.
#include "image/decode_apart.h"

#include <poll.h>
#include <sys/resource.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <fcntl.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>

#include "image/header.h"

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

#if defined(__SANITIZE_ADDRESS__)
#define VORN_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORN_ADDRESS_SANITIZER 1
#endif
#endif

// A decoder that asks for much more than the largest picture the gate lets through has
// misread its file: its allocations fail instead of filling the machine's memory. Two copies
// of the largest picture and the decoders' working buffers fit. The address sanitizer
// reserves terabytes of address space, so its builds go without the cap.
void capChildMemory() {
#ifndef VORN_ADDRESS_SANITIZER
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return;
    long dataKilobytes = -1;
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr)
        if (std::sscanf(line, "VmData: %ld kB", &dataKilobytes) == 1) break;
    std::fclose(status);
    if (dataKilobytes < 0) return;
    const rlim_t cap =
        rlim_t(dataKilobytes) * 1024 + rlim_t(2 * kLargestImageBytes) + (rlim_t(32) << 20);
    const rlimit limit{cap, cap};
    setrlimit(RLIMIT_DATA, &limit);
#endif
}

// Runs in the child: never returns, and runs none of the program's exit handlers.
[[noreturn]] void decodeInChild(int descriptor, const std::function<bool(DecodedPixels&)>& decode) {
    capChildMemory();
    DecodedPixels pixels;
    const bool decoded = decode(pixels) && (pixels.channels == 3 || pixels.channels == 4) &&
                         pixels.bytes.size() == std::size_t(pixels.width) *
                                                    std::size_t(pixels.height) *
                                                    std::size_t(pixels.channels);
    if (!decoded) _exit(1);
    const PictureShape shape{pixels.width, pixels.height, pixels.channels};
    const bool sent = writeAll(descriptor, &shape, sizeof shape) &&
                      writeAll(descriptor, pixels.bytes.data(), pixels.bytes.size());
    _exit(sent ? 0 : 1);
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

bool decodeApart(const std::function<bool(DecodedPixels&)>& decode, int largestSide,
                 DecodedPixels& pixels) {
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
        decodeInChild(ends[1], decode);
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
