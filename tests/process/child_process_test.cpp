// Work run apart in a bound child: how its end is told, and that it never outlives its
// parent, whether the parent is killed with SIGKILL or stops watching it.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "process/child_process.h"
#include "tests/support/process_tree.h"

namespace {

using namespace std::chrono_literals;
using testsupport::stillRunningAfter;

// Reads to the end of the stream before the deadline: whole when the child sent "done".
Collected collectDone(int fromChild, double seconds) {
    std::string bytes;
    const ChildDeadline deadline = deadlineAfter(seconds);
    for (char buffer[64];;) {
        bool late = false;
        const long got = readBefore(fromChild, buffer, sizeof buffer, deadline, late);
        if (late) return Collected::late;
        if (got <= 0) break;
        bytes.append(buffer, std::size_t(got));
    }
    return bytes == "done" ? Collected::whole : Collected::broken;
}

[[noreturn]] void hang() {
    for (;;) pause();
}

[[noreturn]] void spin() {
    volatile unsigned long turns = 0;
    for (;;) turns = turns + 1;
}

TEST(ChildProcessTest, TheEndOfTheRunIsTheChildsOwn) {
    const struct {
        const char* what;
        std::function<int(int)> work;
        ChildEnd::Kind kind;
        int signal, exitStatus;
    } cases[] = {
        {"its whole output and status 0", [](int toParent) { return writeAll(toParent, "done", 4) ? 0 : 1; },
         ChildEnd::finished, 0, 0},
        {"its whole output but status 2", [](int toParent) { return writeAll(toParent, "done", 4) ? 2 : 1; },
         ChildEnd::exited, 0, 2},
        {"status 3 and no output", [](int) { return 3; }, ChildEnd::exited, 0, 3},
        {"an abort", [](int) -> int { std::abort(); }, ChildEnd::signalled, SIGABRT, 0},
        {"a hang, past the deadline", [](int) -> int { hang(); }, ChildEnd::timedOut, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ChildEnd end = runApart(c.work, [](int fromChild) { return collectDone(fromChild, 0.5); }, 10);
        EXPECT_EQ(end.kind, c.kind);
        EXPECT_EQ(end.signal, c.signal);
        EXPECT_EQ(end.exitStatus, c.exitStatus);
    }
}

// A parent of our own that runs `work` apart with `cpuSeconds` and waits a minute for it; the
// child's id comes back through `report`. Its exit status is the signal that ended the child.
pid_t startParent(int (&report)[2], void (*work)(), double cpuSeconds) {
    const pid_t parent = fork();
    if (parent != 0) return parent;
    close(report[0]);
    const ChildEnd end = runApart(
        [&](int) {
            const pid_t me = getpid();
            writeAll(report[1], &me, sizeof me);
            work();
            return 0;
        },
        [](int fromChild) { return collectDone(fromChild, 60); }, cpuSeconds);
    _exit(end.kind == ChildEnd::signalled ? end.signal : 0);
}

pid_t childReported(int (&report)[2]) {
    close(report[1]);
    pid_t child = -1;
    if (!readAll(report[0], &child, sizeof child, deadlineAfter(10))) child = -1;
    close(report[0]);
    return child;
}

TEST(ChildProcessTest, AChildGoesWithItsParentKilledBySigkill) {
    const struct {
        const char* what;
        void (*work)();
    } cases[] = {{"a child waiting", hang}, {"a child at full speed", spin}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int report[2];
        ASSERT_EQ(pipe(report), 0);
        const pid_t parent = startParent(report, c.work, 60);
        const pid_t child = childReported(report);
        ASSERT_GT(child, 0);
        ASSERT_TRUE(testsupport::isRunning(child));
        testsupport::killAndReap(parent);
        EXPECT_TRUE(stillRunningAfter({child}, 1s).empty()) << "the child outlived its parent";
    }
}

TEST(ChildProcessTest, AChildWhoseParentStopsWatchingEndsAtItsProcessorLimit) {
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t parent = startParent(report, spin, 1);
    const pid_t child = childReported(report);
    ASSERT_GT(child, 0);
    // Stopped, the parent would never end the child: its own limit does.
    kill(parent, SIGSTOP);
    const bool ended = stillRunningAfter({child}, 20s).empty();
    kill(parent, SIGCONT);
    int status = 0;
    waitpid(parent, &status, 0);
    EXPECT_TRUE(ended);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), SIGXCPU);
}

}  // namespace
