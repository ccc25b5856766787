// The scene description checker. The engine skips every top-level line it does not know, and
// takes the lines of a block by their position alone: the checker says where either hides a
// mistake.
#include "tools/check/scene_description_check.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "tools/check/file_check.h"
#include "tools/check/line_checker.h"

namespace {

using Owner = Role::Owner;

constexpr const char* xyz[] = {"x", "y", "z"};
constexpr const char* rgb[] = {"red", "green", "blue"};
constexpr std::string_view endKeyword = "FIN_FICHIER_VNT";
// The top-level keywords in the order the engine tests them.
constexpr std::string_view topLevelKeywords[] = {endKeyword, "TEXTURE", "CAMERA", "LUMIERE",
                                                 "MESH"};

std::string blockEndsEarly(const Role& role) {
    switch (role.owner) {
    case Owner::camera: return "the camera block ends early";
    case Owner::light: return "the light block ends early";
    case Owner::texture: return "the texture block lacks its 'FIN_TEXTURE' line above it";
    default: return "the mesh entry ends early";
    }
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// The keyword a skipped line seems meant to be: one written in other letters' case, or after
// blanks. Lines of free text are skipped by design and are not reported.
std::string_view keywordMeant(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    for (std::string_view keyword : topLevelKeywords) {
        if (text.size() < keyword.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < keyword.size() && same; ++i)
            same = upper(text[i]) == keyword[i];
        if (same) return keyword;
    }
    return {};
}

class SceneDescriptionChecker {
public:
    SceneDescriptionChecker(LineChecker& lines, CheckRun& run) : lines(lines), run(run) {}

    void check() {
        if (!kindLineIsRight()) return;
        lines.warnOfKeywords(topLevelKeywords, "block-ends-early", blockEndsEarly);
        const Role topLevel{"'FIN_FICHIER_VNT'", Owner::file, 0, 0, nullptr, true};
        while (lines.read(topLevel)) {
            if (lines.begins(endKeyword)) {
                lines.checkKeywordEnd(endKeyword);
                lines.checkNothingAfter(endKeyword);
                return;
            }
            if (lines.begins("TEXTURE"))
                checkTextureBlock();
            else if (lines.begins("CAMERA"))
                checkCameraBlock();
            else if (lines.begins("LUMIERE"))
                checkLightBlock();
            else if (lines.begins("MESH"))
                checkMeshEntry();
            else
                noteSkippedLine();
        }
    }

private:
    // True when the blocks follow; a file of the second kind is accepted and not read.
    bool kindLineIsRight() {
        if (lines.ended()) {
            lines.report(
                0, Severity::error, "bad-first-line",
                "the file is empty; a scene description begins with the line 'FICHIER_VNT'");
            return false;
        }
        const Line& first = lines.line();
        const bool whole = first.hasLineEnd && first.length == first.rawLength;
        if (whole && lines.text() == "FICHIER_VNT") return true;
        if (whole && lines.text() == "FICHIER_VNS") return false;
        const std::string_view raw(first.text, first.rawLength);
        const std::string_view kind = raw.substr(0, 11);
        if ((kind == "FICHIER_VNT" || kind == "FICHIER_VNS") && raw.size() > kind.size())
            lines.report(kind.size(), Severity::error, "bad-first-line",
                         "the first line must be exactly '" + std::string(kind) +
                             "'; the engine refuses the file because of " + quoted(raw.substr(11)));
        else if (kind == "FICHIER_VNT" || kind == "FICHIER_VNS")
            lines.report(kind.size(), Severity::error, "bad-first-line",
                         "the first line '" + std::string(kind) +
                             "' has no line end; the engine refuses the file");
        else
            lines.report(0, Severity::error, "bad-first-line",
                         "the first line must be 'FICHIER_VNT' or 'FICHIER_VNS', found " +
                             (raw.empty() ? std::string("an empty line") : quoted(raw)) +
                             "; the engine refuses the file");
        return false;
    }

    void checkTextureBlock() {
        lines.checkKeywordEnd("TEXTURE");
        for (;;) {
            if (!lines.read(Role{"the file name", Owner::texture, textures, 0, "FIN_TEXTURE"}))
                return;
            if (lines.begins("FIN_TEXTURE")) {
                lines.checkKeywordEnd("FIN_TEXTURE");
                return;
            }
            run.checkImageName(lines, lines.place(), std::string(lines.text()));
            ++textures;
        }
    }

    void checkCameraBlock() {
        lines.checkKeywordEnd("CAMERA");
        const auto role = [this](const char* what) { return Role{what, Owner::camera, cameras}; };
        float values[3];
        lines.skipLine(role("the name"));
        lines.floatList(role("the position"), values, 3, xyz);
        lines.floatList(role("the target"), values, 3, xyz);
        lines.skipLine(role("the last line"));
        ++cameras;
    }

    void checkLightBlock() {
        lines.checkKeywordEnd("LUMIERE");
        const auto role = [this](const char* what) { return Role{what, Owner::light, lights}; };
        float values[3];
        lines.skipLine(role("the name"));
        lines.floatList(role("the position"), values, 3, xyz);
        lines.floatList(role("the colour"), values, 3, rgb);
        lines.floatLine(role("the radius"));
        lines.skipLine(role("the last line"));
        ++lights;
    }

    void checkMeshEntry() {
        lines.checkKeywordEnd("MESH");
        if (!lines.read(Role{"the path of the mesh file"})) return;
        const std::string path(lines.text());
        std::error_code error;
        const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
        const auto [earlier, first] =
            namedAt.emplace(error ? path : canonical.string(), lines.place().line);
        if (!first) {
            lines.report(0, Severity::warning, "mesh-named-twice",
                         "the mesh file '" + path + "' is already named on line " +
                             std::to_string(earlier->second) + "; the engine loads it twice");
            return;
        }
        const std::string reason = whyNotReadable(path);
        if (!reason.empty()) {
            lines.report(0, Severity::error, "cannot-open",
                         "cannot open the mesh file '" + path + "': " + reason);
            return;
        }
        run.follow(path);
    }

    void noteSkippedLine() {
        const std::string_view meant = keywordMeant(lines.text());
        if (meant.empty()) return;
        lines.report(0, Severity::note, "skipped-line",
                     "the engine skips this line: it is not the keyword '" + std::string(meant) +
                         "', which is written in capitals at the start of its line");
    }

    LineChecker& lines;
    CheckRun& run;
    int textures = 0;
    int cameras = 0;
    int lights = 0;
    std::map<std::string, int> namedAt;  // mesh file paths, and the line that names each first
};

}  // namespace

void checkSceneDescriptionLines(LineChecker& lines, CheckRun& run) {
    SceneDescriptionChecker(lines, run).check();
}
