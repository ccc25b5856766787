// The two printers of a list of findings, text as compilers write it and JSON, and the count
// line that ends a run. They only format: what to print and where is the caller's choice.
#pragma once

#include <string>
#include <vector>

#include "tools/check/finding.h"

// One line a finding: "PATH:LINE:COLUMN: error: MESSAGE [code]".
std::string findingsAsText(const std::vector<Finding>& findings);

// One JSON array, each element {"file","line","column","severity","code","message"}.
std::string findingsAsJson(const std::vector<Finding>& findings);

// "2 errors, 1 warning", and the notes when there are any.
std::string countLine(const std::vector<Finding>& findings);
