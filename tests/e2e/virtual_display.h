// A private Xvfb screen of a chosen size for one test; it owns the server process and stops it
// when the test ends. The server picks a free display number itself, so parallel runs never meet.
#pragma once

#include <string>

#include "child_process.h"

namespace e2e {

class VirtualDisplay {
public:
    // Starts Xvfb with a 24-bit screen and keyboard auto-repeat off (a held key gives one press).
    bool start(int width, int height, Milliseconds timeout);
    void stop();
    const std::string& name() const { return name_; }  // ":N"
    // The environment for a program drawn on this screen, with the overrides given.
    std::vector<std::string> environment(const std::vector<std::string>& overrides = {}) const;

private:
    ChildProcess server_;
    std::string name_;
};

}  // namespace e2e
