// The command line of vorn-import: the model, where to write, the root that paths start from,
// the scale, the detail layer, where images are looked for and how long reading may take. Plain data and its parser; nothing is checked on disk here.
#pragma once

#include <string>
#include <vector>

namespace vornimport {

// Unless --time-limit says otherwise, reading and preparing a model may take a base time and
// more for every megabyte its files hold (the model, the buffers and material libraries it
// names, its images): a damaged file of a few kilobytes that sends Assimp into a loop is
// refused in seconds, and the largest real models still have minutes.
constexpr double defaultBaseSeconds = 10;
constexpr double defaultSecondsPerMegabyte = 2;

struct ImportOptions {
    std::string model;
    std::string outDir = ".";
    std::string root = ".";
    float scale = 1.0f;
    std::string detailImage;  // empty: mid grey
    float detailScale = 8.0f;
    bool shade = true;
    std::string texturesFolder;  // empty: images are looked for beside the model only
    double timeLimit = 0;        // seconds that reading and preparing may take; 0: the default
    bool showProgress = false;   // say how long a slow read has taken (standard error is a terminal)
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
