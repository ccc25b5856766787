// libFuzzer harness for vorn-import's reading step: the first byte of each input picks the
// format (the extension a file would carry), the rest is read from memory by Assimp with the
// tool's own settings, cleared of broken faces, post-processed and baked into triangles.
// Assimp itself is not built for fuzzing: its crashes are expected here, and are run through
// the tool afterwards (check_import_crashes.sh), where they must end as a refusal.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>

#include "tools/import/geometry_baker.h"
#include "tools/import/model_reader.h"

namespace {

// The formats authors bring, and a few older ones that Assimp reads beside them.
constexpr const char* formats[] = {"obj", "gltf", "glb", "dae", "fbx", "ply", "3ds", "ase", "stl", "off"};

bool finite(const meshwriter::Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const char* format = formats[data[0] % std::size(formats)];
    vornimport::ModelReader reader;
    if (!reader.readMemory(data + 1, size - 1, format)) return 0;
    const vornimport::BakedModel baked = vornimport::bakeGeometry(reader.scene(), {}, {});
    // Whatever the bytes, every corner that reaches the files is finite.
    for (const vornimport::BakedTriangle& t : baked.triangles)
        for (const meshwriter::Corner& corner : t.triangle.corners)
            if (!finite(corner.position)) __builtin_trap();
    return 0;
}
