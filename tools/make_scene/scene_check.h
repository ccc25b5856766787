// An independent strict reader of the demo's mesh file: it checks the line structure of the
// format and what the demo needs of its scene, and reports every problem with its line.
#pragma once

#include <ostream>
#include <string>

namespace makescene {

// Checks the file and every texture it names (paths relative to the working directory, as
// the engine opens them); writes problems and a summary to the report. True when all is well.
bool checkMeshFile(const std::string& path, std::ostream& report);

}  // namespace makescene
