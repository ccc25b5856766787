// The program itself: the fullscreen question, the window, and the polling loop that handles
// one message or draws one frame per pass and reads the keys.
#pragma once

// Runs the demo to its end and returns the process exit code.
int runDemo();

// The polling loop every program on the shell runs once its window is open: a message per
// pass, or, with an empty queue and an active window, `drawOneFrame`, the swap and then
// `afterFrame` (the keys). Escape and the close button end it, the window closed; a false from
// `afterFrame` ends it at once with 0, the window left as it is (it could not be reopened).
int runMainLoop(bool (*drawOneFrame)(), bool (*afterFrame)());
