// A run over the files named on the command line, and the checks that mesh files and scene
// descriptions share: file names and images.
#include "tools/check/file_check.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "scenedesc/scene_description_kind.h"
#include "tools/check/scene_description_check.h"

namespace {

// Longer names would not fit the engine's 256-byte message that names the file.
constexpr std::size_t fileNameChars = 224;

bool endsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string whyNotReadable(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return "it is a directory";
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return std::strerror(errno);
    std::fclose(file);
    return "";
}

bool CheckRun::checkPath(const std::string& path, std::string& reason) {
    reason = whyNotReadable(path);
    if (!reason.empty()) return false;
    const bool scene = isSceneDescription(path);
    if (!firstVisit(path, scene)) return true;
    LineChecker lines(path, found);
    if (!lines.open()) {
        reason = std::strerror(errno);
        return false;
    }
    lines.read(nullptr);
    checkOpened(lines, scene, nullptr);
    return true;
}

bool CheckRun::isSceneDescription(const std::string& path) {
    LineReader reader;
    Line first;
    if (!reader.open(path.c_str()) || !reader.readRawLine(LineChecker::lineChars, first))
        return endsWith(path, ".vnt") || endsWith(path, ".vns");
    if (beginsAsSceneDescription(first)) return true;
    // A first line of neither kind: the name tells which loader the author meant.
    return !first.startsWith("FICHIER_VNO", 11) &&
           (endsWith(path, ".vnt") || endsWith(path, ".vns"));
}

void CheckRun::checkMeshFile(const std::string& path, MeshFileValues* values) {
    LineChecker lines(path, found);
    if (!lines.open()) {
        lines.report(Place{}, Severity::error, "cannot-open",
                     "cannot open the mesh file: " + std::string(std::strerror(errno)));
        return;
    }
    lines.read(nullptr);
    checkOpened(lines, false, values);
}

void CheckRun::checkOpened(LineChecker& lines, bool sceneDescription, MeshFileValues* values) {
    const std::size_t first = found.size();
    if (sceneDescription)
        checkSceneDescriptionLines(lines, *this);
    else
        checkMeshFileLines(lines, *this, values);
    // Some findings are made once a block or face has been read whole; a file's findings are
    // told in the order of their places all the same.
    std::stable_sort(found.begin() + std::ptrdiff_t(first), found.end(),
                     [](const Finding& a, const Finding& b) {
                         return a.line != b.line ? a.line < b.line : a.column < b.column;
                     });
    if (sceneDescription) checkPending();
}

void CheckRun::checkPending() {
    std::vector<std::string> paths;
    paths.swap(pending);
    for (const std::string& path : paths)
        if (firstVisit(path, false)) checkMeshFile(path);
}

bool CheckRun::firstVisit(const std::string& path, bool sceneDescription) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    // A file is checked once for each loader that reads it: a scene description named as a
    // mesh file is refused by the mesh loader, and that is worth telling.
    return visited.insert({sceneDescription, error ? path : canonical.string()}).second;
}

ImageStatus CheckRun::image(const std::string& name) {
    const auto known = images.find(name);
    if (known != images.end()) return known->second;
    const ImageStatus status = checkImage(name.c_str());
    images.emplace(name, status);
    return status;
}

void CheckRun::checkImageName(LineChecker& lines, Place place, const std::string& name) {
    if (name.size() > fileNameChars) {
        lines.report(Place{place.line, place.column + int(fileNameChars)}, Severity::error,
                     "file-name-too-long",
                     "the file name is longer than " + std::to_string(fileNameChars) +
                         " characters, more than the engine's messages can name");
    }
    switch (image(name)) {
    case ImageStatus::loads: return;
    case ImageStatus::missing:
        lines.report(place, Severity::error, "image-missing",
                     "the image '" + name + "' does not exist; the engine draws without it");
        return;
    case ImageStatus::unreadable:
        lines.report(place, Severity::error, "image-unreadable",
                     "the image '" + name +
                         "' cannot be read by the engine's image code; "
                         "the engine draws without it");
        return;
    }
}
