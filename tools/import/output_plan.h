// Everything an import writes, decided before anything is written: the mesh files (split only
// where a file's 99 materials or 100 textures would overflow), the images they use and the
// scene description, with every path inside them relative to the root the engine runs in.
#pragma once

#include "tools/import/geometry_baker.h"
#include "tools/import/image_export.h"
#include "tools/import/scene_objects.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vornimport {

struct PlannedFile {
    std::filesystem::path path;
    std::string bytes;
};

struct OutputPlan {
    std::vector<PlannedFile> files;  // images, mesh files, then the scene description
    std::filesystem::path sceneFile;
    std::vector<std::filesystem::path> meshFiles;
    std::filesystem::path textureFolder;  // empty when no image is written
    int images = 0;
};

struct PlanInput {
    std::filesystem::path outDir;
    std::filesystem::path root;
    std::string name;  // the model file's base name
    const ImageSet& images;
    const std::map<unsigned, MaterialImages>& materials;
    const std::vector<unsigned>& materialOrder;  // the materials in use, in the order met
    const BakedModel& model;
    const std::vector<ImportedCamera>& cameras;
    const std::vector<ImportedLight>& lights;
};

// False with `problem` set when a path would not fit in a line of the files.
bool planOutput(const PlanInput& input, OutputPlan& plan, std::string& problem);

// `path` as the engine must open it from `root`: relative, with '/' between the parts.
std::string pathFromRoot(const std::filesystem::path& path, const std::filesystem::path& root);

// `text` made fit for one line of at most `limit` bytes: line breaks and other control
// characters become blanks, and a longer text is cut, never inside a UTF-8 character.
std::string recordText(const std::string& text, std::size_t limit);

// The longest text a line of a mesh file or scene description holds before its line end.
constexpr std::size_t lineTextLimit = 253;
// The longest mesh name.
constexpr std::size_t meshNameLimit = 99;
// Materials and texture entries that one mesh file holds.
constexpr std::size_t materialsPerFile = 99;
constexpr std::size_t texturesPerFile = 100;

}  // namespace vornimport
