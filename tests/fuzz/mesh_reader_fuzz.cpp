// libFuzzer harness for the mesh file reader: each input is read from memory, through the same
// stream path as a file, into fresh lists (no images, recorded message boxes). Number reading
// is also checked against atof and strtol on the same bytes, bit for bit.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/gl_extensions.h"
#include "meshfile/material.h"
#include "meshfile/mesh.h"
#include "meshfile/mesh_file_reader.h"
#include "meshfile/number_reader.h"
#include "platform/fake_platform.h"
#include "render/texture_list.h"

namespace {

// The name the messages give the input.
constexpr char inputName[] = "fuzz-input.vno";

std::uint32_t bitsOf(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void checkNumbers(const std::uint8_t* data, std::size_t size) {
    if (size > 300) size = 300;
    const std::string text(reinterpret_cast<const char*>(data), size);  // NUL-terminated copy
    const float expected = static_cast<float>(std::atof(text.c_str()));
    if (bitsOf(readFloat(text.data(), text.data() + size)) != bitsOf(expected)) __builtin_trap();
    // The padded reader may look past the end: give it bytes that would change the number.
    std::string padded = text + std::string(readFloatPadding, '7');
    if (bitsOf(readFloatPadded(padded.data(), padded.data() + size, nullptr)) != bitsOf(expected))
        __builtin_trap();
    // The reader of whole lines sees the line end, then the same bytes.
    std::string line = text + '\n' + std::string(readFloatPadding, '7');
    if (bitsOf(readFloatBeforeLineEnd(line.data(), line.data() + size, nullptr)) != bitsOf(expected))
        __builtin_trap();
    long long wide = std::strtoll(text.c_str(), nullptr, 10);
    if (wide > INT32_MAX) wide = INT32_MAX;
    if (wide < INT32_MIN) wide = INT32_MIN;
    if (readInt(text.data(), text.data() + size) != static_cast<int>(wide)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkNumbers(data, size);

    // Read-only: the stream never writes to the fuzzer's bytes.
    std::FILE* stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (stream == nullptr) std::abort();

    platform::fake::reset();  // every box is answered; the record starts empty each time
    TextureList textures;
    GlExtensions extensions;
    MaterialList materials;
    MeshList meshes;
    materials.init(textures, extensions);
    meshes.init(materials, extensions);
    const int id = loadMeshStream(stream, inputName, meshes);

    // What the reader promises whatever the bytes: a refusal adds no mesh, every face names a
    // material of the list or none, and at most one box per kind of trouble.
    if ((id == -1) != meshes.all().empty()) __builtin_trap();
    if (textures.all().size() > 100) __builtin_trap();
    if (materials.all().size() > 99) __builtin_trap();
    for (const Mesh& mesh : meshes.all()) {
        if (std::strlen(mesh.name) > 99) __builtin_trap();
        for (const Face& face : mesh.faces)
            if (face.materialId < -1 || face.materialId >= static_cast<int>(materials.all().size()))
                __builtin_trap();
    }
    if (platform::fake::messageBoxes().size() > 2 + 3) __builtin_trap();
    return 0;
}
