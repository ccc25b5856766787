// The text printer and the count line.
#include "tools/check/report.h"

const char* severityName(Severity severity) {
    switch (severity) {
    case Severity::error: return "error";
    case Severity::warning: return "warning";
    case Severity::note: return "note";
    }
    return "error";
}

int countOf(const std::vector<Finding>& findings, Severity severity) {
    int count = 0;
    for (const Finding& finding : findings) count += finding.severity == severity ? 1 : 0;
    return count;
}

std::string findingsAsText(const std::vector<Finding>& findings) {
    std::string out;
    for (const Finding& f : findings)
        out += f.file + ":" + std::to_string(f.line) + ":" + std::to_string(f.column) + ": " +
               severityName(f.severity) + ": " + f.message + " [" + f.code + "]\n";
    return out;
}

namespace {

std::string counted(int count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

}  // namespace

std::string countLine(const std::vector<Finding>& findings) {
    std::string line = counted(countOf(findings, Severity::error), "error") + ", " +
                       counted(countOf(findings, Severity::warning), "warning");
    const int notes = countOf(findings, Severity::note);
    if (notes > 0) line += ", " + counted(notes, "note");
    return line;
}
