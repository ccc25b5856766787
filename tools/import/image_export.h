// The images of an import: the white and mid-grey pictures, the detail image, and the base and
// light maps of each material, read from files or from the model, converted where needed and
// named uniquely for the textures folder. Owns the bytes of every image until they are written.
#pragma once

#include "tools/import/image_format.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

struct aiScene;
struct aiTexture;

namespace vornimport {

struct ImageFile {
    std::string fileName;  // inside the textures folder
    Bytes bytes;
};

// Where the images a model names are looked for: beside the model and, when given, anywhere
// below a folder of textures.
struct ImageSearch {
    std::filesystem::path modelFolder;
    std::filesystem::path texturesFolder;  // empty: none
};

// The texture layers of one material of the model.
struct MaterialImages {
    int baseImage = 0;  // an index into ImageSet::files; the white image where there is none
    int bumpImage = 0;
    bool textured = false;  // a base image was found
    unsigned baseChannel = 0;  // the model's texture coordinate channels of the two maps
    unsigned bumpChannel = 0;
};

class ImageSet {
public:
    static constexpr int white = 0;
    static constexpr int detail = 1;  // the --detail image, or mid grey

    // Starts with the white image and the detail image: `detailPath` (a file) or mid grey.
    // False, with `problem` set, when the detail image cannot be used.
    bool start(const std::string& detailPath, std::string& problem);

    // Each image file read from now on is counted, by its size, through `inputRead`.
    void countInputWith(const std::function<void(std::uint64_t bytes)>& inputRead) { inputRead_ = inputRead; }

    // The layers of material `index` of `scene`; a missing or unreadable image is replaced by
    // white and kept for reportMissing.
    MaterialImages addMaterial(const aiScene& scene, unsigned index, const ImageSearch& search);
    // One warning per missing or unreadable image, in the order they were first met, each with
    // the number of materials that use it.
    void reportMissing(std::ostream& warnings) const;

    const std::vector<ImageFile>& files() const { return files_; }
    int converted() const { return converted_; }
    // Images missing or unreadable, each counted once however many materials name it.
    int missing() const { return static_cast<int>(missing_.size()); }

private:
    // An image that could not be used: what is wrong with it, and which materials name it.
    struct MissingImage {
        std::string problem;
        std::set<unsigned> materials;
    };

    // The image that the model names by `reference`, as an index of files_; -1 with `problem`
    // set when there is none.
    int imageFor(const aiScene& scene, const std::string& reference, const ImageSearch& search,
                 std::string& problem);
    bool readImageFile(const std::filesystem::path& file, Bytes& bytes);
    void noteMissing(const std::string& problem, unsigned material);
    // The file for `reference`, searched for as searchImageFile does; empty when none.
    std::filesystem::path find(const std::string& reference, const ImageSearch& search);
    int addEmbedded(const aiTexture& texture, int number);
    // Adds `bytes` under a name made from `baseName`, converted to PNG when the engine could
    // not read them as they are; -1 when they are no picture the image library can convert either.
    int addBytes(Bytes bytes, const std::string& baseName);
    std::string uniqueName(const std::string& stem, std::string_view extension);

    std::vector<ImageFile> files_;
    std::set<std::string> takenNames_;        // lower case: the folder may not tell case apart
    std::map<std::string, int> bySource_;     // a file or embedded texture already added
    std::map<std::string, std::string> problemBySource_;  // why a source in bySource_ is -1
    std::vector<std::filesystem::path> texturesFolderFiles_;  // listed when first needed
    bool texturesFolderListed_ = false;
    int converted_ = 0;
    std::vector<MissingImage> missing_;  // in the order first met
    std::function<void(std::uint64_t)> inputRead_;
};

// The file that `reference` names, relative to `folder` unless absolute: `\` read as `/`, and
// where the exact name is missing, the name found with letters in any case, or the bare file
// name in `folder`. Empty when there is none.
std::filesystem::path findImageFile(const std::string& reference, const std::filesystem::path& folder);

// The other file names the engine might know `reference` by: its name under each other
// extension of the images the engine reads (or with one, when it has none).
std::vector<std::string> otherExtensionNames(const std::string& reference);

// The first of `files` (sorted) whose name is the file name of `reference` in any letter case;
// else the first whose name without extension is, with an extension of an image the engine
// reads. Empty when none is.
std::filesystem::path findByNameOrStem(const std::string& reference, const std::vector<std::filesystem::path>& files);

// Every file below `folder`, sorted; folders that cannot be read are passed over.
std::vector<std::filesystem::path> filesBelow(const std::filesystem::path& folder);

}  // namespace vornimport
