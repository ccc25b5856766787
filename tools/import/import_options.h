// The command line of vorn-import: the model, where to write, the root that paths start from,
// the scale, the detail layer, where images are looked for and how long reading may take. Plain data and its parser; nothing is checked on disk here.
#pragma once

#include <string>
#include <vector>

namespace vornimport {

struct ImportOptions {
    std::string model;
    std::string outDir = ".";
    std::string root = ".";
    float scale = 1.0f;
    std::string detailImage;  // empty: mid grey
    float detailScale = 8.0f;
    bool shade = true;
    std::string texturesFolder;  // empty: images are looked for beside the model only
    double timeLimit = 300.0;    // seconds that reading and preparing the model may take
};

struct ParsedArguments {
    enum Outcome { run, help, usageError } outcome = usageError;
    ImportOptions options;
    std::string problem;  // what is wrong with a refused command line
};

// The arguments after the program's name.
ParsedArguments parseArguments(const std::vector<std::string>& arguments);

extern const char* const importUsage;

}  // namespace vornimport
