// The program itself: the fullscreen question, the window, and the polling loop that handles
// one message or draws one frame per pass and reads the keys.
#pragma once

#include "app/shell_program.h"

// Runs the demo to its end and returns the process exit code.
int runDemo();

// The polling loop every program on the shell runs once its window is open, one pass at a
// time, so that a caller that owns the frame clock can drive it. A pass handles one message,
// or, with an empty queue and an active window, draws the program's frame and presents it;
// the program's keys follow every pass that took no message. Escape and the close button end
// it, the window closed; a false from the keys ends it at once with 0, the window left as it is
// (it could not be reopened).
class MainLoop {
public:
    explicit MainLoop(ShellProgram& program) : program(program) {}
    // One pass; false once the loop has ended.
    bool runOnePass();
    // The process exit code, once the loop has ended.
    int exitCode() const { return code; }

private:
    ShellProgram& program;
    bool ended = false;
    int code = 0;
};

// Runs the passes until the loop ends; the exit code.
int runMainLoop(ShellProgram& program);
