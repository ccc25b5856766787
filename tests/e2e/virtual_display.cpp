// Xvfb started with -displayfd: it listens on the first free display number and writes that
// number to a pipe once clients can connect, so no lock file has to be guessed at.
#include "virtual_display.h"

#include <poll.h>
#include <unistd.h>

namespace e2e {
namespace {

// The display number Xvfb writes to the pipe, or an empty text on timeout or early exit.
std::string readDisplayNumber(int descriptor, Milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string number;
    for (;;) {
        const auto left = std::chrono::duration_cast<Milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return "";
        pollfd entry{descriptor, POLLIN, 0};
        if (poll(&entry, 1, int(left.count())) <= 0) continue;
        char c = 0;
        if (read(descriptor, &c, 1) != 1) return "";  // the server went away
        if (c == '\n') return number;
        number += c;
    }
}

}  // namespace

// -noreset: an X server that resets when its last client leaves drops any client connecting
// during the reset, as the program does right after its start question closes.
bool VirtualDisplay::start(int width, int height, Milliseconds timeout) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    const std::string screen =
        std::to_string(width) + "x" + std::to_string(height) + "x24";
    const bool spawned = server_.start(
        {XVFB_PROGRAM, "-displayfd", std::to_string(pipeEnds[1]), "-screen", "0", screen,
         "-nolisten", "tcp", "-noreset", "-r"},
        SpawnOptions{environmentWith({}), "", "", {pipeEnds[0]}});
    close(pipeEnds[1]);
    const std::string number = spawned ? readDisplayNumber(pipeEnds[0], timeout) : "";
    close(pipeEnds[0]);
    if (number.empty()) {
        server_.stop();
        return false;
    }
    name_ = ":" + number;
    return true;
}

void VirtualDisplay::stop() {
    server_.stop(Milliseconds(2000));
    name_.clear();
}

std::vector<std::string> VirtualDisplay::environment(
    const std::vector<std::string>& overrides) const {
    // Each test says for itself which extensions Mesa hides; none by default.
    std::vector<std::string> entries{"DISPLAY=" + name_, "SDL_VIDEODRIVER=x11",
                                     "LIBGL_ALWAYS_SOFTWARE=1", "MESA_EXTENSION_OVERRIDE="};
    entries.insert(entries.end(), overrides.begin(), overrides.end());
    std::vector<std::string> merged;
    // Later entries win over earlier ones of the same name.
    for (const std::string& entry : entries) {
        const std::string name = entry.substr(0, entry.find('='));
        std::erase_if(merged, [&](const std::string& kept) {
            return kept.substr(0, kept.find('=')) == name;
        });
        merged.push_back(entry);
    }
    return environmentWith(merged);
}

}  // namespace e2e
