// The host's clock and sleep, on SDL's high-resolution counter.
#include <SDL.h>

#include "platform/host.h"

namespace platform::host {

bool clockFrequency(std::int64_t& ticksPerSecond) {
    ticksPerSecond = std::int64_t(SDL_GetPerformanceFrequency());
    return ticksPerSecond != 0;
}

bool clockNow(std::int64_t& ticks) {
    ticks = std::int64_t(SDL_GetPerformanceCounter());
    return true;
}

void sleep(unsigned milliseconds) { SDL_Delay(milliseconds); }

}  // namespace platform::host
