// vorn-import: turns a model file that Assimp reads into a scene description, mesh files and
// their images for the engine.
#include "tools/import/import_options.h"
#include "tools/import/importer.h"

#include <iostream>

int main(int argc, char** argv) {
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
    return runImport(parsed.options, std::cout, std::cerr);
}
