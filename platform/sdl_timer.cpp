// The performance counter and sleep, on SDL's high-resolution clock.
#include <SDL.h>

#include "platform/platform.h"

namespace platform {

bool queryPerformanceFrequency(std::int64_t& frequency) {
    const Uint64 ticks = SDL_GetPerformanceFrequency();
    if (ticks == 0) return false;
    frequency = std::int64_t(ticks);
    return true;
}

bool queryPerformanceCounter(std::int64_t& count) {
    count = std::int64_t(SDL_GetPerformanceCounter());
    return true;
}

void sleep(unsigned milliseconds) { SDL_Delay(milliseconds); }

}  // namespace platform
