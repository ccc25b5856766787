// Shared by the viewer's picture tests: pictures from PNG files and from GL read-back, colours
// counted and pictures compared, temporary scene files, and the program run as authors run it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/tool_run.h"

namespace viewtest {

struct Rgb {
    int r = 0, g = 0, b = 0;
};
// A colour given as the floats of a file, in 0..255.
Rgb toRgb(float r, float g, float b);

// RGB pixels, top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;

    Rgb at(int x, int y) const;
    bool empty() const { return rgb.empty(); }
    bool operator==(const Picture& other) const = default;
};

Picture readPng(const std::filesystem::path& path);
bool writePng(const Picture& picture, const std::filesystem::path& path);
// Each square of factor x factor pixels averaged into one.
Picture reduced(const Picture& picture, int factor);
// GL's rows (bottom first) as a picture.
Picture fromGl(const std::vector<unsigned char>& pixels, int width, int height);

// Pixels within the tolerance of the colour, each channel apart.
int countNear(const Picture& picture, Rgb colour, int tolerance);
// Pixels whose channels differ by more than the threshold between two same-sized pictures.
int differingPixels(const Picture& a, const Picture& b, int threshold);
// Mean brightness (0..255) of the rows from top to bottom, all columns.
double meanBrightness(const Picture& picture, int top, int bottom);

// A fresh directory for one test, removed with everything in it.
class ScratchDirectory : private testsupport::TestFolder {
public:
    ScratchDirectory() : TestFolder("vorn-view") {}

    // Writes the lines, each ended by a line end, and returns the file's path.
    std::string write(const std::string& name, const std::vector<std::string>& lines) const;
    using TestFolder::path;
};

// vorn-view with the arguments (each quoted), in the repository root; without a display
// unless `onDisplay`.
testsupport::ToolRun runViewer(const std::vector<std::string>& arguments, bool onDisplay = false);

}  // namespace viewtest
