// The mesh file reader: magic line, textures section, materials section and the one mesh, read
// line by line in their fixed order. A file that ends early keeps what was read in full.
#include "meshfile/mesh_file_reader.h"

#include <cstring>
#include <string>
#include <utility>

#include "meshfile/material.h"
#include "meshfile/number_reader.h"
#include "platform/platform.h"
#include "render/texture_list.h"

namespace {

constexpr int filterMipmapped = 2;
constexpr int wrapRepeat = 0;
constexpr int wrapClamp = 1;

// Copies the visible text of a line (up to its first NUL) into `out`, cut at `maxChars`.
void copyText(const Line& line, char* out, std::size_t maxChars) {
    const std::size_t length = line.length < maxChars ? line.length : maxChars;
    std::memcpy(out, line.text, length);
    out[length] = '\0';
}

// A stream, when given, is read in place of the named file.
int loadMesh(std::FILE* stream, const char* fileName, MeshList& meshes) {
    // The lists are linked by the engine's start-up; without them there is nowhere to load to.
    if (fileName == nullptr || meshes.materials == nullptr ||
        meshes.materials->textureList == nullptr) {
        if (stream != nullptr) std::fclose(stream);
        return -1;
    }
    MeshFileReader reader(stream, fileName, *meshes.materials, *meshes.materials->textureList);
    const std::unique_ptr<Mesh> mesh = reader.openAndCheck();
    if (!mesh) return -1;
    // The heap mesh goes away now, so its arrays can move into the list instead of being copied.
    return meshes.add(std::move(*mesh));
}

}  // namespace

int loadMeshFile(const char* fileName, MeshList& meshes) {
    return loadMesh(nullptr, fileName, meshes);
}

int loadMeshStream(std::FILE* stream, const char* fileName, MeshList& meshes) {
    return loadMesh(stream, fileName, meshes);
}

MeshFileReader::MeshFileReader(const char* fileName, MaterialList& materials,
                               TextureList& textures)
    : fileName(fileName), materials(materials), textures(textures) {}

MeshFileReader::MeshFileReader(std::FILE* stream, const char* fileName, MaterialList& materials,
                               TextureList& textures)
    : fileName(fileName), stream(stream), materials(materials), textures(textures) {}

std::unique_ptr<Mesh> MeshFileReader::openAndCheck() {
    if (stream != nullptr ? !file.open(stream) : !file.open(fileName)) {
        tellUser("Impossible d'ouvrir le fichier ");
        return nullptr;
    }
    static constexpr char magic[] = "FICHIER_VNO";
    const std::size_t magicLength = sizeof magic - 1;
    const Line& first = readRawLine(lineChars);
    const bool isMeshFile = !fileEnded && first.hasLineEnd && first.length == magicLength &&
                            first.rawLength == magicLength &&
                            std::memcmp(first.text, magic, magicLength) == 0;
    if (!isMeshFile) {
        file.close();
        platform::messageBox("Format de fichier inconnu", "Erreur", platform::MB_OK);
        return nullptr;
    }

    readTextures();
    if (!fileEnded) readMaterials();
    std::unique_ptr<Mesh> mesh;
    if (!fileEnded) mesh = readMesh();
    file.close();
    if (fileEnded) tellUser("Fin de fichier inattendue dans le fichier ");
    return mesh;
}

void MeshFileReader::readTextures() {
    if (!readLine().startsWith("TEXTURE", 7)) return;  // no textures section; the line is used up
    bool toldTooMany = false;
    char name[lineChars + 1];
    for (;;) {
        const Line& nameLine = readLine();
        if (fileEnded || nameLine.startsWith("FIN_TEXTURE", 11)) return;
        copyText(nameLine, name, lineChars);
        const int wanted = readRawLine(wrapLineChars).startsWith("REPEAT", 6) ? wrapRepeat
                                                                               : wrapClamp;
        if (fileEnded) return;  // an entry without its wrap line is not added
        // Entries past the table are read all the same, so that the lines after them keep
        // their places, but nothing can refer to them.
        if (textureEntries == maxTextureEntries) {
            if (!toldTooMany) tellUser("Trop de textures dans le fichier ");
            toldTooMany = true;
            continue;
        }
        int id = textures.findByName(name);
        if (id == -1) {
            id = textures.addTexture(name, filterMipmapped, wanted);
        } else {
            // Only the first texture of a name is compared, so an entry that wants the other
            // wrap mode loads a texture of its own each time.
            const int found = textures.wrapModeOf(id);
            if ((found == wrapClamp && wanted == wrapRepeat) ||
                (found == wrapRepeat && wanted == wrapClamp))
                id = textures.addTexture(name, filterMipmapped, wanted);
        }
        textureIndexTable[textureEntries++] = id;
    }
}

void MeshFileReader::readMaterials() {
    bool toldTooMany = false;
    for (;;) {
        const Line& header = readLine();
        if (fileEnded || header.startsWith("FIN_ALL_MATERIAUX", 17)) return;

        skipLine();
        const int baseIndex = readIntLine();
        const float baseScrollU = readFloatLine();
        const float baseScrollV = readFloatLine();
        const bool baseSphereMap = readFlagLine();
        skipLine();
        const int detailIndex = readIntLine();
        const float detailScrollU = readFloatLine();
        const float detailScrollV = readFloatLine();
        const bool detailSphereMap = readFlagLine();
        skipLine();
        const int bumpIndex = readIntLine();
        const float bumpParameter = readFloatLine();
        skipLine();
        if (fileEnded) return;  // a block cut short is not added

        if (materialBlocks == maxMaterialBlocks) {
            if (!toldTooMany) tellUser("Trop de materiaux dans le fichier ");
            toldTooMany = true;
            continue;
        }
        Material material;
        material.setBaseTexture(textureIdAt(baseIndex));
        material.setBaseScrollU(baseScrollU);
        material.setBaseScrollV(baseScrollV);
        material.setBaseSphereMap(baseSphereMap);
        material.setDetailTexture(detailIndex == -1 ? -1 : textureIdAt(detailIndex));
        material.setDetailScrollU(detailScrollU);
        material.setDetailScrollV(detailScrollV);
        material.setDetailSphereMap(detailSphereMap);
        material.setBumpTexture(bumpIndex == -1 ? -1 : textureIdAt(bumpIndex));
        material.setBumpParameter(bumpParameter);

        int id = materials.find(material);
        if (id == -1) id = materials.add(material);
        materialIndexTable[materialBlocks++] = id;
        materialIndexTable[materialBlocks] = -1;
    }
}

std::unique_ptr<Mesh> MeshFileReader::readMesh() {
    auto mesh = std::make_unique<Mesh>();
    skipLine();
    char name[meshNameChars + 1];
    copyText(readLine(), name, meshNameChars);
    const Vector3 position = readVectorLine();
    const Vector3 rotation = readVectorLine();
    const Vector3 scale = readVectorLine();
    if (fileEnded) return nullptr;  // not even placed: there is no mesh to keep
    mesh->setName(name);
    mesh->setPosition(position);
    mesh->setRotation(rotation);
    mesh->setScale(scale);

    Face face;
    for (;;) {
        const Line& header = readLine();
        if (fileEnded || header.startsWith("FIN_MESH", 8)) break;
        if (!readFace(face)) break;  // a face cut short is not added
        mesh->addFace(face);
    }
    // Every block of the file, used by a face or not, and a shared id once per block.
    for (int block = 0; block < materialBlocks; ++block)
        mesh->addMaterialId(materialIndexTable[block]);
    return mesh;
}

bool MeshFileReader::readFace(Face& face) {
    face.materialId = materialIdAt(readIntLine());
    face.normal = readVectorLine();
    for (Vertex& vertex : face.vertices) readVertex(vertex);
    skipLine();
    return !fileEnded;
}

void MeshFileReader::readVertex(Vertex& vertex) {
    skipLine();
    vertex.position = readVectorLine();
    float pair[2];
    readFloatList(pair, 2);
    vertex.baseU = pair[0];
    vertex.baseV = pair[1];
    readFloatList(pair, 2);
    vertex.detailU = pair[0];
    vertex.detailV = pair[1];
    readFloatList(pair, 2);
    vertex.bumpU = pair[0];
    vertex.bumpV = pair[1];
    readFloatList(vertex.color, 3);
    skipLine();
}

int MeshFileReader::readIntLine() {
    const Line& read = readLine();
    return readInt(read.text, read.text + read.length);
}

float MeshFileReader::readFloatLine() {
    const Line& read = readLine();
    return readFloatPadded(read.text, read.text + read.length, nullptr);
}

void MeshFileReader::readFloatList(float* values, int n) {
    const Line& read = readLine();
    const char* text = read.text;
    const char* end = read.text + read.length;
    // A line that stops at its line end or at a NUL, as nearly all do, ends every number by
    // itself; a piece of a longer line may run on into digits and is read with the general care.
    const char stop = *end;
    if (stop == '\n' || stop == '\r' || stop == '\0') {
        for (int i = 0; i < n; ++i) values[i] = takeFloat<true>(text, end);
    } else {
        for (int i = 0; i < n; ++i) values[i] = takeFloat<false>(text, end);
    }
}

Vector3 MeshFileReader::readVectorLine() {
    float values[3];
    readFloatList(values, 3);
    return Vector3{values[0], values[1], values[2]};
}

static_assert(lineReadAhead >= readFloatPadding, "lines must leave room to read numbers ahead");

template <bool beforeLineEnd>
float MeshFileReader::takeFloat(const char*& text, const char* end) {
    const char* after = text;
    const float value = beforeLineEnd ? readFloatBeforeLineEnd(text, end, &after)
                                      : readFloatPadded(text, end, &after);
    // The number holds no comma, so the first comma of the text is the first one after it,
    // most often right after it. A list with too few values runs out of text: the missing
    // ones read as 0.
    while (after != end && *after != ',') ++after;
    text = after != end ? after + 1 : end;
    return value;
}

int MeshFileReader::textureIdAt(int index) const {
    // An index that names no entry read stands for no texture.
    return index >= 0 && index < textureEntries ? textureIndexTable[index] : -1;
}

int MeshFileReader::materialIdAt(int index) const {
    return index >= 0 && index < materialBlocks ? materialIndexTable[index] : -1;
}

void MeshFileReader::tellUser(const char* prefix) const {
    // The message keeps to its 256 bytes: a very long file name is cut.
    std::string text = std::string(prefix) + fileName;
    if (text.size() > messageChars) text.resize(messageChars);
    platform::messageBox(text.c_str(), "Erreur", platform::MB_OK);
}
