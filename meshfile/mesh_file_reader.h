// The mesh file reader: one forward pass over a mesh file that adds its textures, materials and
// mesh to the engine's lists. Owns the open file and the per-load index tables, nothing after.
#pragma once

#include <cstddef>
#include <memory>

#include "meshfile/line_reader.h"
#include "meshfile/mesh.h"

class MaterialList;
class TextureList;

// Loads `fileName` into the lists that `meshes` links to (its materials, and their textures).
// Returns the id of the mesh added, or -1 when the file was refused or ended too early to hold
// a mesh.
int loadMeshFile(const char* fileName, MeshList& meshes);
// The same load from a stream already open for reading (bytes in memory through fmemopen, for
// instance); `fileName` names it in the messages. The stream is closed in every case.
int loadMeshStream(std::FILE* stream, const char* fileName, MeshList& meshes);

class MeshFileReader {
public:
    static constexpr int maxTextureEntries = 100;
    static constexpr int maxMaterialBlocks = 99;
    static constexpr std::size_t lineChars = 254;  // the working line: 256 bytes
    static constexpr std::size_t wrapLineChars = 11;  // the wrap line: 12 bytes
    static constexpr std::size_t meshNameChars = 99;  // the mesh name: 100 bytes
    static constexpr std::size_t messageChars = 255;  // a message: 256 bytes

    MeshFileReader(const char* fileName, MaterialList& materials, TextureList& textures);
    // Reads `stream` instead of opening the file; the reader closes it.
    MeshFileReader(std::FILE* stream, const char* fileName, MaterialList& materials,
                   TextureList& textures);

    // Opens the file, checks its magic line and reads it whole. The mesh it describes, or none
    // when the file was refused or ended before the mesh's placement.
    std::unique_ptr<Mesh> openAndCheck();

private:
    void readTextures();
    void readMaterials();
    std::unique_ptr<Mesh> readMesh();
    bool readFace(Face& face);
    void readVertex(Vertex& vertex);

    // The line readers. Past the end of the file they give empty lines and set `fileEnded`,
    // so that a file that ends early can never keep a section loop going.
    const Line& readRawLine(std::size_t maxChars) {
        if (fileEnded || !file.readRawLine(maxChars, line)) {
            fileEnded = true;
            line = Line{};
        }
        return line;
    }
    const Line& readLine() { return readRawLine(lineChars); }
    void skipLine() { readRawLine(lineChars); }
    int readIntLine();
    bool readFlagLine() { return readIntLine() != 0; }
    float readFloatLine();
    // Reads a line of `n` comma-separated floats into `values`.
    void readFloatList(float* values, int n);
    Vector3 readVectorLine();
    // The first float of the working text; drops the text up to and including its first comma.
    // `beforeLineEnd`: the byte at `end` is a line end or a NUL.
    template <bool beforeLineEnd>
    float takeFloat(const char*& text, const char* end);

    int textureIdAt(int index) const;
    int materialIdAt(int index) const;
    void tellUser(const char* prefix) const;

    const char* fileName;
    std::FILE* stream = nullptr;
    MaterialList& materials;
    TextureList& textures;
    LineReader file;
    Line line;
    bool fileEnded = false;

    int textureIndexTable[maxTextureEntries] = {};
    int textureEntries = 0;
    int materialIndexTable[maxMaterialBlocks + 1] = {};
    int materialBlocks = 0;
};
