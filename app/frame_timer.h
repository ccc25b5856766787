// The frame timer on the high-resolution performance counter: seconds since the previous frame,
// which turn the view, and the rate of the last frame, which the overlay shows.
#pragma once

#include <cstdint>

class FrameTimer {
public:
    // Reads frequency and start count; false when there is no high-resolution counter.
    bool start();
    // Seconds since the previous call (the first call: since start). The argument is unused.
    float elapsedSeconds(int ignored);
    // `frames` divided by the seconds since the previous call.
    float framesPerSecond(unsigned frames);

    // The two operations' reference readings are shared by the whole process; tests forget them.
    static void forgetReferences();

private:
    std::int64_t startCount = 0;
    std::int64_t frequency = 0;
};
