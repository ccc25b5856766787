// make-scene: draws the demo's textures and writes "scene/2cube.vno" with them, or checks
// an existing mesh file. Run it from the repository root; the mesh file names its textures
// relative to that directory, as the demo opens them.
#include "devil_reader.h"
#include "meshfile/mesh_file_writer.h"
#include "scene_check.h"
#include "scene_layout.h"
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
    "       make-scene --check FILE    check a mesh file and the textures it names\n";

// Writes one texture and reads it back through DevIL: the engine must see the very pixels
// drawn here, with the top row on top, whatever the format stores.
bool writeTexture(const TextureFile& texture, const fs::path& root) {
    fs::path path = root / texture.name;
    Image image = texture.draw();
    if (!writeImage(image, texture.format, path.string())) {
        std::cerr << path.string() << ": cannot write\n";
        return false;
    }
    LoadedImage back = readWithDevil(path.string());
    if (!back.loaded || back.width != image.width() || back.height != image.height() || back.rgb != image.rgb()) {
        std::cerr << path.string() << ": DevIL reads back other pixels than were written\n";
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

}  // namespace

int main(int argc, char** argv) {
    if (toolcommon::answeredVersion(argc, argv, "make-scene")) return 0;
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0)
        return checkMeshFile(argv[2], std::cout) ? 0 : 1;
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::cerr << usage;
        return argc == 2 && std::strcmp(argv[1], "--help") == 0 ? 0 : 2;
    }
    return writeScene(argc == 2 ? argv[1] : ".") ? 0 : 1;
}
