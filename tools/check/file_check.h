// One run of the checker over the files it is given: mesh files and scene descriptions told
// apart by their first line, scene descriptions followed into the mesh files they name, each
// file checked once and each image read once. Owns the findings of the whole run.
#pragma once

#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "tools/check/finding.h"
#include "tools/check/image_check.h"
#include "tools/check/line_checker.h"
#include "tools/check/mesh_file_check.h"

class CheckRun {
public:
    // Checks a file named on the command line. False, with the reason, when it cannot be
    // opened; nothing is reported about it then.
    bool checkPath(const std::string& path, std::string& reason);
    // Checks a mesh file, whatever its first line says; what it holds goes to `values`.
    void checkMeshFile(const std::string& path, MeshFileValues* values = nullptr);

    const std::vector<Finding>& findings() const { return found; }

    // For the checkers: whether an image loads (asked once per name), and whether a file
    // still has to be checked in this run as a scene description or as a mesh file (true
    // once for each).
    ImageStatus image(const std::string& name);
    bool firstVisit(const std::string& path, bool sceneDescription);
    // The file name of a texture, on the line at `place`: its length, and its image.
    void checkImageName(LineChecker& lines, Place place, const std::string& name);
    // Mesh files named by the scene description being checked, checked after it.
    void follow(const std::string& path) { pending.push_back(path); }
    std::vector<Finding>& findingList() { return found; }

private:
    void checkPending();
    // Told by the first line, or by the name when the first line is of neither kind.
    static bool isSceneDescription(const std::string& path);
    // Checks a file whose first line `lines` has read, as a mesh file or a scene description.
    void checkOpened(LineChecker& lines, bool sceneDescription, MeshFileValues* values);

    std::vector<Finding> found;
    std::unordered_map<std::string, ImageStatus> images;
    std::set<std::pair<bool, std::string>> visited;
    std::vector<std::string> pending;
};

// Why a file cannot be opened for reading, or empty when it can.
std::string whyNotReadable(const std::string& path);
