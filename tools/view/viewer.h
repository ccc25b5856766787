// vorn-view on the demo's shell: the viewed file loaded in the new context, the view from a
// scene camera or the orbit, meshes, light markers and overlay each frame, keys and mouse.
#pragma once

#include "tools/view/view_options.h"

// Shows the file in a window until Escape or the close button; the process exit code.
int runViewerWindow(const ViewOptions& options);
// Draws the frames unseen, 1/60 s apart, and writes the last one; the process exit code.
int runViewerPicture(const ViewOptions& options);
