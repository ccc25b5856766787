// Processes as the kernel lists them under /proc: a program started without a shell, its
// descendants, and whether a process still runs. Linux only.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

// Starts `arguments[0]` with the others in `workingFolder` (empty: this one), with these
// variables added to the environment and its standard streams on /dev/null; its id, or -1.
pid_t startProgram(const std::vector<std::string>& arguments, const std::string& workingFolder = "",
                   const std::map<std::string, std::string>& environment = {});
// Every process below `ancestor`: its children, their children, and so on.
std::vector<pid_t> descendantsOf(pid_t ancestor);
// Waits up to `patience` for `ancestor` to have at least `count` descendants; they, or what
// there are by then.
std::vector<pid_t> waitForDescendants(pid_t ancestor, std::size_t count, std::chrono::milliseconds patience);
// Whether the process runs: it exists and is not a zombie waiting to be reaped.
bool isRunning(pid_t process);
// The processes of `processes` still running after `patience`, or as soon as none is; those
// are then killed, so that a failing test leaves nothing behind.
std::vector<pid_t> stillRunningAfter(const std::vector<pid_t>& processes, std::chrono::milliseconds patience);
// Kills the program with SIGKILL and reaps it.
void killAndReap(pid_t program);

}  // namespace testsupport
