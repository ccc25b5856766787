// The checker reads the file on its own, without the generator's layout, so that a fault in
// the writer cannot hide itself. It is stricter than the engine's reader: numbers must be whole
// lines, lists must hold exactly their count of values, and nothing may follow "FIN_MESH".
#include "scene_check.h"

#include "devil_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <vector>

namespace makescene {

namespace {

constexpr int longestLine = 253;
constexpr float farthestCorner = 0.385f;
constexpr float palestTint = 0.6f;

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double length(Vec3 a) { return std::sqrt(dot(a, a)); }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

struct CornerRead {
    Vec3 position;
    double baseU = 0, baseV = 0, detailU = 0, detailV = 0;
    Vec3 colour;
};

struct FaceRead {
    int line = 0;
    int material = 0;
    Vec3 normal;
    CornerRead corners[3];
};

struct MaterialRead {
    int base = -1, detail = -1, bump = -1;
    double scroll[4] = {};  // base u, base v, detail u, detail v
};

class Checker {
public:
    Checker(std::vector<std::string> lines, std::ostream& report) : lines_(std::move(lines)), report_(report) {}

    void problem(int line, const std::string& text) {
        report_ << "line " << line << ": " << text << "\n";
        ++problems_;
    }
    void problem(const std::string& text) {
        report_ << text << "\n";
        ++problems_;
    }
    int problems() const { return problems_; }

    // The next line, or nothing (and a problem) when the file ends where the format wants one.
    std::optional<std::string> next(const char* expected) {
        if (at_ >= lines_.size()) {
            if (!endReported_) problem(static_cast<int>(at_) + 1, std::string("file ends; expected ") + expected);
            endReported_ = true;
            return std::nullopt;
        }
        return lines_[at_++];
    }
    int lineNumber() const { return static_cast<int>(at_); }
    bool atEnd() const { return at_ >= lines_.size(); }

    std::optional<long> integer(const char* what, long lowest, long highest) {
        auto text = next(what);
        if (!text) return std::nullopt;
        char* end = nullptr;
        long value = std::strtol(text->c_str(), &end, 10);
        if (text->empty() || *end != '\0') {
            problem(lineNumber(), std::string(what) + ": not a whole integer line: \"" + *text + "\"");
            return std::nullopt;
        }
        if (value < lowest || value > highest) {
            problem(lineNumber(), std::string(what) + " " + std::to_string(value) + " is out of range " +
                                      std::to_string(lowest) + ".." + std::to_string(highest));
            return std::nullopt;
        }
        return value;
    }

    // Exactly `count` comma-separated numbers (blanks around them allowed).
    std::optional<std::vector<double>> numbers(const char* what, std::size_t count) {
        auto text = next(what);
        if (!text) return std::nullopt;
        std::vector<double> values;
        std::stringstream parts(*text);
        std::string part;
        while (std::getline(parts, part, ',')) {
            const char* start = part.c_str();
            char* end = nullptr;
            double value = std::strtod(start, &end);
            while (*end == ' ') ++end;
            if (end == start || *end != '\0') {
                problem(lineNumber(), std::string(what) + ": \"" + part + "\" is not a number");
                return std::nullopt;
            }
            values.push_back(value);
        }
        if (values.size() != count) {
            problem(lineNumber(), std::string(what) + ": " + std::to_string(values.size()) + " values, want " +
                                      std::to_string(count));
            return std::nullopt;
        }
        return values;
    }

    std::optional<Vec3> triple(const char* what) {
        auto values = numbers(what, 3);
        if (!values) return std::nullopt;
        return Vec3{(*values)[0], (*values)[1], (*values)[2]};
    }

    bool expectExactly(const char* keyword) {
        auto text = next(keyword);
        if (!text) return false;
        if (*text != keyword) {
            problem(lineNumber(), std::string("want \"") + keyword + "\", found \"" + *text + "\"");
            return false;
        }
        return true;
    }

    bool skip(const char* what) { return next(what).has_value(); }

    std::vector<std::string> textures;
    std::vector<MaterialRead> materials;
    std::vector<FaceRead> faces;
    Vec3 meshPosition, meshRotation, meshScale;

private:
    std::vector<std::string> lines_;
    std::size_t at_ = 0;
    bool endReported_ = false;
    std::ostream& report_;
    int problems_ = 0;
};

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

void readTextures(Checker& in) {
    while (auto name = in.next("a texture name or FIN_TEXTURE")) {
        if (startsWith(*name, "FIN_TEXTURE")) return;
        if (name->empty() || name->size() > 224) in.problem(in.lineNumber(), "texture name empty or longer than 224");
        in.textures.push_back(*name);
        auto wrap = in.next("the wrap line");
        if (!wrap) return;
        if (*wrap != "REPEAT") in.problem(in.lineNumber(), "wrap line is \"" + *wrap + "\", the scene wants REPEAT");
    }
}

void readMaterials(Checker& in) {
    long lastTexture = static_cast<long>(in.textures.size()) - 1;
    while (auto header = in.next("a material block or FIN_ALL_MATERIAUX")) {
        if (startsWith(*header, "FIN_ALL_MATERIAUX")) return;
        MaterialRead material;
        if (!in.skip("line 2 of a material")) return;
        material.base = in.integer("base texture", 0, lastTexture).value_or(-1);
        material.scroll[0] = in.numbers("base scroll u", 1).value_or(std::vector<double>{0})[0];
        material.scroll[1] = in.numbers("base scroll v", 1).value_or(std::vector<double>{0})[0];
        in.integer("base sphere map flag", 0, 1);
        if (!in.skip("line 7 of a material")) return;
        material.detail = in.integer("detail texture", -1, lastTexture).value_or(-1);
        material.scroll[2] = in.numbers("detail scroll u", 1).value_or(std::vector<double>{0})[0];
        material.scroll[3] = in.numbers("detail scroll v", 1).value_or(std::vector<double>{0})[0];
        in.integer("detail sphere map flag", 0, 1);
        if (!in.skip("line 12 of a material")) return;
        material.bump = in.integer("bump texture", -1, lastTexture).value_or(-1);
        in.numbers("bump parameter", 1);
        if (!in.skip("the end line of a material")) return;
        in.materials.push_back(material);
        if (in.materials.size() > 99) in.problem(in.lineNumber(), "more than 99 material blocks");
    }
}

bool readCorner(Checker& in, CornerRead& corner) {
    if (!in.skip("a corner header")) return false;
    auto position = in.triple("corner position");
    auto base = in.numbers("base coordinates", 2);
    auto detail = in.numbers("detail coordinates", 2);
    in.numbers("bump coordinates", 2);
    auto colour = in.triple("corner colour");
    if (!in.skip("a corner end")) return false;
    if (position) corner.position = *position;
    if (base) corner.baseU = (*base)[0], corner.baseV = (*base)[1];
    if (detail) corner.detailU = (*detail)[0], corner.detailV = (*detail)[1];
    if (colour) corner.colour = *colour;
    return true;
}

void readMesh(Checker& in) {
    if (!in.skip("the mesh header")) return;
    auto name = in.next("the mesh name");
    if (name && (name->empty() || name->size() > 99)) in.problem(in.lineNumber(), "mesh name empty or longer than 99");
    in.meshPosition = in.triple("mesh position").value_or(Vec3{});
    in.meshRotation = in.triple("mesh rotation").value_or(Vec3{});
    in.meshScale = in.triple("mesh scale").value_or(Vec3{1, 1, 1});
    long lastMaterial = static_cast<long>(in.materials.size()) - 1;
    while (auto header = in.next("a face or FIN_MESH")) {
        if (startsWith(*header, "FIN_MESH")) {
            if (!in.atEnd()) in.problem(in.lineNumber() + 1, "lines after FIN_MESH");
            return;
        }
        FaceRead face;
        face.line = in.lineNumber();
        face.material = static_cast<int>(in.integer("face material", 0, lastMaterial).value_or(0));
        face.normal = in.triple("face normal").value_or(Vec3{});
        for (CornerRead& corner : face.corners)
            if (!readCorner(in, corner)) return;
        if (!in.skip("the face end")) return;
        in.faces.push_back(face);
    }
}

// Geometry the demo relies on: unit outward normals, counter-clockwise corners, everything
// in view, bright tints.
void checkFaces(Checker& in, double& farthest) {
    std::map<int, Vec3> centres;
    std::map<int, int> corners;
    for (const FaceRead& face : in.faces)
        for (const CornerRead& corner : face.corners) {
            centres[face.material] = centres[face.material] + corner.position;
            ++corners[face.material];
        }
    for (auto& [material, centre] : centres) centre = centre * (1.0 / corners[material]);

    for (const FaceRead& face : in.faces) {
        const Vec3& p0 = face.corners[0].position;
        Vec3 turning = cross(face.corners[1].position - p0, face.corners[2].position - p0);
        Vec3 middle = (p0 + face.corners[1].position + face.corners[2].position) * (1.0 / 3.0);
        if (std::abs(length(face.normal) - 1.0) > 1e-3) in.problem(face.line, "normal is not of unit length");
        if (length(turning) == 0.0 || dot(turning, face.normal) / length(turning) < 0.999)
            in.problem(face.line, "corners do not run counter-clockwise about the normal");
        if (dot(face.normal, middle - centres[face.material]) <= 0.0)
            in.problem(face.line, "normal points into its cube");
        for (const CornerRead& corner : face.corners) {
            farthest = std::max(farthest, length(corner.position));
            if (length(corner.position) > farthestCorner) in.problem(face.line, "corner too far from the origin");
            for (double channel : {corner.colour.x, corner.colour.y, corner.colour.z})
                if (channel < palestTint || channel > 1.0) in.problem(face.line, "corner colour outside 0.6..1");
        }
    }
}

// What the demo needs of its materials: all three layers, finer detail, some small scrolling.
void checkMaterials(Checker& in) {
    if (in.materials.size() < 2) in.problem("fewer than two materials");
    bool anyScroll = false;
    for (std::size_t m = 0; m < in.materials.size(); ++m) {
        const MaterialRead& material = in.materials[m];
        std::string which = "material " + std::to_string(m) + ": ";
        if (material.detail < 0 || material.bump < 0) in.problem(which + "lacks a detail or bump texture");
        for (double step : material.scroll) {
            if (step != 0.0) anyScroll = true;
            if (std::abs(step) > 0.01) in.problem(which + "scroll step above 0.01 per frame");
        }
        double baseSpan = 0, detailSpan = 0;
        for (const FaceRead& face : in.faces)
            if (face.material == static_cast<int>(m))
                for (const CornerRead& corner : face.corners) {
                    baseSpan = std::max({baseSpan, std::abs(corner.baseU), std::abs(corner.baseV)});
                    detailSpan = std::max({detailSpan, std::abs(corner.detailU), std::abs(corner.detailV)});
                }
        if (detailSpan < 2.0 * baseSpan) in.problem(which + "detail does not repeat at least twice as often as base");
    }
    if (!anyScroll) in.problem("no layer scrolls");
    if (dot(in.meshPosition, in.meshPosition) != 0 || dot(in.meshRotation, in.meshRotation) != 0 ||
        dot(in.meshScale - Vec3{1, 1, 1}, in.meshScale - Vec3{1, 1, 1}) != 0)
        in.problem("mesh transform is not the identity; the reach of its corners was checked without it");
}

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// Every texture must load through DevIL; detail maps must average mid grey, bump maps be light.
void checkTextures(Checker& in, std::ostream& report, bool structureSound) {
    std::set<int> details, bumps;
    for (const MaterialRead& material : in.materials) {
        details.insert(material.detail);
        bumps.insert(material.bump);
    }
    std::set<std::string> formats;
    for (std::size_t t = 0; t < in.textures.size(); ++t) {
        const std::string& name = in.textures[t];
        formats.insert(name.substr(name.find_last_of('.') + 1));
        LoadedImage image = readWithDevil(name);
        if (!image.loaded) {
            in.problem("texture " + name + ": DevIL cannot read it");
            continue;
        }
        double sum = 0;
        for (std::uint8_t byte : image.rgb) sum += byte;
        double mean = sum / image.rgb.size() / 255.0;
        report << "  texture " << t << ": " << name << ", " << image.width << " x " << image.height
               << ", mean " << std::fixed << std::setprecision(3) << mean << "\n";
        if (!isPowerOfTwo(image.width) || !isPowerOfTwo(image.height)) in.problem(name + ": size not a power of two");
        if (details.count(static_cast<int>(t)) && std::abs(mean - 0.5) > 0.01) in.problem(name + ": detail mean not 0.5");
        if (bumps.count(static_cast<int>(t)) && mean < 0.75) in.problem(name + ": bump map too dark");
    }
    if (structureSound && formats.size() < 3) in.problem("fewer than three image formats");
}

}  // namespace

bool checkMeshFile(const std::string& path, std::ostream& report) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        report << path << ": cannot open\n";
        return false;
    }
    std::stringstream whole;
    whole << file.rdbuf();
    std::string text = whole.str();
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    Checker in(lines, report);
    report << path << ":\n";
    if (!text.empty() && text.back() != '\n') in.problem(static_cast<int>(lines.size()), "last line has no line end");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find('\r') != std::string::npos) in.problem(static_cast<int>(i) + 1, "carriage return");
        if (lines[i].size() > longestLine) in.problem(static_cast<int>(i) + 1, "line longer than 253 characters");
    }

    if (in.expectExactly("FICHIER_VNO") && in.expectExactly("TEXTURE")) {
        readTextures(in);
        readMaterials(in);
        readMesh(in);
    }
    // The scene's own rules are only worth checking on a file whose structure is sound.
    double farthest = 0;
    bool structureSound = in.problems() == 0;
    if (structureSound) {
        checkFaces(in, farthest);
        checkMaterials(in);
    }
    checkTextures(in, report, structureSound);

    std::map<int, int> perMaterial;
    for (const FaceRead& face : in.faces) ++perMaterial[face.material];
    report << "  " << lines.size() << " lines, " << in.textures.size() << " textures, " << in.materials.size()
           << " materials, " << in.faces.size() << " faces\n  faces per material:";
    for (auto [material, count] : perMaterial) report << " " << material << ": " << count;
    report << "\n  farthest corner " << std::setprecision(4) << farthest << " from the origin\n";
    for (auto [material, count] : perMaterial)
        if (structureSound && count != 12) in.problem("material " + std::to_string(material) + " has not 12 faces");
    report << (in.problems() == 0 ? "  OK\n" : "  " + std::to_string(in.problems()) + " problem(s)\n");
    return in.problems() == 0;
}

}  // namespace makescene
