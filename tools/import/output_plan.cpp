// Grouping materials into mesh files, naming the files and writing their texts.
#include "tools/import/output_plan.h"

#include <algorithm>
#include <cmath>

namespace fs = std::filesystem;

namespace vornimport {

namespace {

using meshwriter::appendFloat;

// The materials of one mesh file, and the images those use, as texture entries in order.
struct FileGroup {
    std::vector<unsigned> materials;
    std::vector<int> images;
    int entryOf(int image) const {
        return static_cast<int>(std::find(images.begin(), images.end(), image) - images.begin());
    }
};

std::vector<FileGroup> groupMaterials(const PlanInput& input) {
    std::vector<FileGroup> groups;
    for (unsigned material : input.materialOrder) {
        const MaterialImages& layers = input.materials.at(material);
        std::vector<int> needed{layers.baseImage, ImageSet::detail, layers.bumpImage};
        std::sort(needed.begin(), needed.end());
        needed.erase(std::unique(needed.begin(), needed.end()), needed.end());
        auto fresh = [&](const FileGroup& group) {
            return std::count_if(needed.begin(), needed.end(), [&](int image) {
                return std::find(group.images.begin(), group.images.end(), image) == group.images.end();
            });
        };
        if (groups.empty() || groups.back().materials.size() == materialsPerFile ||
            groups.back().images.size() + fresh(groups.back()) > texturesPerFile)
            groups.emplace_back();
        FileGroup& group = groups.back();
        group.materials.push_back(material);
        for (int image : needed)
            if (std::find(group.images.begin(), group.images.end(), image) == group.images.end())
                group.images.push_back(image);
    }
    return groups;
}

// A path for a line of a file; a texture entry must not begin like the end of its section.
bool lineForPath(const fs::path& path, const fs::path& root, std::string& line, std::string& problem) {
    line = pathFromRoot(path, root);
    if (line.rfind("FIN_TEXTURE", 0) == 0) line = "./" + line;
    if (line.size() > lineTextLimit) {
        problem = "the path " + line + " is longer than the " + std::to_string(lineTextLimit) +
                  " characters a line holds; choose a shorter output folder or --root";
        return false;
    }
    if (std::any_of(line.begin(), line.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; })) {
        problem = "the path " + recordText(line, lineTextLimit) + " holds a control character and cannot be written in a line";
        return false;
    }
    return true;
}

void appendTriple(std::string& text, const meshwriter::Point3& p) {
    appendFloat(text, p.x), text += ", ", appendFloat(text, p.y), text += ", ", appendFloat(text, p.z), text += "\n";
}

std::string sceneDescriptionText(const PlanInput& input, const std::vector<std::string>& meshLines) {
    std::string text = "FICHIER_VNT\n";
    for (const ImportedCamera& camera : input.cameras) {
        text += "CAMERA\n" + recordText(camera.name, lineTextLimit) + "\n";
        appendTriple(text, camera.position);
        appendTriple(text, camera.target);
        text += "\n";
    }
    for (const ImportedLight& light : input.lights) {
        text += "LUMIERE\n" + recordText(light.name, lineTextLimit) + "\n";
        appendTriple(text, light.position);
        appendTriple(text, {light.colour.r, light.colour.g, light.colour.b});
        // The engine keeps whole radii: the next whole number still covers the reach.
        appendFloat(text, std::max(1.0f, std::ceil(light.radius)));
        text += "\n\n";
    }
    for (const std::string& line : meshLines) text += "MESH\n" + line + "\n";
    text += "FIN_FICHIER_VNT\n";
    return text;
}

// The ending of a group's mesh name and file name: "-2" for the second of several groups,
// nothing for a single one. Built by appending: GCC 12 warns, wrongly, on a literal plus a
// temporary string when it inlines them.
std::string groupSuffix(std::size_t groupCount, std::size_t g) {
    if (groupCount == 1) return "";
    std::string suffix = "-";
    return suffix.append(std::to_string(g + 1));
}

}  // namespace

std::string pathFromRoot(const fs::path& path, const fs::path& root) {
    std::error_code error;
    const fs::path from = fs::weakly_canonical(fs::absolute(root, error), error);
    const fs::path to = fs::weakly_canonical(fs::absolute(path, error), error);
    fs::path relative = to.lexically_relative(from);
    return (relative.empty() ? to : relative).generic_string();
}

std::string recordText(const std::string& text, std::size_t limit) {
    std::string out = text;
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    if (out.size() > limit) {
        std::size_t cut = limit;
        // Bytes 10xxxxxx continue a character: cut before the byte that starts it.
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;
        out.resize(cut);
    }
    return out;
}

bool planOutput(const PlanInput& given, OutputPlan& plan, std::string& problem) {
    PlanInput input = given;
    // Files in the current folder are told as "NAME.vnt", not "./NAME.vnt".
    input.outDir = input.outDir.lexically_normal();
    if (input.outDir == ".") input.outDir.clear();
    const std::vector<FileGroup> groups = groupMaterials(input);
    const std::string folderName = input.name + "-textures";
    plan.textureFolder = groups.empty() ? fs::path() : input.outDir / folderName;

    std::vector<std::string> textureLines(input.images.files().size());
    std::vector<bool> imageUsed(input.images.files().size(), false);
    for (const FileGroup& group : groups)
        for (int image : group.images) imageUsed[image] = true;
    for (std::size_t i = 0; i < imageUsed.size(); ++i) {
        if (!imageUsed[i]) continue;
        const ImageFile& image = input.images.files()[i];
        const fs::path path = plan.textureFolder / image.fileName;
        if (!lineForPath(path, input.root, textureLines[i], problem)) return false;
        plan.files.push_back({path, std::string(image.bytes.begin(), image.bytes.end())});
        ++plan.images;
    }

    // Each mesh file gets the triangles of its materials, each material its block number.
    std::vector<meshwriter::MeshFileContent> contents(groups.size());
    std::map<unsigned, std::pair<std::size_t, int>> placeOf;  // material: file, block
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const FileGroup& group = groups[g];
        meshwriter::MeshFileContent& content = contents[g];
        for (int image : group.images) content.textureNames.push_back(textureLines[image]);
        for (unsigned material : group.materials) {
            const MaterialImages& layers = input.materials.at(material);
            meshwriter::MaterialBlock block;
            block.label = "MATERIAU " + std::to_string(material);
            block.baseTexture = group.entryOf(layers.baseImage);
            block.detailTexture = group.entryOf(ImageSet::detail);
            block.bumpTexture = group.entryOf(layers.bumpImage);
            placeOf[material] = {g, static_cast<int>(content.materials.size())};
            content.materials.push_back(block);
        }
        const std::string suffix = groupSuffix(groups.size(), g);
        content.meshName = recordText(input.name + suffix, meshNameLimit);
    }
    for (const BakedTriangle& baked : input.model.triangles) {
        const auto& [file, block] = placeOf.at(baked.material);
        contents[file].triangles.push_back(baked.triangle);
        contents[file].triangles.back().material = block;
    }

    std::vector<std::string> meshLines;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::string suffix = groupSuffix(groups.size(), g);
        const fs::path path = input.outDir / (input.name + suffix + ".vno");
        meshLines.emplace_back();
        if (!lineForPath(path, input.root, meshLines.back(), problem)) return false;
        plan.files.push_back({path, meshwriter::meshFileText(contents[g])});
        plan.meshFiles.push_back(path);
    }
    plan.sceneFile = input.outDir / (input.name + ".vnt");
    plan.files.push_back({plan.sceneFile, sceneDescriptionText(input, meshLines)});
    return true;
}

}  // namespace vornimport
