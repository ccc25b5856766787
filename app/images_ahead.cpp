// Reads only the texture list at the top of a mesh file, line by line with the mesh file's own
// line limits; whatever else the file holds waits for the real load.
#include "app/images_ahead.h"

#include <string>

#include "image/decode.h"
#include "meshfile/line_reader.h"
#include "meshfile/mesh_file_reader.h"

void decodeMeshImagesAhead(const char* meshFileName) {
    LineReader file;
    Line line;
    if (!file.open(meshFileName) || !file.readRawLine(MeshFileReader::lineChars, line) ||
        !line.startsWith("FICHIER_VNO", 11) || !file.readRawLine(MeshFileReader::lineChars, line) ||
        !line.startsWith("TEXTURE", 7))
        return;
    for (int entry = 0; entry < MeshFileReader::maxTextureEntries; ++entry) {
        if (!file.readRawLine(MeshFileReader::lineChars, line) || line.startsWith("FIN_TEXTURE", 11))
            return;
        const std::string name(line.text, line.length);
        if (!file.readRawLine(MeshFileReader::wrapLineChars, line)) return;
        decodeImageFileAhead(name.c_str());
    }
}
