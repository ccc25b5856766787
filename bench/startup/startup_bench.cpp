// Start-up cost: from launching the demo to its first presented frame, beside the same for a
// bare SDL2 OpenGL window, launched in turn. Both run with the first-frame marker preloaded, which answers the
// start question and ends each program right after its first frame. Needs a display; run from
// the repository root, where scene/ is.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Seconds from the launch to the marker's byte; negative when the program gave no frame.
double secondsToFirstFrame(const char* program) {
    int ends[2];
    if (pipe(ends) != 0) return -1;
    std::vector<std::string> settings{"LD_PRELOAD=" FIRST_FRAME_MARKER,
                                      "VORN_FIRST_FRAME_FD=" + std::to_string(ends[1])};
    for (char** variable = environ; *variable != nullptr; ++variable)
        if (std::string(*variable).rfind("LD_PRELOAD=", 0) != 0) settings.emplace_back(*variable);
    std::vector<char*> environment;
    for (std::string& setting : settings) environment.push_back(setting.data());
    environment.push_back(nullptr);
    char* arguments[] = {const_cast<char*>(program), nullptr};

    const auto launched = std::chrono::steady_clock::now();
    pid_t child = 0;
    const bool spawned =
        posix_spawn(&child, program, nullptr, nullptr, arguments, environment.data()) == 0;
    close(ends[1]);
    char marker = 0;
    pollfd waiting{ends[0], POLLIN, 0};
    const bool marked = spawned && poll(&waiting, 1, 20000) == 1 && read(ends[0], &marker, 1) == 1;
    const auto presented = std::chrono::steady_clock::now();
    close(ends[0]);
    if (spawned) {
        if (!marked) kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    return marked ? std::chrono::duration<double>(presented - launched).count() : -1;
}

// Each iteration launches the bare window, then the demo, so that both see the same load on
// the machine; the time is the demo's, the counters the bare window's and the ratio.
// VORN_STARTUP_DEMO names another build of the demo to measure, an older one say.
void BM_DemoFirstFrameAgainstBareWindow(benchmark::State& state) {
    const char* other = std::getenv("VORN_STARTUP_DEMO");
    const char* demoProgram = other != nullptr ? other : DEMO_PROGRAM;
    double demoSeconds = 0, bareSeconds = 0;
    for (auto _ : state) {
        const double bare = secondsToFirstFrame(BARE_WINDOW_PROGRAM);
        const double demo = secondsToFirstFrame(demoProgram);
        if (bare < 0 || demo < 0) {
            state.SkipWithError(bare < 0 ? "no frame from the bare window" : "no frame from the demo");
            break;
        }
        state.SetIterationTime(demo);
        demoSeconds += demo;
        bareSeconds += bare;
    }
    if (bareSeconds <= 0) return;
    state.counters["bare_ms"] = 1000 * bareSeconds / double(state.iterations());
    state.counters["demo/bare"] = demoSeconds / bareSeconds;
}

BENCHMARK(BM_DemoFirstFrameAgainstBareWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(8);

}  // namespace

BENCHMARK_MAIN();
