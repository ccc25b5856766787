// The scene description checker: the kind line, then texture, camera and light blocks and mesh
// entries at the top level, in the engine's order; the mesh files named go to the run.
#pragma once

class CheckRun;
class LineChecker;

// Checks the rest of a scene description whose first line `lines` has just read.
void checkSceneDescriptionLines(LineChecker& lines, CheckRun& run);
