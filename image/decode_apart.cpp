// The child decodes and writes width, height, channel count and pixels into a pipe; the parent
// reads them with a deadline and checks them like any header.
#include "image/decode_apart.h"

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
#include "image/picture_pipe.h"

namespace {

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
    _exit(writePicture(descriptor, pixels) ? 0 : 1);
}

}  // namespace

bool decodeApart(const std::function<bool(DecodedPixels&)>& decode, int largestSide,
                 DecodedPixels& pixels) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return false;
    const pid_t child = forkKeepingOneEndEach(ends);
    if (child < 0) return false;
    if (child == 0) decodeInChild(ends[1], decode);
    const bool read = readPicture(ends[0], largestSide, pixels,
                                  std::chrono::steady_clock::now() + kDecodeDeadline);
    close(ends[0]);
    // A child that has not finished by now is stuck or lying: it goes.
    int status = 0;
    if (!read) kill(child, SIGKILL);
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
