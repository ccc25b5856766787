// Turns the scene layout into the text of a mesh file ("FICHIER_VNO" format), line by line.
// Owns no state; the labels on the lines that readers skip are only there for people.
#pragma once

#include "scene_layout.h"

#include <string>

namespace makescene {

// The whole file, every line ended by LF.
std::string meshFileText(const SceneLayout& scene);

// A float as the file writes it: fixed point, at most six decimals, no trailing zeros but one,
// never "-0.0".
std::string formatFloat(float value);

}  // namespace makescene
