// Writes the sections of a mesh file in their fixed order: textures, materials, then the mesh
// with its faces of three corners.
#include "meshfile/mesh_file_writer.h"

#include <charconv>

namespace meshwriter {

void appendFloat(std::string& text, float value) {
    char digits[64];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 6);
    const char* last = error == std::errc() ? end : digits;
    // Trailing zeros go, but one digit stays after the point.
    while (last - digits > 2 && last[-1] == '0' && last[-2] != '.') --last;
    const std::string_view number(digits, static_cast<std::size_t>(last - digits));
    text += number == "-0.0" ? std::string_view("0.0") : number;
}

std::string formatFloat(float value) {
    std::string text;
    appendFloat(text, value);
    return text;
}

namespace {

class LineWriter {
public:
    void line(std::string_view text) {
        text_ += text;
        text_ += '\n';
    }
    void integer(int value) { line(std::to_string(value)); }
    void number(float value) {
        appendFloat(text_, value);
        text_ += '\n';
    }
    void pair(float a, float b) {
        appendFloat(text_, a);
        text_ += ", ";
        number(b);
    }
    void triple(float a, float b, float c) {
        appendFloat(text_, a);
        text_ += ", ";
        pair(b, c);
    }
    void reserve(std::size_t bytes) { text_.reserve(bytes); }
    std::string take() { return std::move(text_); }

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

std::string meshFileText(const MeshFileContent& content) {
    LineWriter out;
    // A face takes some 600 bytes; one allocation spares the copies of a growing text.
    out.reserve(1024 + content.triangles.size() * 640);
    out.line("FICHIER_VNO");
    out.line("TEXTURE");
    for (const std::string& name : content.textureNames) {
        out.line(name);
        out.line("REPEAT");
    }
    out.line("FIN_TEXTURE");
    for (const MaterialBlock& material : content.materials) writeMaterial(out, material);
    out.line("FIN_ALL_MATERIAUX");
    out.line("MESH");
    out.line(content.meshName);
    out.triple(0.0f, 0.0f, 0.0f);  // position: corners are written where they belong
    out.triple(0.0f, 0.0f, 0.0f);  // rotation
    out.triple(1.0f, 1.0f, 1.0f);  // scale
    int number = 0;
    for (const Triangle& triangle : content.triangles) {
        out.line("FACE " + std::to_string(number++));
        out.integer(triangle.material);
        out.triple(triangle.normal.x, triangle.normal.y, triangle.normal.z);
        for (const Corner& corner : triangle.corners) writeCorner(out, corner);
        out.line("FIN_FACE");
    }
    out.line("FIN_MESH");
    return out.take();
}

}  // namespace meshwriter
