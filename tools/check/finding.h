// What the checker finds in a file: one finding per problem, with its place, severity, stable
// code and message. Owns nothing but its texts; the printers read the list as it is.
#pragma once

#include <string>
#include <vector>

enum class Severity { error, warning, note };

struct Finding {
    std::string file;
    int line = 1;    // from 1
    int column = 1;  // the byte of the line where the problem starts, from 1
    Severity severity = Severity::error;
    std::string code;  // short and stable: "number-expected"
    std::string message;
};

// "error", "warning" or "note", as compilers write them.
const char* severityName(Severity severity);

int countOf(const std::vector<Finding>& findings, Severity severity);
