// vorn-import's whole run: read the model, gather its images, bake its triangles, plan the
// files, write them all or none, and print the summary. Owns nothing after it returns.
#pragma once

#include "tools/import/import_options.h"

#include <ostream>

namespace vornimport {

// The exit code: 0 written, 1 the model or an image could not be read or the files not written.
// The summary goes to `out`, warnings and errors to `err`.
int runImport(const ImportOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vornimport
