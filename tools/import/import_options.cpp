// Options take their value as the next argument or after '=' (--scale=2); "--" ends options.
#include "tools/import/import_options.h"

#include <cmath>
#include <cstdlib>

namespace vornimport {

const char* const importUsage =
    "usage: vorn-import MODEL [-o OUTDIR] [--root DIR] [--scale S] [--detail IMAGE]\n"
    "                   [--detail-scale N] [--no-shade] [--textures DIR] [--time-limit S]\n"
    "Turns a model that Assimp reads (OBJ, glTF, GLB, COLLADA, FBX, PLY, STL, 3DS and more)\n"
    "into OUTDIR/NAME.vnt, its mesh files OUTDIR/NAME.vno (or NAME-1.vno, NAME-2.vno, ...) and\n"
    "their images in OUTDIR/NAME-textures/, NAME being the model file's base name.\n"
    "  -o OUTDIR           where to write (default: the current folder)\n"
    "  --root DIR          the folder the engine runs in; paths in the files start there\n"
    "                      (default: the current folder)\n"
    "  --scale S           multiply every position by S (default 1)\n"
    "  --detail IMAGE      the detail map of every material (default: neutral mid grey)\n"
    "  --detail-scale N    detail coordinates are the base coordinates times N (default 8)\n"
    "  --no-shade          no fixed shading on untextured materials\n"
    "  --textures DIR      look for images the model names but that are not where it says\n"
    "                      anywhere below DIR, by file name, then by name without extension\n"
    "  --time-limit S      give up on a model not read and prepared in S seconds (default:\n"
    "                      10, and 2 more for every megabyte of the model's files)\n"
    "  --help              show this text\n";

namespace {

bool readPositive(const std::string& text, float& value) {
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(number) || number <= 0.0 || number > 3.0e38) return false;
    value = static_cast<float>(number);
    return value > 0.0f;
}

}  // namespace

ParsedArguments parseArguments(const std::vector<std::string>& arguments) {
    ParsedArguments parsed;
    ImportOptions& options = parsed.options;
    auto refuse = [&](const std::string& problem) {
        parsed.outcome = ParsedArguments::usageError;
        parsed.problem = problem;
        return parsed;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string argument = arguments[i];
        if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
            if (!options.model.empty()) return refuse("more than one model given: " + argument);
            options.model = argument;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            parsed.outcome = ParsedArguments::help;
            return parsed;
        }
        if (argument == "--no-shade") {
            options.shade = false;
            continue;
        }
        std::string value;
        bool hasValue = false;
        if (const std::size_t equals = argument.find('='); argument.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = argument.substr(equals + 1);
            argument.resize(equals);
            hasValue = true;
        }
        const bool known = argument == "-o" || argument == "--root" || argument == "--scale" ||
                           argument == "--detail" || argument == "--detail-scale" || argument == "--textures" ||
                           argument == "--time-limit";
        if (!known) return refuse("unknown option " + argument);
        if (!hasValue) {
            if (i + 1 == arguments.size()) return refuse(argument + " needs a value");
            value = arguments[++i];
        }
        if (argument == "-o" || argument == "--root" || argument == "--detail" || argument == "--textures") {
            if (value.empty()) return refuse(argument + " needs a value");
            (argument == "-o"         ? options.outDir
             : argument == "--root"   ? options.root
             : argument == "--detail" ? options.detailImage
                                      : options.texturesFolder) = value;
        } else if (argument == "--time-limit") {
            float seconds = 0.0f;
            if (!readPositive(value, seconds)) return refuse(argument + " needs a positive number, not '" + value + "'");
            options.timeLimit = seconds;
        } else if (!readPositive(value, argument == "--scale" ? options.scale : options.detailScale)) {
            return refuse(argument + " needs a positive number, not '" + value + "'");
        }
    }
    if (options.model.empty()) return refuse("no model given");
    parsed.outcome = ParsedArguments::run;
    return parsed;
}

}  // namespace vornimport
