// The program's end told to the page: its main returns into a page that goes on, and an
// allocation that finds the page's memory at its cap ends the program with a message.
#include "platform/browser_page.h"

#include <emscripten.h>
#include <emscripten/heap.h>

#include <cstdlib>
#include <new>

namespace platform::browser {
namespace {

EM_JS(void, pageProgramEnded, (int code), { window.vornPage.programEnded(code); });
EM_JS(void, pageMemoryExhausted, (int capMegabytes, int code), {
    window.vornPage.memoryExhausted(capMegabytes, code);
});

constexpr int kMemoryExhaustedExitCode = 3;

// Without exceptions a failed new has nothing to unwind to: the page shows why the program
// stopped, and the exit unwinds the program's stack instead of aborting the runtime.
void endOnExhaustedMemory() {
    pageMemoryExhausted(int(emscripten_get_heap_max() >> 20), kMemoryExhaustedExitCode);
    emscripten_force_exit(kMemoryExhaustedExitCode);
    std::abort();
}

}  // namespace

void tellPageProgramEnded(int exitCode) { pageProgramEnded(exitCode); }

void endProgramWhenMemoryRunsOut() { std::set_new_handler(endOnExhaustedMemory); }

}  // namespace platform::browser
