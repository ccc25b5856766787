// Child processes through posix_spawn; every wait polls against a deadline, so a child that
// hangs costs a timeout and never the test run.
#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <thread>

extern char** environ;

namespace e2e {
namespace {

constexpr Milliseconds pollInterval(10);

std::string nameOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }

std::vector<char*> pointersTo(const std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (const std::string& text : texts) pointers.push_back(const_cast<char*>(text.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

std::vector<std::string> environmentWith(const std::vector<std::string>& overrides) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        bool replaced = false;
        for (const std::string& override : overrides)
            replaced = replaced || nameOf(override) == nameOf(text);
        if (!replaced) result.push_back(text);
    }
    result.insert(result.end(), overrides.begin(), overrides.end());
    return result;
}

ChildProcess::~ChildProcess() { stop(); }

bool ChildProcess::start(const std::vector<std::string>& arguments, const SpawnOptions& options) {
    if (started() || arguments.empty()) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const std::string output = options.outputPath.empty() ? "/dev/null" : options.outputPath;
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    for (int descriptor : options.closedInChild)
        posix_spawn_file_actions_addclose(&actions, descriptor);
    if (!options.workingDirectory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, options.workingDirectory.c_str());

    // A group of its own, so that stopping it also stops what it started: SDL shows each message
    // box from a forked child, which would outlive a killed program.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    std::vector<char*> argv = pointersTo(arguments);
    std::vector<char*> envp = pointersTo(options.environment);
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return false;
    pid_ = pid;
    exitCode_.reset();
    return true;
}

bool ChildProcess::reap(bool block) {
    if (!started()) return true;
    int status = 0;
    const pid_t result = waitpid(pid_, &status, block ? 0 : WNOHANG);
    if (result == 0) return false;
    if (result == pid_)
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid_ = -1;  // reaped, or not ours any more
    return true;
}

bool ChildProcess::running() { return started() && !reap(false); }

std::optional<int> ChildProcess::waitForExit(Milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (running()) {
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(pollInterval);
    }
    return exitCode_;
}

std::optional<bool> ChildProcess::inTimedSleep() const {
    if (!started()) return false;
    // The first field is the number of the system call the thread is blocked in, or "running".
    std::ifstream in("/proc/" + std::to_string(pid_) + "/syscall");
    std::string first;
    if (!(in >> first)) return std::nullopt;
    return first == std::to_string(SYS_nanosleep) || first == std::to_string(SYS_clock_nanosleep);
}

void ChildProcess::stop(Milliseconds grace) {
    if (!started()) return;
    // Until the child is reaped its group id cannot go to anyone else.
    if (grace.count() > 0 && running()) {
        kill(-pid_, SIGTERM);
        waitForExit(grace);
    }
    if (!started()) return;
    kill(-pid_, SIGKILL);
    reap(true);
}

bool runTool(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
             Milliseconds timeout, const std::string& outputPath) {
    ChildProcess tool;
    if (!tool.start(arguments, SpawnOptions{environment, "", outputPath, {}})) return false;
    const std::optional<int> code = tool.waitForExit(timeout);
    return code && *code == 0;  // a tool still running is killed by its destructor
}

}  // namespace e2e
