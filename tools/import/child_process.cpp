// The child writes one byte per step done, 'I' and a count of 8 bytes per input read, then
// 'R', the result's length in 8 bytes and the result. The parent reads the marks as they come,
// moving its deadline with the input, and the result once the child has closed its end.
#include "tools/import/child_process.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "process/child_process.h"

namespace vornimport {

namespace {

constexpr char stepMark = 'S';
constexpr char inputMark = 'I';
constexpr char resultMark = 'R';

void putCount(std::string& out, std::uint64_t count) {
    for (int i = 0; i < 8; ++i) out += static_cast<char>(count >> (8 * i));
}

std::uint64_t countAt(std::string_view bytes) {
    std::uint64_t count = 0;
    for (int i = 0; i < 8; ++i) count |= std::uint64_t(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return count;
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

int runChild(const std::function<std::string(ChildProgress&)>& work, const ChildTime& time, int pipe) {
    silenceStandardStreams();
    ChildProgress progress(pipe, time);
    std::string message(1, resultMark);
    putSizedField(message, work(progress));
    return writeAll(pipe, message.data(), message.size()) ? 0 : 3;
}

// The parent's reading of the child's bytes: the marks as they come, then the result.
class ChildReading {
public:
    ChildReading(const ChildTime& time, const std::function<void(int)>& waiting)
        : time_(time), waiting_(waiting), start_(std::chrono::steady_clock::now()) {}

    Collected collect(int fromChild, ChildOutcome& outcome) {
        outcome.seconds = time_.secondsFor(0);
        for (char buffer[65536];;) {
            const auto deadline = start_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                               std::chrono::duration<double>(outcome.seconds));
            const auto nextTick = start_ + std::chrono::seconds(ticks_ + 1);
            bool late = false;
            const long got = readBefore(fromChild, buffer, sizeof buffer, std::min(deadline, nextTick), late);
            if (late && nextTick < deadline) {
                ++ticks_;
                if (waiting_) waiting_(ticks_);
                continue;
            }
            if (late) return Collected::late;
            if (got <= 0) break;
            bytes_.append(buffer, static_cast<std::size_t>(got));
            readMarks(outcome);
        }
        return wholeResult(outcome) ? Collected::whole : Collected::broken;
    }

private:
    void readMarks(ChildOutcome& outcome) {
        while (at_ < bytes_.size() && bytes_[at_] != resultMark) {
            if (bytes_[at_] == stepMark) {
                ++outcome.stepsDone, ++at_;
            } else if (bytes_[at_] == inputMark && bytes_.size() - at_ >= 9) {
                inputBytes_ += countAt(std::string_view(bytes_).substr(at_ + 1, 8));
                outcome.seconds = time_.secondsFor(inputBytes_);
                at_ += 9;
            } else {
                return;  // a count not whole yet, or nonsense that the result check refuses
            }
        }
    }

    bool wholeResult(ChildOutcome& outcome) const {
        if (at_ == bytes_.size() || bytes_[at_] != resultMark) return false;
        std::string_view rest = std::string_view(bytes_).substr(at_ + 1);
        return takeSizedField(rest, outcome.result) && rest.empty();
    }

    ChildTime time_;
    const std::function<void(int)>& waiting_;
    std::chrono::steady_clock::time_point start_;
    int ticks_ = 0;
    std::string bytes_;
    std::size_t at_ = 0;
    std::uint64_t inputBytes_ = 0;
};

}  // namespace

double ChildTime::secondsFor(std::uint64_t inputBytes) const {
    if (secondsPerMegabyte <= 0) return baseSeconds;
    return std::round(baseSeconds + secondsPerMegabyte * double(inputBytes) / double(1 << 20));
}

void ChildProgress::stepDone() { writeAll(pipe_, &stepMark, 1); }

void ChildProgress::inputRead(std::uint64_t bytes) {
    if (time_.secondsPerMegabyte <= 0 || bytes == 0) return;
    inputBytes_ += bytes;
    // A second more than the parent waits: the parent's deadline comes first while it watches.
    allowChildCpu(time_.secondsFor(inputBytes_) + 1);
    std::string mark(1, inputMark);
    putCount(mark, bytes);
    writeAll(pipe_, mark.data(), mark.size());
}

void putSizedField(std::string& out, std::string_view field) {
    putCount(out, field.size());
    out += field;
}

bool takeSizedField(std::string_view& in, std::string& field) {
    if (in.size() < 8) return false;
    const std::uint64_t size = countAt(in);
    if (in.size() - 8 < size) return false;
    field.assign(in.substr(8, size));
    in.remove_prefix(8 + size);
    return true;
}

ChildOutcome runInChild(const std::function<std::string(ChildProgress&)>& work, const ChildTime& time,
                        const std::function<void(int secondsWaited)>& waiting) {
    ChildOutcome outcome;
    ChildReading reading(time, waiting);
    const ChildEnd end = runApart([&](int toParent) { return runChild(work, time, toParent); },
                                  [&](int fromChild) { return reading.collect(fromChild, outcome); },
                                  time.secondsFor(0) + 1);
    switch (end.kind) {
        case ChildEnd::finished: outcome.kind = ChildOutcome::finished; break;
        case ChildEnd::signalled: outcome.kind = ChildOutcome::signalled; break;
        case ChildEnd::exited: outcome.kind = ChildOutcome::exited; break;
        case ChildEnd::timedOut: outcome.kind = ChildOutcome::timedOut; break;
        case ChildEnd::notStarted: outcome.kind = ChildOutcome::notStarted; break;
    }
    outcome.signal = end.signal;
    outcome.exitStatus = end.exitStatus;
    if (outcome.kind != ChildOutcome::finished) outcome.result.clear();
    return outcome;
}

}  // namespace vornimport
