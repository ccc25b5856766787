// Telling a scene description by its first line, for programs that take both mesh files and
// scene descriptions; it needs nothing of the loader, the engine or the platform.
#pragma once

struct Line;

// Whether a file's first line begins with a scene description's kind word, FICHIER_VNT or
// FICHIER_VNS. Such a file goes to the scene loader, which says itself what else is wrong with
// the line.
bool beginsAsSceneDescription(const Line& first);
