// The steps of an import in order; every refusal comes before the first file is written.
// Assimp is not trusted with the tool's life: reading the model and everything made from it
// happen in a child process, which hands back the files to write, its messages and the summary.
#include "tools/import/importer.h"

#include "tools/import/child_process.h"
#include "tools/import/geometry_baker.h"
#include "tools/import/image_export.h"
#include "tools/import/model_reader.h"
#include "tools/import/output_plan.h"
#include "tools/import/scene_objects.h"
#include "tools/import/staged_output.h"

#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <set>
#include <sstream>
#include <string_view>
#include <functional>

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
        << ", " << plural(baked.brokenFaces, "broken face", "broken faces") << ", "
        << plural(baked.noArea, "triangle without area", "triangles without area") << "\n";
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

// What the child hands back: its exit code, its messages, and on success the files to write
// and the summary to print once they are written.
struct PreparedImport {
    int status = 1;
    std::string messages;
    std::string summary;
    std::vector<PlannedFile> files;
};

std::string serialised(const PreparedImport& prepared) {
    std::string out;
    putSizedField(out, std::to_string(prepared.status));
    putSizedField(out, prepared.messages);
    putSizedField(out, prepared.summary);
    for (const PlannedFile& file : prepared.files) {
        putSizedField(out, file.path.string());
        putSizedField(out, file.bytes);
    }
    return out;
}

bool deserialise(std::string_view in, PreparedImport& prepared) {
    std::string status, path, bytes;
    if (!takeSizedField(in, status) || !takeSizedField(in, prepared.messages) || !takeSizedField(in, prepared.summary)) return false;
    prepared.status = std::atoi(status.c_str());
    while (!in.empty()) {
        if (!takeSizedField(in, path) || !takeSizedField(in, bytes)) return false;
        prepared.files.push_back({path, std::move(bytes)});
    }
    return true;
}

// Tests make the reading step crash or hang through this variable, as a broken model can.
void forceFaultForTests() {
    const char* fault = std::getenv("VORN_IMPORT_TEST_FAULT");
    if (fault == nullptr) return;
    if (std::string_view(fault) == "abort") {
        std::fputs("ai_assert failure in a test\n", stderr);  // as Assimp says before it aborts
        std::abort();
    }
    if (std::string_view(fault) == "segfault") std::raise(SIGSEGV);
    if (std::string_view(fault) == "hang")
        for (;;) ::pause();
}

int prepareImport(const ImportOptions& options, ChildProgress& progress, std::ostream& out, std::ostream& err,
                  std::vector<PlannedFile>& files) {
    ModelReader reader;
    forceFaultForTests();
    const auto inputRead = [&](std::uint64_t bytes) { progress.inputRead(bytes); };
    const bool read = reader.read(options.model, inputRead);
    progress.stepDone();
    if (!read) {
        err << options.model << ": error: " << reader.error() << "\n";
        return 1;
    }
    const aiScene& scene = reader.scene();

    std::error_code error;
    if (!options.texturesFolder.empty() && !fs::is_directory(options.texturesFolder, error)) {
        err << options.texturesFolder << ": error: no such folder for --textures\n";
        return 1;
    }
    ImageSet images;
    images.countInputWith(inputRead);
    if (std::string problem; !images.start(options.detailImage, problem)) {
        err << options.detailImage << ": error: " << problem << "\n";
        return 1;
    }
    const std::vector<unsigned> materialOrder = materialsInUse(scene);
    std::map<unsigned, MaterialImages> materials;
    std::ostringstream warnings;
    const fs::path modelFolder = fs::path(options.model).parent_path();
    const ImageSearch search{modelFolder.empty() ? "." : modelFolder, options.texturesFolder};
    for (unsigned material : materialOrder) materials[material] = images.addMaterial(scene, material, search);
    images.reportMissing(warnings);
    passOn(options.model, warnings.str(), err);
    BakedModel baked = bakeGeometry(scene, materials, {options.scale, options.detailScale, options.shade});
    baked.brokenFaces += reader.brokenFaces();
    const std::vector<ImportedCamera> cameras = camerasOf(scene, options.scale);
    const std::vector<ImportedLight> lights = lightsOf(scene, options.scale, baked);
    if (baked.triangles.empty() && cameras.empty() && lights.empty()) {
        err << options.model << ": error: the model holds no triangles, cameras or lights (dropped "
            << baked.points << " points, " << baked.lines << " lines, " << baked.brokenFaces << " broken faces, "
            << baked.noArea << " triangles without area)\n";
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
                    problem)) {
        err << options.model << ": error: " << problem << "\n";
        return 1;
    }
    printSummary(options.model, baked, drawnMaterials.size(), images, cameras.size(), lights.size(), plan, out);
    files = std::move(plan.files);
    return 0;
}

// Runs in the child: the whole import but the writing, as bytes for the parent.
std::string preparedInChild(const ImportOptions& options, ChildProgress& progress) {
    PreparedImport prepared;
    std::ostringstream out, err;
    try {
        prepared.status = prepareImport(options, progress, out, err, prepared.files);
    } catch (const std::bad_alloc&) {
        prepared.files.clear();
        err << options.model << ": error: the model needs more memory than there is\n";
        prepared.status = 1;
    }
    prepared.messages = err.str();
    prepared.summary = out.str();
    return serialised(prepared);
}

// Why the child ended without a result, told as the tool's one line.
std::string stopReason(const ImportOptions& options, const ChildOutcome& outcome) {
    const bool reading = outcome.stepsDone == 0;
    std::ostringstream reason;
    reason << "vorn-import: ";
    switch (outcome.kind) {
        case ChildOutcome::timedOut:
            reason << (reading ? "Assimp did not finish reading " : "the import of ") << options.model
                   << (reading ? " in " : " did not finish in ") << outcome.seconds
                   << (outcome.seconds == 1.0 ? " second" : " seconds");
            break;
        case ChildOutcome::notStarted:
            reason << "cannot start the process that reads " << options.model;
            break;
        default:
            reason << (reading ? "Assimp stopped while reading " : "the import stopped while preparing ")
                   << options.model << " ("
                   << (outcome.kind == ChildOutcome::signalled ? "signal " + std::to_string(outcome.signal)
                                                               : "exit status " + std::to_string(outcome.exitStatus))
                   << ")";
    }
    return reason.str();
}

// "reading MODEL: 12 s", rewritten in place each second once a read has taken a while.
class ReadingClock {
public:
    ReadingClock(const ImportOptions& options, std::ostream& err) : options_(options), err_(err) {}
    ~ReadingClock() {
        if (shown_) err_ << "\r\x1b[K" << std::flush;  // the line goes before the outcome's
    }

    void operator()(int seconds) {
        if (!options_.showProgress || seconds < secondsBeforeShown) return;
        err_ << "\rreading " << options_.model << ": " << seconds << " s" << std::flush;
        shown_ = true;
    }

private:
    static constexpr int secondsBeforeShown = 2;
    const ImportOptions& options_;
    std::ostream& err_;
    bool shown_ = false;
};

ChildTime importTime(const ImportOptions& options) {
    if (options.timeLimit > 0) return {options.timeLimit, 0};
    return {defaultBaseSeconds, defaultSecondsPerMegabyte};
}

}  // namespace

int runImport(const ImportOptions& options, std::ostream& out, std::ostream& err) {
    ChildOutcome outcome;
    {
        ReadingClock clock(options, err);
        outcome = runInChild([&](ChildProgress& progress) { return preparedInChild(options, progress); },
                             importTime(options), std::ref(clock));
    }
    PreparedImport prepared;
    if (outcome.kind != ChildOutcome::finished || !deserialise(outcome.result, prepared)) {
        err << stopReason(options, outcome) << "\n";
        return 1;
    }
    err << prepared.messages;
    if (prepared.status != 0) return prepared.status;
    if (std::string problem; !writeAllOrNothing(prepared.files, problem)) {
        err << options.model << ": error: " << problem << "\n";
        return 1;
    }
    out << prepared.summary;
    return 0;
}


}  // namespace vornimport
