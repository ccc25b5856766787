// Writes the sections of a mesh file in their fixed order: textures, materials, then the mesh
// with its faces of three corners.
#include "mesh_file_writer.h"

#include <cstdio>

namespace makescene {

std::string formatFloat(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(value));
    std::string result = text;
    while (result.size() > 1 && result.back() == '0' && result[result.size() - 2] != '.') result.pop_back();
    if (result == "-0.0") result = "0.0";
    return result;
}

namespace {

class LineWriter {
public:
    void line(const std::string& text) { text_ += text + "\n"; }
    void integer(int value) { line(std::to_string(value)); }
    void number(float value) { line(formatFloat(value)); }
    void pair(float a, float b) { line(formatFloat(a) + ", " + formatFloat(b)); }
    void triple(float a, float b, float c) { line(formatFloat(a) + ", " + formatFloat(b) + ", " + formatFloat(c)); }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

void writeMaterial(LineWriter& out, const MaterialBlock& material) {
    out.line(material.label);
    out.line("BASE");
    out.integer(material.baseTexture);
    out.number(material.baseScrollU);
    out.number(material.baseScrollV);
    out.integer(0);  // no sphere mapping
    out.line("DETAIL");
    out.integer(material.detailTexture);
    out.number(material.detailScrollU);
    out.number(material.detailScrollV);
    out.integer(0);
    out.line("BUMP");
    out.integer(material.bumpTexture);
    out.number(material.bumpParameter);
    out.line("FIN_MATERIAU");
}

void writeCorner(LineWriter& out, const Corner& corner) {
    out.line("SOMMET");
    out.triple(corner.position.x, corner.position.y, corner.position.z);
    out.pair(corner.baseU, corner.baseV);
    out.pair(corner.detailU, corner.detailV);
    out.pair(corner.bumpU, corner.bumpV);
    out.triple(corner.colour.r, corner.colour.g, corner.colour.b);
    out.line("FIN_SOMMET");
}

}  // namespace

std::string meshFileText(const SceneLayout& scene) {
    LineWriter out;
    out.line("FICHIER_VNO");
    out.line("TEXTURE");
    for (const TextureFile& texture : scene.textures) {
        out.line(texture.name);
        out.line("REPEAT");
    }
    out.line("FIN_TEXTURE");
    for (const MaterialBlock& material : scene.materials) writeMaterial(out, material);
    out.line("FIN_ALL_MATERIAUX");
    out.line("MESH");
    out.line(scene.meshName);
    out.triple(0.0f, 0.0f, 0.0f);  // position: the cubes are placed by their corners
    out.triple(0.0f, 0.0f, 0.0f);  // rotation
    out.triple(1.0f, 1.0f, 1.0f);  // scale
    int number = 0;
    for (const Triangle& triangle : scene.triangles) {
        out.line("FACE " + std::to_string(number++));
        out.integer(triangle.material);
        out.triple(triangle.normal.x, triangle.normal.y, triangle.normal.z);
        for (const Corner& corner : triangle.corners) writeCorner(out, corner);
        out.line("FIN_FACE");
    }
    out.line("FIN_MESH");
    return out.text();
}

}  // namespace makescene
