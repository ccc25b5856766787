// libFuzzer harness for the scene description loader: each input is read from memory, through
// the same stream path as a file, into a fresh engine (no images, no context, recorded message
// boxes). Mesh entries are loaded for real; the fuzzer runs where a small mesh file lies.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/engine.h"
#include "platform/fake_platform.h"

namespace {

// The name the messages give the input.
const std::string inputPath = "fuzz-input.vnt";

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Whether the bytes begin with the second kind's line, which the loader accepts silently.
bool isSecondKind(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size < 13 ? size : 13);
    return startsWith(text, "FICHIER_VNS\n") || startsWith(text, "FICHIER_VNS\r\n");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Read-only: the stream never writes to the fuzzer's bytes.
    std::FILE* stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (stream == nullptr) std::abort();

    platform::fake::reset();  // every box is answered; the record starts empty each time
    Engine engine;
    engine.materials.init(engine.textures, engine.extensions);
    engine.meshes.init(engine.materials, engine.extensions);
    platform::fake::reset();
    engine.loadSceneDescription(stream, inputPath.c_str());

    // The loader's own messages: exactly one, and the last, unless the file is of the second
    // kind; the mesh and texture loaders' messages come before it.
    const auto& boxes = platform::fake::messageBoxes();
    const auto isOwn = [](const platform::fake::MessageBoxCall& box) {
        return (box.text == "Chargement Termin\xE9" && box.caption == "Information") ||
               box.text == "Fichier Non Valide:  " + inputPath ||
               box.text == "Fin de fichier inattendue dans le fichier " + inputPath;
    };
    int own = 0;
    for (const auto& box : boxes) own += isOwn(box) ? 1 : 0;
    if (own != (isSecondKind(data, size) ? 0 : 1)) __builtin_trap();
    if (own == 1 && !isOwn(boxes.back())) __builtin_trap();

    // Records as the lists promise them, whatever the bytes.
    if (engine.cameras.nextIdValue() != static_cast<int>(engine.cameras.all().size()))
        __builtin_trap();
    if (engine.lights.nextIdValue() != static_cast<int>(engine.lights.all().size()))
        __builtin_trap();
    for (const Camera& camera : engine.cameras.all())
        if (strnlen(camera.name, sizeof camera.name) > 254 || camera.fieldOfView != 54)
            __builtin_trap();
    for (const Light& light : engine.lights.all()) {
        if (strnlen(light.name, sizeof light.name) > 254 || light.tag != 0) __builtin_trap();
        // Whole, within the integer range, and never minus zero.
        if (std::trunc(light.radius) != light.radius || std::fabs(light.radius) > 2147483648.0f ||
            (light.radius == 0.0f && std::signbit(light.radius)))
            __builtin_trap();
        if (engine.lights.getRadius(light.id) != wholeRadius(light.radius)) __builtin_trap();
    }
    for (const Texture& texture : engine.textures.all())
        if (texture.filterMode != 2 || strnlen(texture.fileName, sizeof texture.fileName) > 254)
            __builtin_trap();
    return 0;
}
