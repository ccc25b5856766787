// The child decodes and writes width, height, channel count and pixels into a pipe; the parent
// reads them with a deadline and checks them like any header.
#include "image/decode_apart.h"

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "image/header.h"
#include "image/picture_pipe.h"
#include "process/child_process.h"

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

// Tests make the decoder hang through this variable, as a hostile file can.
void forceFaultForTests() {
    const char* fault = std::getenv("VORN_IMAGE_TEST_FAULT");
    if (fault != nullptr && std::string_view(fault) == "hang")
        for (;;) pause();
}

// Runs in the child: the exit status of the decoding.
int decodeInChild(int descriptor, const std::function<bool(DecodedPixels&)>& decode) {
    capChildMemory();
    forceFaultForTests();
    DecodedPixels pixels;
    const bool decoded = decode(pixels) && (pixels.channels == 3 || pixels.channels == 4) &&
                         pixels.bytes.size() == std::size_t(pixels.width) *
                                                    std::size_t(pixels.height) *
                                                    std::size_t(pixels.channels);
    if (!decoded) return 1;
    return writePicture(descriptor, pixels) ? 0 : 1;
}

}  // namespace

bool decodeApart(const std::function<bool(DecodedPixels&)>& decode, int largestSide,
                 DecodedPixels& pixels) {
    const auto deadline = std::chrono::steady_clock::now() + kDecodeDeadline;
    const auto collect = [&](int fromChild) {
        return readPicture(fromChild, largestSide, pixels, deadline) ? Collected::whole
                                                                     : Collected::broken;
    };
    // The deadline in processor time too, for when this process stops watching.
    const double cpuSeconds = double(kDecodeDeadline.count()) + 1;
    const ChildEnd end = runApart([&](int toParent) { return decodeInChild(toParent, decode); },
                                  collect, cpuSeconds);
    return end.kind == ChildEnd::finished;
}
