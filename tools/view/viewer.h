// vorn-view on the demo's shell: the viewed file loaded in the new context, the view from a
// scene camera or the orbit, meshes, light markers and overlay each frame, keys and mouse.
#pragma once

#include <vector>

#include "tools/view/view_options.h"

// Shows the file in a window until Escape or the close button; the process exit code.
int runViewerWindow(const ViewOptions& options);
// Draws the frames unseen, 1/60 s apart, and writes the last one; the process exit code.
int runViewerPicture(const ViewOptions& options);

// The unseen run in steps, for tests that look between frames. Opening makes the context and
// framebuffer and loads the file; it gives the exit code of a failure, or 0 when ready.
int openViewerPicture(const ViewOptions& options);
void drawViewerFrames(int count);
// What the keys held (keyDown) and the mouse moves ask of the unseen run, as after a frame
// on screen.
bool handleViewerKeys();
// The last frame drawn, RGB, bottom row first.
std::vector<unsigned char> viewerPixels();
// Empties the engine and releases the framebuffer and the context.
void closeViewerPicture();
