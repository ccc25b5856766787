// The frame timer. Each measuring operation keeps one process-wide reference reading, taken
// from the start count at its first call, so that neither shortens the other's interval.
#include "app/frame_timer.h"

#include <optional>

#include "platform/platform.h"

namespace {
std::optional<std::int64_t> elapsedReference;
std::optional<std::int64_t> rateReference;
float lastRate = 0.0f;
}  // namespace

void FrameTimer::forgetReferences() {
    elapsedReference.reset();
    rateReference.reset();
    lastRate = 0.0f;
}

bool FrameTimer::start() {
    if (!platform::queryPerformanceFrequency(frequency)) return false;
    platform::queryPerformanceCounter(startCount);
    return true;
}

float FrameTimer::elapsedSeconds(int) {
    if (!elapsedReference) elapsedReference = startCount;
    std::int64_t now = 0;
    // Without a counter no time passes, rather than a division by zero.
    if (frequency <= 0 || !platform::queryPerformanceCounter(now)) return 0.0f;
    const double seconds = double(now - *elapsedReference) / double(frequency);
    elapsedReference = now;
    return float(seconds);
}

float FrameTimer::framesPerSecond(unsigned frames) {
    if (!rateReference) rateReference = startCount;
    std::int64_t now = 0;
    if (frequency <= 0 || !platform::queryPerformanceCounter(now)) return 0.0f;
    // Two calls within one tick measure nothing: the rate of the previous interval stands.
    if (now == *rateReference) return lastRate;
    lastRate = float(double(frames) * double(frequency) / double(now - *rateReference));
    rateReference = now;
    return lastRate;
}
