// /proc/PID/stat: "PID (NAME) STATE PPID ...", NAME possibly holding spaces and parentheses,
// so the fields are read after the last ')'.
#include "tests/support/process_tree.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace testsupport {

namespace {

struct ProcessStatus {
    char state = '?';
    pid_t parent = -1;
};

bool statusOf(pid_t process, ProcessStatus& status) {
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return false;
    const std::size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos) return false;
    std::istringstream fields(line.substr(nameEnd + 1));
    return bool(fields >> status.state >> status.parent);
}

}  // namespace

pid_t startProgram(const std::vector<std::string>& arguments, const std::string& workingFolder,
                   const std::map<std::string, std::string>& environment) {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text = *variable;
        if (!environment.count(text.substr(0, text.find('=')))) variables.push_back(text);
    }
    for (const auto& [name, value] : environment) variables.push_back(name + "=" + value);
    std::vector<char*> argv, envp;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    for (const std::string& variable : variables) envp.push_back(const_cast<char*>(variable.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        posix_spawn_file_actions_addopen(&actions, stream, "/dev/null", stream == STDIN_FILENO ? O_RDONLY : O_WRONLY, 0);
    if (!workingFolder.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    pid_t program = -1;
    const int failed = posix_spawn(&program, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? program : -1;
}

std::vector<pid_t> descendantsOf(pid_t ancestor) {
    std::map<pid_t, std::vector<pid_t>> children;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        ProcessStatus status;
        const pid_t process = std::atoi(name.c_str());
        if (statusOf(process, status)) children[status.parent].push_back(process);
    }
    std::vector<pid_t> found{ancestor};
    for (std::size_t at = 0; at < found.size(); ++at)
        for (pid_t child : children[found[at]]) found.push_back(child);
    found.erase(found.begin());
    return found;
}

std::vector<pid_t> waitForDescendants(pid_t ancestor, std::size_t count, std::chrono::milliseconds patience) {
    const auto end = std::chrono::steady_clock::now() + patience;
    std::vector<pid_t> found = descendantsOf(ancestor);
    while (found.size() < count && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        found = descendantsOf(ancestor);
    }
    return found;
}

bool isRunning(pid_t process) {
    ProcessStatus status;
    return statusOf(process, status) && status.state != 'Z' && status.state != 'X';
}

std::vector<pid_t> stillRunningAfter(const std::vector<pid_t>& processes, std::chrono::milliseconds patience) {
    const auto end = std::chrono::steady_clock::now() + patience;
    for (;;) {
        std::vector<pid_t> running;
        for (pid_t process : processes)
            if (isRunning(process)) running.push_back(process);
        if (running.empty()) return running;
        if (std::chrono::steady_clock::now() >= end) {
            for (pid_t process : running) kill(process, SIGKILL);
            return running;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void killAndReap(pid_t program) {
    kill(program, SIGKILL);
    while (waitpid(program, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace testsupport
