// Work run in a child process that cannot outlive the program that started it: the child is
// killed when its parent dies, however it dies, and has a processor-time limit of its own.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <functional>

using ChildDeadline = std::chrono::steady_clock::time_point;

// The deadline `seconds` from now; a huge number of seconds is as good as none.
ChildDeadline deadlineAfter(double seconds);

// Forks a child that gets SIGKILL when its parent ends and may use `cpuSeconds` of processor
// time (0: no limit): 0 in the child, its id in the parent, -1 when no child started. The
// parent's death reaches the child through the thread that forks it, so that thread must
// outlive the child: every caller here waits for its child before going on.
pid_t forkBoundChild(double cpuSeconds);
// From now on every child this process forks, whoever forks it (a library too: SDL2 shows its
// X11 message boxes from a child), gets SIGKILL when this process dies. Once is enough.
void bindEveryChildToThisProcess();
// In a child of forkBoundChild: lets it use `cpuSeconds` in all, once its work proves larger.
void allowChildCpu(double cpuSeconds);

// Writes all of `size` bytes; false when the other end has gone.
bool writeAll(int descriptor, const void* data, std::size_t size);
// Waits for bytes until the deadline and reads what has come, at most `size`: their count, 0
// at the end of the stream, -1 on an error or when the deadline passed first (`late` set).
long readBefore(int descriptor, void* data, std::size_t size, ChildDeadline deadline, bool& late);
// Reads exactly `size` bytes before the deadline; false on end of stream, error or deadline.
bool readAll(int descriptor, void* data, std::size_t size, ChildDeadline deadline);

// How a child run ended.
struct ChildEnd {
    enum Kind { finished, signalled, exited, timedOut, notStarted } kind = notStarted;
    int signal = 0;      // signalled: the signal that ended it
    int exitStatus = 0;  // exited: its status
};

// What the caller made of the child's output.
enum class Collected { whole, late, broken };

// Runs `work` in a bound child, given the write end of a pipe, and ends the child with the
// status it returns. `collect` reads the other end in the caller; a child whose output is
// late or broken is killed. Finished only when the output is whole and the child exits with 0.
ChildEnd runApart(const std::function<int(int toParent)>& work,
                  const std::function<Collected(int fromChild)>& collect, double cpuSeconds);
