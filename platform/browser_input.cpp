// The browser host's input events, collected by the page (platform keys by KeyboardEvent.code,
// the canvas's mouse, the page hidden or seen), its clock (performance.now()) and its sleep.
#include <emscripten.h>

#include "platform/host.h"

namespace platform::host {
namespace {

constexpr int eventFields = 12;

// The oldest event the page holds, into the fields; false when it holds none.
EM_JS(int, pageNextEvent, (int* fields), {
    const event = window.vornPage.events.shift();
    if (!event) return 0;
    const values = [event.kind, event.window, event.vk, event.down, event.alt, event.x, event.y,
                    event.held, event.steps, event.minimised, event.width, event.height];
    for (let i = 0; i < values.length; ++i) HEAP32[(fields >> 2) + i] = values[i];
    return 1;
});
EM_JS(int, pageHidden, (), { return document.hidden ? 1 : 0; });

}  // namespace

void readEvents(std::vector<Event>& into) {
    int fields[eventFields] = {};
    bool any = false;
    while (pageNextEvent(fields)) {
        Event event;
        event.kind = EventKind(fields[0]);
        event.window = Window(fields[1]);
        event.virtualKey = unsigned(fields[2]);
        event.down = fields[3] != 0;
        event.alt = fields[4] != 0;
        event.x = fields[5];
        event.y = fields[6];
        event.leftHeld = fields[7] != 0;
        event.wheelSteps = fields[8];
        event.minimised = fields[9] != 0;
        event.width = fields[10];
        event.height = fields[11];
        into.push_back(event);
        any = true;
    }
    // A hidden page draws no frames, and so never waits for one: without a pause here the
    // loop would keep the page's only thread and nothing, not even the page coming back into
    // view, could reach it.
    if (!any && pageHidden()) emscripten_sleep(100);
}

bool clockFrequency(std::int64_t& ticksPerSecond) {
    ticksPerSecond = 1000000;  // microseconds
    return true;
}

bool clockNow(std::int64_t& ticks) {
    ticks = std::int64_t(emscripten_get_now() * 1000.0);
    return true;
}

void sleep(unsigned milliseconds) { emscripten_sleep(milliseconds); }

}  // namespace platform::host
