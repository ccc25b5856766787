// The parent's death reaches the child through PR_SET_PDEATHSIG; a parent that died between
// fork and prctl is caught by comparing getppid with the parent's id. RLIMIT_CPU is the
// backstop for a parent that lives but stops watching (stopped, or stuck itself).
#include "process/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace {

// Whole seconds, rounded up, and at least one: RLIMIT_CPU counts whole seconds.
rlim_t cpuLimitOf(double seconds) {
    if (!(seconds < 1e9)) return RLIM_INFINITY;
    return rlim_t(std::max(1.0, std::ceil(seconds)));
}

// The soft limit only: past it the kernel sends SIGXCPU, which ends the child (none of our
// children handles it), and the hard limit stays open so that the child may be allowed more.
void limitCpu(double seconds) {
    const rlimit limit{cpuLimitOf(seconds), RLIM_INFINITY};
    setrlimit(RLIMIT_CPU, &limit);
}

// The child's half of binding a child to its parent: asks for the parent's death, then makes
// sure the parent did not die before the asking.
void dieWithParent(pid_t parent) {
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) _exit(127);
}

// The process that forks, kept by pthread_atfork's first handler for its third, in the child.
pid_t forkingProcess = -1;

}  // namespace

void bindEveryChildToThisProcess() {
    static const bool bound = pthread_atfork([] { forkingProcess = getpid(); }, nullptr,
                                             [] { dieWithParent(forkingProcess); }) == 0;
    (void)bound;
}

ChildDeadline deadlineAfter(double seconds) {
    const double capped = std::min(seconds, 1e9);
    return std::chrono::steady_clock::now() +
           std::chrono::duration_cast<std::chrono::steady_clock::duration>(
               std::chrono::duration<double>(capped));
}

pid_t forkBoundChild(double cpuSeconds) {
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child != 0) return child;
    dieWithParent(parent);
    if (cpuSeconds > 0) limitCpu(cpuSeconds);
    // A child ended by its limit leaves no core file behind.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    return 0;
}

void allowChildCpu(double cpuSeconds) { limitCpu(cpuSeconds); }

bool writeAll(int descriptor, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t written = write(descriptor, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        size -= std::size_t(written);
    }
    return true;
}

long readBefore(int descriptor, void* data, std::size_t size, ChildDeadline deadline, bool& late) {
    late = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            late = true;
            return -1;
        }
        pollfd waiting{descriptor, POLLIN, 0};
        const int ready = poll(&waiting, 1, int(std::min<long long>(left.count() + 1, 1 << 30)));
        if (ready < 0 && errno != EINTR) return -1;
        if (ready <= 0) continue;
        const ssize_t got = read(descriptor, data, size);
        if (got < 0 && errno == EINTR) continue;
        return long(got);
    }
}

bool readAll(int descriptor, void* data, std::size_t size, ChildDeadline deadline) {
    auto* bytes = static_cast<unsigned char*>(data);
    while (size > 0) {
        bool late = false;
        const long got = readBefore(descriptor, bytes, size, deadline, late);
        if (got <= 0) return false;
        bytes += got;
        size -= std::size_t(got);
    }
    return true;
}

ChildEnd runApart(const std::function<int(int toParent)>& work,
                  const std::function<Collected(int fromChild)>& collect, double cpuSeconds) {
    ChildEnd end;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return end;
    const pid_t child = forkBoundChild(cpuSeconds);
    if (child == 0) {
        close(ends[0]);
        // _exit: none of the parent's exit handlers or buffered output run twice.
        _exit(work(ends[1]));
    }
    close(ends[1]);
    if (child < 0) {
        close(ends[0]);
        return end;
    }
    const Collected collected = collect(ends[0]);
    close(ends[0]);
    // A child that has not handed over a whole output by now is stuck or lying: it goes.
    if (collected != Collected::whole) kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (collected == Collected::late) {
        end.kind = ChildEnd::timedOut;
    } else if (WIFSIGNALED(status)) {
        end.kind = ChildEnd::signalled;
        end.signal = WTERMSIG(status);
    } else if (collected == Collected::whole && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        end.kind = ChildEnd::finished;
    } else {
        end.kind = ChildEnd::exited;
        end.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return end;
}
