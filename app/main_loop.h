// The program itself: the fullscreen question, the window, and the polling loop that handles
// one message or draws one frame per pass and reads the keys.
#pragma once

// Runs the demo to its end and returns the process exit code.
int runDemo();
