// Mesh file loading speed: MeshList::load on a generated file of 100,000 faces, beside a
// reference reader that only runs fgets and atof over every line and keeps nothing, and beside
// vorn-check's checker on the same file, which should cost at most twice the load. A file of
// one's own can be loaded beside it (see main).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "engine/gl_extensions.h"
#include "meshfile/material.h"
#include "meshfile/mesh.h"
#include "platform/fake_platform.h"
#include "render/texture_list.h"
#include "tools/check/file_check.h"

namespace {

constexpr int faceCount = 100'000;
constexpr int materialCount = 8;

// Numbers as a modelling tool writes them: a few digits, signs, now and then no fraction.
std::string number(std::mt19937& random) {
    const int whole = int(random() % 200) - 100;
    const int fraction = int(random() % 1000000);
    char text[32];
    if (random() % 8 == 0) std::snprintf(text, sizeof text, "%d", whole);
    else std::snprintf(text, sizeof text, "%d.%06d", whole, fraction);
    return text;
}

std::string list(std::mt19937& random, int n) {
    std::string out = number(random);
    for (int i = 1; i < n; ++i) out += ", " + number(random);
    return out + "\n";
}

// Set before the removal is registered at exit, so it is still alive when that runs.
std::filesystem::path benchDirectory;

void removeBenchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(benchDirectory, ignored);
}

// Writes the file once per process, in a temporary directory, and gives its path and size.
const std::string& meshFile(std::uintmax_t* size = nullptr) {
    static const std::string path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorn-bench-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        benchDirectory = pattern;
        std::atexit(removeBenchDirectory);
        const std::string file = pattern + "/large.vno";
        std::mt19937 random(1);
        std::string text = "FICHIER_VNO\nTEXTURE\n";
        for (int t = 0; t < 4; ++t)
            text += "textures/t" + std::to_string(t) + ".png\n" + (t % 2 ? "CLAMP\n" : "REPEAT\n");
        text += "FIN_TEXTURE\n";
        for (int m = 0; m < materialCount; ++m)
            text += "material\nbase\n" + std::to_string(m % 4) + "\n0.0\n0.0" + std::to_string(m) +
                    "\n0\ndetail\n" + std::to_string((m + 1) % 4) + "\n0.01\n0.0\n0\nbump\n-1\n0.0\nend\n";
        text += "FIN_ALL_MATERIAUX\nmesh\nlarge\n0.0, 0.0, 0.0\n0.0, 0.0, 0.0\n1.0, 1.0, 1.0\n";
        for (int f = 0; f < faceCount; ++f) {
            text += "face\n" + std::to_string(f % materialCount) + "\n" + list(random, 3);
            for (int corner = 0; corner < 3; ++corner)
                text += "corner\n" + list(random, 3) + list(random, 2) + list(random, 2) +
                        list(random, 2) + list(random, 3) + "end of corner\n";
            text += "end of face\n";
        }
        text += "FIN_MESH\n";
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (out == nullptr) std::abort();
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
        return file;
    }();
    if (size != nullptr) *size = std::filesystem::file_size(path);
    return path;
}

// Loads `path` over and over; the mesh must come out with `faces` faces (any, when 0).
void loadMeshes(benchmark::State& state, const std::string& path, std::size_t faces) {
    const std::uintmax_t size = std::filesystem::file_size(path);
    platform::fake::reset();
    TextureList textures;
    GlExtensions extensions;
    MaterialList materials;
    MeshList meshes;
    materials.init(textures, extensions);
    meshes.init(materials, extensions);
    for (auto _ : state) {
        const int id = meshes.load(path.c_str());
        benchmark::DoNotOptimize(id);
        if (id < 0 || (faces != 0 && meshes.faceCount() != faces)) {
            state.SkipWithError("the mesh file did not load");
            break;
        }
        state.PauseTiming();
        meshes.clear();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size));
}

void BM_MeshListLoad(benchmark::State& state) {
    loadMeshes(state, meshFile(), std::size_t(faceCount));
    state.counters["lines"] = double(25 * faceCount);
}

// The checker over the same file: every line read and checked as vorn-check does. Its four
// images do not exist, which costs a look-up each and four findings.
void BM_MeshFileCheck(benchmark::State& state) {
    std::uintmax_t size = 0;
    const std::string& path = meshFile(&size);
    for (auto _ : state) {
        CheckRun run;
        run.checkMeshFile(path);
        benchmark::DoNotOptimize(run.findings().data());
        if (run.findings().size() != 4) {
            state.SkipWithError("the checker found more than the missing images");
            break;
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size));
}

// The plain reader: fgets every line and atof it, keeping nothing.
void readWithFgets(benchmark::State& state, const std::string& path) {
    const std::uintmax_t size = std::filesystem::file_size(path);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "r");
        char line[256];
        double sum = 0.0;
        while (std::fgets(line, sizeof line, file) != nullptr) sum += std::atof(line);
        std::fclose(file);
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size));
}

void BM_ReferenceFgetsAtof(benchmark::State& state) {
    readWithFgets(state, meshFile());
}

}  // namespace

BENCHMARK(BM_MeshListLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeshFileCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceFgetsAtof)->Unit(benchmark::kMillisecond);

// A mesh file made by a tool (vorn-import's output, say) is loaded beside the generated one
// when VORN_BENCH_MESH_FILE names it, with the plain reader over it as its floor.
int main(int argc, char** argv) {
    if (const char* named = std::getenv("VORN_BENCH_MESH_FILE")) {
        const std::string path = named;
        if (!std::filesystem::is_regular_file(path)) {
            std::fprintf(stderr, "mesh_load_bench: %s: no such file\n", named);
            return 2;
        }
        benchmark::RegisterBenchmark("BM_MeshListLoad/named_file",
                                     [path](benchmark::State& state) { loadMeshes(state, path, 0); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_ReferenceFgetsAtof/named_file",
                                     [path](benchmark::State& state) { readWithFgets(state, path); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
