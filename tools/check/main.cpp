// vorn-check: checks mesh files and scene descriptions line by line, as the engine reads them,
// and prints one diagnostic a line (or JSON) for every problem, with its file, line and column.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "image/decode.h"
#include "tools/check/file_check.h"
#include "tools/check/report.h"
#include "tools/common/plain_line_ends.h"
#include "tools/common/version_answer.h"

namespace {

const char* const usageText =
    "usage: vorn-check [--json] PATH...\n"
    "Checks mesh files (.vno) and scene descriptions (.vnt), told apart by their first line,\n"
    "and the mesh files and images they name. Prints one diagnostic a line,\n"
    "PATH:LINE:COLUMN: error|warning|note: MESSAGE [code], or with --json one JSON array.\n"
    "Exit status: 0 no error, 1 errors found, 2 usage error or a file that cannot be opened.\n";

int usageError(const std::string& problem) {
    std::fprintf(stderr, "vorn-check: %s\n%s", problem.c_str(), usageText);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    toolcommon::keepLineEndsPlain();
    if (toolcommon::answeredVersion(argc, argv, "vorn-check")) return 0;
    startImageDecoding();
    bool json = false;
    bool optionsEnded = false;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (!optionsEnded && argument == "--help") {
            std::fputs(usageText, stdout);
            return 0;
        }
        if (!optionsEnded && argument == "--json")
            json = true;
        else if (!optionsEnded && argument == "--")
            optionsEnded = true;
        else if (!optionsEnded && argument.size() > 1 && argument[0] == '-')
            return usageError("unknown option '" + argument + "'");
        else
            paths.push_back(argument);
    }
    if (paths.empty()) return usageError("no file to check");

    CheckRun run;
    bool unopened = false;
    for (const std::string& path : paths) {
        std::string reason;
        if (run.checkPath(path, reason)) continue;
        std::fprintf(stderr, "vorn-check: cannot open '%s': %s\n", path.c_str(), reason.c_str());
        unopened = true;
    }
    const std::vector<Finding>& findings = run.findings();
    const std::string out = json ? findingsAsJson(findings) + "\n" : findingsAsText(findings);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fprintf(stderr, "%s\n", countLine(findings).c_str());
    if (unopened) return 2;
    return countOf(findings, Severity::error) > 0 ? 1 : 0;
}
