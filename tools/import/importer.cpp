// The steps of an import in order; every refusal comes before the first file is written.
#include "tools/import/importer.h"

#include "tools/import/geometry_baker.h"
#include "tools/import/image_export.h"
#include "tools/import/model_reader.h"
#include "tools/import/output_plan.h"
#include "tools/import/scene_objects.h"
#include "tools/import/staged_output.h"

#include <filesystem>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace vornimport {

namespace {

// Each line of `text` as a diagnostic about `file`.
void passOn(const std::string& file, const std::string& text, std::ostream& err) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) err << file << ": " << line << "\n";
}

std::string plural(long count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

void printSummary(const std::string& model, const BakedModel& baked, std::size_t materials, const ImageSet& images,
                  std::size_t cameras, std::size_t lights, const OutputPlan& plan, std::ostream& out) {
    out << "imported " << model << "\n";
    out << "  meshes:     " << baked.meshes << " (placed " << plural(baked.meshUses, "time", "times") << ")\n";
    out << "  triangles:  " << baked.triangles.size() << "\n";
    out << "  dropped:    " << plural(baked.points, "point", "points") << ", " << plural(baked.lines, "line", "lines")
        << ", " << plural(baked.brokenFaces, "broken face", "broken faces") << "\n";
    out << "  materials:  " << materials << "\n";
    out << "  images:     " << plan.images << " (" << images.converted() << " converted, " << images.missing()
        << " missing)\n";
    out << "  cameras:    " << cameras << "\n";
    out << "  lights:     " << lights << "\n";
    out << "  wrote:      " << plan.sceneFile.string() << "\n";
    for (const fs::path& mesh : plan.meshFiles) out << "              " << mesh.string() << "\n";
    if (!plan.textureFolder.empty())
        out << "              " << plan.textureFolder.string() << "/ (" << plural(plan.images, "image", "images")
            << ")\n";
}

}  // namespace

int runImport(const ImportOptions& options, std::ostream& out, std::ostream& err) {
    ModelReader reader;
    if (!reader.read(options.model)) {
        err << options.model << ": error: " << reader.error() << "\n";
        return 1;
    }
    const aiScene& scene = reader.scene();

    ImageSet images;
    if (std::string problem; !images.start(options.detailImage, problem)) {
        err << options.detailImage << ": error: " << problem << "\n";
        return 1;
    }
    const std::vector<unsigned> materialOrder = materialsInUse(scene);
    std::map<unsigned, MaterialImages> materials;
    std::ostringstream warnings;
    const fs::path modelFolder = fs::path(options.model).parent_path();
    for (unsigned material : materialOrder)
        materials[material] = images.addMaterial(scene, material, modelFolder.empty() ? "." : modelFolder, warnings);
    passOn(options.model, warnings.str(), err);

    BakedModel baked = bakeGeometry(scene, materials, {options.scale, options.detailScale, options.shade});
    baked.brokenFaces += reader.brokenFaces();
    const std::vector<ImportedCamera> cameras = camerasOf(scene, options.scale);
    const std::vector<ImportedLight> lights = lightsOf(scene, options.scale, baked);
    if (baked.triangles.empty() && cameras.empty() && lights.empty()) {
        err << options.model << ": error: the model holds no triangles, cameras or lights (dropped "
            << baked.points << " points, " << baked.lines << " lines, " << baked.brokenFaces << " broken faces)\n";
        return 1;
    }

    // A material whose triangles were all broken needs no block.
    std::set<unsigned> drawn;
    for (const BakedTriangle& t : baked.triangles) drawn.insert(t.material);
    std::vector<unsigned> drawnMaterials;
    for (unsigned material : materialOrder)
        if (drawn.count(material)) drawnMaterials.push_back(material);
    const std::string name = fs::path(options.model).stem().string();
    OutputPlan plan;
    std::string problem;
    if (!planOutput({options.outDir, options.root, name, images, materials, drawnMaterials, baked, cameras, lights}, plan,
                    problem) ||
        !writeAllOrNothing(plan.files, problem)) {
        err << options.model << ": error: " << problem << "\n";
        return 1;
    }
    printSummary(options.model, baked, drawnMaterials.size(), images, cameras.size(), lights.size(), plan, out);
    return 0;
}

}  // namespace vornimport
