// Running the import's work, which may crash, abort or hang in Assimp, in a child process
// bound to this one, against a deadline that grows with the input the work reads: only the
// bytes the work hands back reach the caller. POSIX only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vornimport {

// How long the work may take: `baseSeconds`, plus `secondsPerMegabyte` for every megabyte
// of input the work says it read, rounded to whole seconds; `baseSeconds` alone, as it is, when
// `secondsPerMegabyte` is 0.
struct ChildTime {
    double baseSeconds = 0;
    double secondsPerMegabyte = 0;

    double secondsFor(std::uint64_t inputBytes) const;
};

// What the child is given to tell the caller how far it got before it hands back its result.
class ChildProgress {
public:
    ChildProgress(int pipe, const ChildTime& time) : pipe_(pipe), time_(time) {}
    // Marks a step as done; the caller then knows that a later stop came after it.
    void stepDone();
    // Counts `bytes` more of input: the deadline, and the child's processor limit, grow.
    void inputRead(std::uint64_t bytes);

private:
    int pipe_;
    ChildTime time_;
    std::uint64_t inputBytes_ = 0;
};

struct ChildOutcome {
    enum Kind { finished, signalled, exited, timedOut, notStarted } kind = exited;
    int signal = 0;        // signalled: the signal that ended the child
    int exitStatus = 0;    // exited: the status of a child that ended without its result
    int stepsDone = 0;     // ChildProgress::stepDone calls that arrived
    double seconds = 0;    // the time it was given in the end
    std::string result;    // finished: what the work returned
};

// Sized fields, for work that hands back several pieces: the field's length in 8 bytes, least
// significant first, then its bytes. takeSizedField is false, `in` unchanged, when it is cut.
void putSizedField(std::string& out, std::string_view field);
bool takeSizedField(std::string_view& in, std::string& field);

// Runs `work` in a child process and waits for it as long as `time` allows, then kills it;
// `waiting` (when given) is called about once a second with the seconds waited so far. Only
// a child that returns from `work` and hands back the whole result has finished.
ChildOutcome runInChild(const std::function<std::string(ChildProgress&)>& work, const ChildTime& time,
                        const std::function<void(int secondsWaited)>& waiting = {});

}  // namespace vornimport
