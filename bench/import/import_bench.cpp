// Import speed: a generated OBJ grid of textured, normal-carrying triangles, imported whole
// (Assimp's reading, baking, image copying, mesh file text and writing) as vorn-import does.
#include "tools/import/image_format.h"
#include "tools/import/importer.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const fs::path benchFolder = fs::temp_directory_path() / ("vorn-import-bench-" + std::to_string(::getpid()));

// A grid of `triangles` / 2 quads over a gentle wave, written once per size.
fs::path gridModel(long triangles) {
    const fs::path path = benchFolder / ("grid" + std::to_string(triangles) + ".obj");
    if (fs::exists(path)) return path;
    fs::create_directories(benchFolder);
    std::ofstream(benchFolder / "grid.mtl") << "newmtl ground\nKd 1 1 1\nmap_Kd ground.png\n";
    // A small PNG is enough: the image is copied, never decoded.
    const std::uint8_t pixels[4 * 4 * 3] = {};
    const vornimport::Bytes png = vornimport::encodePng(pixels, 4, 4, 3);
    std::ofstream(benchFolder / "ground.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    // Rows of 250 quads: 500 triangles a row.
    const long columns = 250, rows = triangles / (2 * columns);
    std::ofstream out(path);
    out << "mtllib grid.mtl\n";
    for (long r = 0; r <= rows; ++r)
        for (long c = 0; c <= columns; ++c) {
            const double x = double(c) * 0.1, z = double(r) * 0.1, y = 0.05 * std::sin(x) * std::cos(z);
            out << "v " << x << " " << y << " " << z << "\nvt " << double(c) / columns << " " << double(r) / rows
                << "\nvn 0 1 0\n";
        }
    out << "usemtl ground\n";
    for (long r = 0; r < rows; ++r)
        for (long c = 0; c < columns; ++c) {
            const long a = r * (columns + 1) + c + 1, b = a + 1, d = a + columns + 1, e = d + 1;
            out << "f " << a << "/" << a << "/" << a << " " << b << "/" << b << "/" << b << " " << e << "/" << e << "/"
                << e << " " << d << "/" << d << "/" << d << "\n";
        }
    return path;
}

void importGrid(benchmark::State& state) {
    vornimport::ImportOptions options;
    options.model = gridModel(state.range(0)).string();
    options.outDir = (benchFolder / "out").string();
    options.root = benchFolder.string();
    for (auto _ : state) {
        std::ostringstream out, err;
        if (vornimport::runImport(options, out, err) != 0) state.SkipWithError(err.str().c_str());
    }
    state.counters["triangles/s"] =
        benchmark::Counter(double(state.range(0)) * double(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(importGrid)->Arg(70000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(benchFolder);
    return 0;
}
