// A program on the shell: what it does in each new rendering context, in each frame and after
// each frame. The shell's window and loop code call it; the program owns its own state.
#pragma once

class ShellProgram {
public:
    virtual ~ShellProgram() = default;
    // With the new context current, once the GL state is set: fonts, engine, the scene.
    virtual void start() = 0;
    // One frame, into the back buffer; the loop presents it.
    virtual void frame() = 0;
    // After the frame of an idle pass: the keys held. False when the program cannot go on
    // (a window it reopened could not be made): the loop then ends at once with 0.
    virtual bool keys() = 0;
};
