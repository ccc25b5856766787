// Writing an import's files all or nothing: each goes to a temporary name beside its place,
// and only when all are written are they renamed, so no half-written scene is ever left.
#pragma once

#include "tools/import/output_plan.h"

#include <string>
#include <vector>

namespace vornimport {

// Writes `files` in order; false with `problem` set, and nothing left behind, on failure.
bool writeAllOrNothing(const std::vector<PlannedFile>& files, std::string& problem);

}  // namespace vornimport
