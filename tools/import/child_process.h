// Running work that may crash, abort or hang in a child process of its own, with a deadline:
// only the bytes the work hands back reach the caller. POSIX only (fork, pipe, poll).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vornimport {

// What the child is given to tell the caller how far it got before it hands back its result.
class ChildProgress {
public:
    explicit ChildProgress(int pipe) : pipe_(pipe) {}
    // Marks a step as done; the caller then knows that a later stop came after it.
    void stepDone();

private:
    int pipe_;
};

struct ChildOutcome {
    enum Kind { finished, signalled, exited, timedOut, notStarted } kind = exited;
    int signal = 0;      // signalled: the signal that ended the child
    int exitStatus = 0;  // exited: the status of a child that ended without its result
    int stepsDone = 0;   // ChildProgress::stepDone calls that arrived
    std::string result;  // finished: what the work returned
};

// Sized fields, for work that hands back several pieces: the field's length in 8 bytes, least
// significant first, then its bytes. takeSizedField is false, `in` unchanged, when it is cut.
void putSizedField(std::string& out, std::string_view field);
bool takeSizedField(std::string_view& in, std::string& field);

// Runs `work` in a child process and waits for it at most `seconds`, then kills it. Only a
// child that returns from `work` and hands back the whole result has finished.
ChildOutcome runInChild(const std::function<std::string(ChildProgress&)>& work, double seconds);

}  // namespace vornimport
