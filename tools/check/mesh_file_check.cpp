// The mesh file checker: the magic line, the textures section, the materials section and the
// mesh, line by line in the engine's order, so that each line is checked for the role the
// engine gives it.
#include "tools/check/mesh_file_check.h"

#include <string_view>

#include "meshfile/mesh_file_reader.h"
#include "meshfile/face_area.h"
#include "tools/check/file_check.h"
#include "tools/check/line_checker.h"

namespace {

using Owner = Role::Owner;

constexpr const char* xyz[] = {"x", "y", "z"};
constexpr const char* uv[] = {"u", "v"};
constexpr const char* rgb[] = {"red", "green", "blue"};
constexpr std::string_view magic = "FICHIER_VNO";
// Keywords that end a section: found anywhere else, they show lines missing above them.
constexpr std::string_view sectionEnds[] = {"FIN_TEXTURE", "FIN_ALL_MATERIAUX", "FIN_MESH"};

bool isDegenerate(const Face& face) {
    return facearea::spansNoArea(face.vertices[0].position, face.vertices[1].position, face.vertices[2].position);
}

std::string linesAmiss(const Role&) {
    return "lines are missing or left over above it";
}

class MeshFileChecker {
public:
    MeshFileChecker(LineChecker& lines, CheckRun& run, MeshFileValues* values)
        : lines(lines), run(run), values(values) {}

    void check() {
        if (!magicLineIsRight()) return;  // the engine refuses the file and reads no further
        lines.warnOfKeywords(sectionEnds, "misplaced-keyword", linesAmiss);
        checkTextures();
        if (!lines.ended()) checkMaterials();
        if (!lines.ended()) checkMesh();
        if (!lines.ended()) lines.checkNothingAfter("FIN_MESH");
    }

private:
    bool magicLineIsRight() {
        const Line& first = lines.line();
        if (lines.ended()) {
            lines.report(0, Severity::error, "bad-first-line",
                         "the file is empty; a mesh file begins with the line 'FICHIER_VNO'");
            return false;
        }
        if (first.hasLineEnd && first.rawLength == magic.size() && lines.text() == magic)
            return true;
        if (lines.begins(magic) && first.rawLength > magic.size())
            lines.report(
                magic.size(), Severity::error, "bad-first-line",
                "the first line must be exactly 'FICHIER_VNO'; the engine refuses the "
                "file because of " +
                    quoted(std::string_view(first.text, first.rawLength).substr(magic.size())));
        else if (lines.begins(magic))
            lines.report(
                magic.size(), Severity::error, "bad-first-line",
                "the first line 'FICHIER_VNO' has no line end; the engine refuses the file");
        else
            lines.report(
                0, Severity::error, "bad-first-line",
                "the first line must be 'FICHIER_VNO', found " +
                    (first.rawLength == 0 ? std::string("an empty line")
                                          : quoted(std::string_view(first.text, first.rawLength))) +
                    "; the engine refuses the file");
        return false;
    }

    void checkTextures() {
        if (!lines.read(Role{"the second line, 'TEXTURE' or a line the engine skips"})) return;
        if (!lines.begins("TEXTURE")) return;  // no textures section; the line is used up
        lines.checkKeywordEnd("TEXTURE");
        for (int entry = 0;; ++entry) {
            if (!lines.read(Role{"the file name", Owner::texture, entry, 0, "FIN_TEXTURE"})) return;
            if (lines.begins("FIN_TEXTURE")) {
                lines.checkKeywordEnd("FIN_TEXTURE");
                return;
            }
            const Place namePlace = lines.place();
            const std::string name(lines.text());
            if (!lines.read(Role{"the wrap line", Owner::texture, entry},
                            MeshFileReader::wrapLineChars))
                return;
            const bool repeat = lines.begins("REPEAT");
            if (!repeat) checkClampMeant();
            if (entry >= MeshFileReader::maxTextureEntries) {
                if (entry == MeshFileReader::maxTextureEntries)
                    lines.report(namePlace, Severity::error, "too-many-textures",
                                 "texture " + std::to_string(entry) +
                                     " is one too many: a mesh file holds at most " +
                                     std::to_string(MeshFileReader::maxTextureEntries) +
                                     " texture entries, and the engine drops the rest");
                continue;
            }
            run.checkImageName(lines, namePlace, name);
            ++textureEntries;
            if (values != nullptr) {
                values->textureNames.push_back(name);
                values->textureRepeats.push_back(repeat);
            }
        }
    }

    // A wrap line that seems meant to be "REPEAT" (other letter case, blanks before it)
    // clamps its texture all the same.
    void checkClampMeant() {
        std::string_view text = lines.text();
        const std::size_t blanks = text.find_first_not_of(" \t");
        if (blanks == std::string_view::npos) return;
        text.remove_prefix(blanks);
        if (text.size() < 6) return;
        for (std::size_t i = 0; i < 6; ++i)
            if ((text[i] & ~0x20) != "REPEAT"[i]) return;
        lines.report(blanks, Severity::warning, "repeat-misspelt",
                     quoted(lines.text()) +
                         " is not 'REPEAT' at the start of the line; the "
                         "engine clamps this texture");
    }

    void checkMaterials() {
        for (int block = 0;; ++block) {
            if (!lines.read(
                    Role{"the header line", Owner::material, block, 0, "FIN_ALL_MATERIAUX"}))
                return;
            if (lines.begins("FIN_ALL_MATERIAUX")) {
                lines.checkKeywordEnd("FIN_ALL_MATERIAUX");
                return;
            }
            const Place header = lines.place();
            const auto role = [block](const char* what) {
                return Role{what, Owner::material, block};
            };
            MaterialValues m;
            skip(role("the base layer line"));
            m.baseTexture = intLine(role("the base texture index"));
            const Place base = lines.place();
            m.baseScrollU = floatLine(role("the base scroll u"));
            m.baseScrollV = floatLine(role("the base scroll v"));
            m.baseSphereMap = intLine(role("the base sphere map flag")) != 0;
            skip(role("the detail layer line"));
            m.detailTexture = intLine(role("the detail texture index"));
            const Place detail = lines.place();
            m.detailScrollU = floatLine(role("the detail scroll u"));
            m.detailScrollV = floatLine(role("the detail scroll v"));
            m.detailSphereMap = intLine(role("the detail sphere map flag")) != 0;
            skip(role("the bump layer line"));
            m.bumpTexture = intLine(role("the bump texture index"));
            const Place bump = lines.place();
            m.bumpParameter = floatLine(role("the bump parameter"));
            skip(role("the end line"));
            if (lines.ended()) return;  // the engine drops a block cut short

            if (block >= MeshFileReader::maxMaterialBlocks) {
                if (block == MeshFileReader::maxMaterialBlocks)
                    lines.report(header, Severity::error, "too-many-materials",
                                 "material " + std::to_string(block) +
                                     " is one too many: a mesh file holds at most " +
                                     std::to_string(MeshFileReader::maxMaterialBlocks) +
                                     " material blocks, and the engine drops the rest");
                continue;
            }
            checkTextureIndex(base, role("the base texture index"), m.baseTexture, false);
            checkTextureIndex(detail, role("the detail texture index"), m.detailTexture, true);
            checkTextureIndex(bump, role("the bump texture index"), m.bumpTexture, true);
            ++materialBlocks;
            if (values != nullptr) values->materials.push_back(m);
        }
    }

    void checkTextureIndex(Place at, const Role& role, int index, bool noneAllowed) {
        if ((index >= 0 && index < textureEntries) || (noneAllowed && index == -1)) return;
        const std::string entries = textureEntries == 0   ? "there are no texture entries"
                                    : textureEntries == 1 ? "the only texture entry is 0"
                                                          : "the texture entries are 0 to " +
                                                                std::to_string(textureEntries - 1);
        lines.report(at, Severity::error, "bad-texture-index",
                     describe(role) + " is " + std::to_string(index) + ", but " + entries +
                         (noneAllowed   ? " (or -1 for none)"
                          : index == -1 ? "; a material cannot go without its base texture"
                                        : "") +
                         "; the engine draws without this texture");
    }

    void checkMesh() {
        const Role mesh{"the mesh header line", Owner::mesh};
        skip(mesh);
        lines.read(Role{"the mesh name", Owner::mesh});
        const std::string name(lines.text().substr(0, MeshFileReader::meshNameChars));
        if (lines.text().size() > MeshFileReader::meshNameChars)
            lines.report(MeshFileReader::meshNameChars, Severity::warning, "name-too-long",
                         "the mesh name is longer than " +
                             std::to_string(MeshFileReader::meshNameChars) +
                             " characters; the engine cuts it to " + quoted(name));
        float position[3], rotation[3], scale[3];
        floatList(Role{"the mesh position", Owner::mesh}, position, 3, xyz);
        floatList(Role{"the mesh rotation", Owner::mesh}, rotation, 3, xyz);
        floatList(Role{"the mesh scale", Owner::mesh}, scale, 3, xyz);
        if (lines.ended()) return;
        if (values != nullptr) {
            values->hasMesh = true;
            values->meshName = name;
            values->position = {position[0], position[1], position[2]};
            values->rotation = {rotation[0], rotation[1], rotation[2]};
            values->scale = {scale[0], scale[1], scale[2]};
        }
        Face face;
        for (int index = 0;; ++index) {
            if (!lines.read(Role{"the header line", Owner::face, index, 0, "FIN_MESH"})) return;
            if (lines.begins("FIN_MESH")) {
                lines.checkKeywordEnd("FIN_MESH");
                return;
            }
            const Place header = lines.place();
            if (!checkFace(index, face)) return;
            if (isDegenerate(face))
                lines.report(header, Severity::warning, "degenerate-face",
                             "face " + std::to_string(index) +
                                 " has no area: its three corners lie on one line");
            if (values != nullptr) values->faces.push_back(face);
        }
    }

    // False when the file ended inside the face, which the engine then drops.
    bool checkFace(int index, Face& face) {
        const Role materialRole{"the material index", Owner::face, index};
        face.materialId = intLine(materialRole);
        const Place materialPlace = lines.place();
        float normal[3];
        floatList(Role{"the normal", Owner::face, index}, normal, 3, xyz);
        face.normal = {normal[0], normal[1], normal[2]};
        for (int corner = 0; corner < 3; ++corner) {
            const auto role = [&](const char* what) {
                return Role{what, Owner::corner, index, corner + 1};
            };
            Vertex& v = face.vertices[corner];
            skip(role("the header line"));
            float position[3];
            floatList(role("the position"), position, 3, xyz);
            v.position = {position[0], position[1], position[2]};
            float pair[2];
            floatList(role("the base u, v"), pair, 2, uv);
            v.baseU = pair[0];
            v.baseV = pair[1];
            floatList(role("the detail u, v"), pair, 2, uv);
            v.detailU = pair[0];
            v.detailV = pair[1];
            floatList(role("the bump u, v"), pair, 2, uv);
            v.bumpU = pair[0];
            v.bumpV = pair[1];
            floatList(role("the colour"), v.color, 3, rgb);
            skip(role("the end line"));
        }
        skip(Role{"the end line", Owner::face, index});
        if (lines.ended()) return false;
        if (face.materialId < 0 || face.materialId >= materialBlocks) {
            const std::string blocks =
                materialBlocks == 0 ? "there are no material blocks"
                : materialBlocks == 1
                    ? "the only material block is 0"
                    : "the material blocks are 0 to " + std::to_string(materialBlocks - 1);
            lines.report(materialPlace, Severity::error, "bad-material-index",
                         describe(materialRole) + " is " + std::to_string(face.materialId) +
                             ", but " + blocks + "; the engine never draws this face");
        }
        return true;
    }

    void skip(const Role& role) { lines.skipLine(role); }
    int intLine(const Role& role) { return lines.intLine(role); }
    float floatLine(const Role& role) { return lines.floatLine(role); }
    void floatList(const Role& role, float* out, int count, const char* const* names) {
        lines.floatList(role, out, count, names);
    }

    LineChecker& lines;
    CheckRun& run;
    MeshFileValues* values;
    int textureEntries = 0;
    int materialBlocks = 0;
};

}  // namespace

void checkMeshFileLines(LineChecker& lines, CheckRun& run, MeshFileValues* values) {
    MeshFileChecker(lines, run, values).check();
}
