// vorn-import: turns a model file that Assimp reads into a scene description, mesh files and
// their images for the engine.
#include "tools/import/import_options.h"
#include "tools/import/importer.h"
#include "tools/common/plain_line_ends.h"
#include "tools/common/version_answer.h"
#include "image/decode.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <new>

namespace {

// Some broken files make Assimp's readers ask for memory without end (an OFF file that
// promises 350 billion vertices); with a cap on the address space they fail instead of
// taking the machine's memory. Half the physical memory, at most 16 GiB, is plenty for a model.
void capMemory() {
    const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return;
    const rlim_t cap = std::min<rlim_t>(rlim_t(pages) * rlim_t(pageSize) / 2, rlim_t(16) << 30);
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < cap)) return;
    limit.rlim_cur = std::max<rlim_t>(cap, rlim_t(1) << 30);
    ::setrlimit(RLIMIT_AS, &limit);
}

}  // namespace

int main(int argc, char** argv) {
    toolcommon::keepLineEndsPlain();
    if (toolcommon::answeredVersion(argc, argv, "vorn-import")) return 0;
    using namespace vornimport;
    const ParsedArguments parsed = parseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.outcome == ParsedArguments::help) {
        std::cout << importUsage;
        return 0;
    }
    if (parsed.outcome == ParsedArguments::usageError) {
        std::cerr << "vorn-import: error: " << parsed.problem << "\n" << importUsage;
        return 2;
    }
    capMemory();
    startImageDecoding();
    ImportOptions options = parsed.options;
    options.showProgress = ::isatty(STDERR_FILENO) == 1;
    try {
        return runImport(options, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << parsed.options.model << ": error: the model needs more memory than there is\n";
        return 1;
    }
}
