// make-scene: draws the demo's textures and writes "scene/2cube.vno" with them, or checks
// an existing mesh file with vorn-check's checker. Run it from the repository root; the mesh
// file names its textures relative to that directory, as the demo opens them.
#include "image/decode.h"
#include "meshfile/mesh_file_writer.h"
#include "scene_layout.h"
#include "tools/check/file_check.h"
#include "tools/check/report.h"
#include "tools/common/version_answer.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;
using namespace makescene;

namespace {

const char* usage =
    "usage: make-scene [ROOT]          write ROOT/scene/2cube.vno and its textures (ROOT: .)\n"
    "       make-scene --check FILE    check a mesh file and the textures it names, as vorn-check\n";

// The picture's rows in the order the engine keeps them, bottom row first.
std::vector<std::uint8_t> bottomRowFirst(const Image& image) {
    const std::size_t rowBytes = std::size_t(image.width()) * 3;
    std::vector<std::uint8_t> rows;
    for (int y = image.height() - 1; y >= 0; --y)
        rows.insert(rows.end(), image.rgb().begin() + std::ptrdiff_t(rowBytes * std::size_t(y)),
                    image.rgb().begin() + std::ptrdiff_t(rowBytes * std::size_t(y + 1)));
    return rows;
}

// Writes one texture and reads it back as the engine does: the engine must see the very
// pixels drawn here, with the top row on top, whatever the format stores.
bool writeTexture(const TextureFile& texture, const fs::path& root) {
    fs::path path = root / texture.name;
    Image image = texture.draw();
    if (!writeImage(image, texture.format, path.string())) {
        std::cerr << path.string() << ": cannot write\n";
        return false;
    }
    DecodedPixels back;
    if (!decodeImageFile(path.string().c_str(), kDefaultLargestImageSide, back) || back.channels != 3 ||
        back.width != image.width() || back.height != image.height() || back.bytes != bottomRowFirst(image)) {
        std::cerr << path.string() << ": the engine reads back other pixels than were written\n";
        return false;
    }
    std::cout << "wrote " << path.string() << " (" << image.width() << " x " << image.height() << ")\n";
    return true;
}

bool writeScene(const fs::path& root) {
    std::error_code error;
    fs::create_directories(root / "scene", error);
    if (error) {
        std::cerr << (root / "scene").string() << ": " << error.message() << "\n";
        return false;
    }
    SceneLayout scene = twoCubeScene();
    for (const TextureFile& texture : scene.textures)
        if (!writeTexture(texture, root)) return false;
    fs::path meshPath = root / meshFileName;
    std::ofstream mesh(meshPath, std::ios::binary);
    meshwriter::MeshFileContent content{{}, scene.materials, scene.meshName, scene.triangles};
    for (const TextureFile& texture : scene.textures) content.textureNames.push_back(texture.name);
    mesh << meshwriter::meshFileText(content);
    mesh.close();
    if (!mesh) {
        std::cerr << meshPath.string() << ": cannot write\n";
        return false;
    }
    std::cout << "wrote " << meshPath.string() << " (" << scene.triangles.size() << " faces)\n";
    return true;
}

// Any finding at all fails: the demo's own data is written to be clean.
int checkScene(const char* path) {
    CheckRun run;
    std::string reason;
    if (!run.checkPath(path, reason)) {
        std::cerr << "make-scene: cannot open '" << path << "': " << reason << "\n";
        return 2;
    }
    std::cout << findingsAsText(run.findings());
    std::cerr << countLine(run.findings()) << "\n";
    return run.findings().empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (toolcommon::answeredVersion(argc, argv, "make-scene")) return 0;
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0)
        return checkScene(argv[2]);
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::cerr << usage;
        return argc == 2 && std::strcmp(argv[1], "--help") == 0 ? 0 : 2;
    }
    return writeScene(argc == 2 ? argv[1] : ".") ? 0 : 1;
}
