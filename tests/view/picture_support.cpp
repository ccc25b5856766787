// Pictures, colours, scratch files and program runs for the viewer's tests.
#include "tests/view/picture_support.h"

#include <cmath>
#include <cstdlib>

#include "image/decode.h"
#include "image/write.h"

namespace fs = std::filesystem;

namespace viewtest {

namespace {

bool near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

}  // namespace

Rgb toRgb(float r, float g, float b) {
    return {int(std::lround(r * 255)), int(std::lround(g * 255)), int(std::lround(b * 255))};
}

Rgb Picture::at(int x, int y) const {
    const std::size_t i = (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

Picture readPng(const fs::path& path) {
    DecodedPixels pixels;
    if (!decodeImageFile(path.c_str(), kDefaultLargestImageSide, pixels)) return Picture{};
    Picture picture{pixels.width, pixels.height, {}};
    picture.rgb.reserve(std::size_t(pixels.width) * std::size_t(pixels.height) * 3);
    // The decoder gives the bottom row first; a picture is read from the top.
    for (int row = pixels.height - 1; row >= 0; --row)
        for (int x = 0; x < pixels.width; ++x) {
            const unsigned char* pixel =
                &pixels.bytes[(std::size_t(row) * std::size_t(pixels.width) + std::size_t(x)) * std::size_t(pixels.channels)];
            picture.rgb.insert(picture.rgb.end(), pixel, pixel + 3);
        }
    return picture;
}

bool writePng(const Picture& picture, const fs::path& path) {
    return writeImageFile(path.string(), ImageFormat::Png,
                          PixelRows{picture.width, picture.height, 3, picture.rgb.data()});
}

Picture reduced(const Picture& picture, int factor) {
    Picture small{picture.width / factor, picture.height / factor, {}};
    for (int y = 0; y < small.height; ++y)
        for (int x = 0; x < small.width; ++x) {
            int sum[3] = {0, 0, 0};
            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx) {
                    const Rgb p = picture.at(x * factor + dx, y * factor + dy);
                    sum[0] += p.r, sum[1] += p.g, sum[2] += p.b;
                }
            for (int channel : sum)
                small.rgb.push_back(static_cast<unsigned char>(channel / (factor * factor)));
        }
    return small;
}

Picture fromGl(const std::vector<unsigned char>& pixels, int width, int height) {
    Picture picture{width, height, {}};
    const std::size_t row = std::size_t(width) * 3;
    for (int y = height - 1; y >= 0; --y)
        picture.rgb.insert(picture.rgb.end(), pixels.begin() + std::ptrdiff_t(row * std::size_t(y)),
                           pixels.begin() + std::ptrdiff_t(row * std::size_t(y + 1)));
    return picture;
}

int countNear(const Picture& picture, Rgb colour, int tolerance) {
    int count = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) count += near(picture.at(x, y), colour, tolerance);
    return count;
}

int differingPixels(const Picture& a, const Picture& b, int threshold) {
    if (a.width != b.width || a.height != b.height) return -1;
    int count = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) count += !near(a.at(x, y), b.at(x, y), threshold);
    return count;
}

double meanBrightness(const Picture& picture, int top, int bottom) {
    double sum = 0;
    long pixels = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < picture.width; ++x, ++pixels) {
            const Rgb p = picture.at(x, y);
            sum += (p.r + p.g + p.b) / 3.0;
        }
    return pixels == 0 ? 0 : sum / double(pixels);
}

std::string ScratchDirectory::write(const std::string& name,
                                    const std::vector<std::string>& lines) const {
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    return TestFolder::write(name, text);
}

testsupport::ToolRun runViewer(const std::vector<std::string>& arguments, bool onDisplay) {
    using testsupport::quoted;
    ScratchDirectory output;
    std::string command = std::string("cd ") + quoted(VORN_SOURCE_DIR) + " && " +
                          (onDisplay ? "" : "env -u DISPLAY ") + quoted(VORN_VIEW);
    for (const std::string& argument : arguments) command += " " + quoted(argument);
    return testsupport::runCaptured(command, output.path());
}

}  // namespace viewtest
