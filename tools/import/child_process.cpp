// The child writes one byte per step done, then 'R', the result's length in 8 bytes and the
// result, and ends with _exit: nothing of the parent's buffered output is written twice.
#include "tools/import/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>

namespace vornimport {

namespace {

constexpr char stepMark = 'S';
constexpr char resultMark = 'R';

bool writeAll(int pipe, const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(pipe, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Assimp prints its own assertion text before it aborts; the parent says what happened in one
// line, so the child's standard streams go nowhere.
void silenceStandardStreams() {
    const int nowhere = ::open("/dev/null", O_WRONLY);
    if (nowhere < 0) return;
    ::dup2(nowhere, STDOUT_FILENO);
    ::dup2(nowhere, STDERR_FILENO);
    ::close(nowhere);
}

[[noreturn]] void runChild(const std::function<std::string(ChildProgress&)>& work, int pipe) {
    silenceStandardStreams();
    ChildProgress progress(pipe);
    std::string message(1, resultMark);
    putSizedField(message, work(progress));
    const bool sent = writeAll(pipe, message.data(), message.size());
    ::_exit(sent ? 0 : 3);
}

// The steps and the result in what the child wrote; false when the result is not whole.
bool parseChildBytes(const std::string& bytes, ChildOutcome& outcome) {
    std::size_t at = 0;
    while (at < bytes.size() && bytes[at] == stepMark) ++at, ++outcome.stepsDone;
    if (at == bytes.size() || bytes[at] != resultMark) return false;
    std::string_view rest = std::string_view(bytes).substr(at + 1);
    return takeSizedField(rest, outcome.result) && rest.empty();
}

}  // namespace

void putSizedField(std::string& out, std::string_view field) {
    const std::uint64_t size = field.size();
    for (int i = 0; i < 8; ++i) out += static_cast<char>(size >> (8 * i));
    out += field;
}

bool takeSizedField(std::string_view& in, std::string& field) {
    if (in.size() < 8) return false;
    std::uint64_t size = 0;
    for (int i = 0; i < 8; ++i) size |= std::uint64_t(static_cast<unsigned char>(in[i])) << (8 * i);
    if (in.size() - 8 < size) return false;
    field.assign(in.substr(8, size));
    in.remove_prefix(8 + size);
    return true;
}

void ChildProgress::stepDone() { writeAll(pipe_, &stepMark, 1); }

ChildOutcome runInChild(const std::function<std::string(ChildProgress&)>& work, double seconds) {
    ChildOutcome outcome;
    int ends[2];
    if (::pipe(ends) != 0) {
        outcome.kind = ChildOutcome::notStarted;
        return outcome;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(ends[0]);
        ::close(ends[1]);
        outcome.kind = ChildOutcome::notStarted;
        return outcome;
    }
    if (child == 0) {
        ::close(ends[0]);
        runChild(work, ends[1]);
    }
    ::close(ends[1]);

    std::string bytes;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                               std::chrono::duration<double>(seconds));
    bool late = false;
    for (char buffer[65536];;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            late = true;
            break;
        }
        pollfd wait{ends[0], POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(std::min<long long>(left.count() + 1, 1 << 30)));
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) continue;
        const ssize_t got = ::read(ends[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(ends[0]);
    if (late) ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    const bool whole = parseChildBytes(bytes, outcome);
    if (late) {
        outcome.kind = ChildOutcome::timedOut;
    } else if (WIFSIGNALED(status)) {
        outcome.kind = ChildOutcome::signalled;
        outcome.signal = WTERMSIG(status);
    } else if (whole && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        outcome.kind = ChildOutcome::finished;
    } else {
        outcome.kind = ChildOutcome::exited;
        outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (outcome.kind != ChildOutcome::finished) outcome.result.clear();
    return outcome;
}

}  // namespace vornimport
