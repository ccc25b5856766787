// Processes the end-to-end tests start (the program, Xvfb, the X tools), each with its own
// environment, working directory and output file; it owns the child and kills it at the end.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using Milliseconds = std::chrono::milliseconds;

// This process's environment with the NAME=value entries given put over it.
std::vector<std::string> environmentWith(const std::vector<std::string>& overrides);

struct SpawnOptions {
    std::vector<std::string> environment;  // NAME=value entries; the whole environment
    std::string workingDirectory;          // empty: this process's own
    std::string outputPath;                // stdout and stderr go there; empty: /dev/null
    std::vector<int> closedInChild;        // descriptors the child must not inherit
};

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    bool start(const std::vector<std::string>& arguments, const SpawnOptions& options);
    bool started() const { return pid_ > 0; }
    // The process's id while it is ours, else -1.
    pid_t pid() const { return pid_; }
    bool running();
    // The exit code (128 + signal number after a signal); nothing when still running then.
    std::optional<int> waitForExit(Milliseconds timeout);
    // Whether the child's main thread waits in nanosleep or clock_nanosleep; nothing when the
    // system does not show it (no /proc, or not allowed to look).
    std::optional<bool> inTimedSleep() const;
    // SIGTERM, then SIGKILL if it outlives the grace time; always reaped.
    void stop(Milliseconds grace = Milliseconds(0));

private:
    bool reap(bool block);

    pid_t pid_ = -1;
    std::optional<int> exitCode_;
};

// Runs a tool to its end; false when it cannot start, fails, or outlives the timeout.
bool runTool(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
             Milliseconds timeout, const std::string& outputPath = "");

}  // namespace e2e
