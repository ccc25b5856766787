// The demo as a program on the shell: its scene file, its frame with the turning cubes and
// the overlay, and its keys (display mode, view, effect switches).
#pragma once

#include "app/shell_program.h"

class DemoProgram : public ShellProgram {
public:
    explicit DemoProgram(const char* sceneFile) : sceneFile(sceneFile) {}
    void start() override;
    void frame() override;
    bool keys() override;

private:
    const char* sceneFile;
};
