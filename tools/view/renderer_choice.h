// Which OpenGL vorn-view draws through: the system's (vorn-view) or the fixed-function layer
// on OpenGL ES 2 (vorn-view-es2). Each program runs the other when asked for the other's.
#pragma once

#include <string>

// The renderer this program was linked with: "gl" or "es2".
extern const char* const builtRenderer;
// The renderer used when none is asked for.
extern const char* const defaultRenderer;

// Runs the sibling program that draws through `renderer` with the same arguments, in place of
// this process; returns only on failure, with the exit status to end with (message given).
int runSiblingRenderer(const std::string& renderer, char** argv);
