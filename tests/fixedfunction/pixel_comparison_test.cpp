// The layer on OpenGL ES 2 against Mesa's own fixed function, frame by frame at 1024 x 768:
// the same frame writer (and vorn-view) built twice, run on the same scenes, its frames
// compared. Both builds upload textures through GL's own calls and GLU's mipmaps: ILUT's
// mipmaps (the Linux vorn-view's) are not GLU's, and ILUT cannot draw through the layer. A frame passes when no pixel is more than 8 levels off and no more than 0.1 % of
// them more than 1 level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "image/decode.h"
#include "tests/support/tool_run.h"

namespace {

namespace fs = std::filesystem;
using testsupport::quoted;

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

Picture readPpm(const fs::path& path) {
    Picture picture;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    in >> magic >> picture.width >> picture.height >> maximum;
    in.get();
    picture.rgb.resize(std::size_t(picture.width) * std::size_t(picture.height) * 3);
    in.read(reinterpret_cast<char*>(picture.rgb.data()), std::streamsize(picture.rgb.size()));
    if (magic != "P6" || !in) picture = Picture{};
    return picture;
}

Picture readPng(const fs::path& path) {
    DecodedPixels pixels;
    Picture picture;
    if (!decodeImageFile(path.string().c_str(), 16384, pixels) || pixels.channels < 3) return picture;
    picture.width = pixels.width;
    picture.height = pixels.height;
    for (std::size_t i = 0; i < std::size_t(pixels.width) * std::size_t(pixels.height); ++i)
        for (int c = 0; c < 3; ++c) picture.rgb.push_back(pixels.bytes[i * std::size_t(pixels.channels) + std::size_t(c)]);
    return picture;
}

// The comparison's verdict, with what it found.
::testing::AssertionResult closeEnough(const Picture& mesa, const Picture& layer) {
    if (mesa.width != 1024 || mesa.height != 768 || layer.width != mesa.width || layer.height != mesa.height)
        return ::testing::AssertionFailure() << "sizes " << mesa.width << "x" << mesa.height << " and "
                                             << layer.width << "x" << layer.height;
    std::size_t offByMore = 0;
    int largest = 0;
    const std::size_t pixels = mesa.rgb.size() / 3;
    for (std::size_t i = 0; i < pixels; ++i) {
        int difference = 0;
        for (int c = 0; c < 3; ++c)
            difference = std::max(difference, std::abs(int(mesa.rgb[i * 3 + std::size_t(c)]) - int(layer.rgb[i * 3 + std::size_t(c)])));
        if (difference > 1) ++offByMore;
        largest = std::max(largest, difference);
    }
    if (largest <= 8 && offByMore * 1000 <= pixels)
        return ::testing::AssertionSuccess() << offByMore << " pixels off by more than 1, largest " << largest;
    return ::testing::AssertionFailure() << offByMore << " pixels off by more than 1, largest difference " << largest;
}

// The demo's scene with some of its lines replaced (1-based line numbers).
std::string sceneVariant(const testsupport::TestFolder& folder, const std::vector<std::pair<int, std::string>>& changes) {
    std::ifstream in(VORN_SOURCE_DIR "/scene/2cube.vno");
    std::ostringstream out;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        for (const auto& change : changes)
            if (change.first == number) line = change.second;
        out << line << '\n';
    }
    return folder.write("variant.vno", out.str());
}

// A 24-bit BMP of 100 x 60 pixels, sides that are not powers of two, in the test's folder.
std::string oddSizedImage(const testsupport::TestFolder& folder) {
    const int width = 100, height = 60, rowBytes = width * 3;  // 300: a multiple of 4
    std::string file(54 + std::size_t(rowBytes) * height, '\0');
    auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int b = 0; b < 4; ++b) file[at + std::size_t(b)] = char((value >> (8 * b)) & 0xFF);
    };
    file[0] = 'B', file[1] = 'M';
    put32(2, std::uint32_t(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    file[26] = 1, file[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = 54 + std::size_t(y) * rowBytes + std::size_t(x) * 3;
            file[at] = char(x * 2 + y), file[at + 1] = char((x ^ y) * 4), file[at + 2] = char(y * 4);
        }
    return folder.write("odd.bmp", file);
}

struct FrameCase {
    const char* name;
    std::vector<std::pair<int, std::string>> sceneChanges;  // none: the demo's scene as it is
    const char* hiddenFromMesa;                               // extension override words, or ""
    const char* hiddenFromLayer;
};

std::ostream& operator<<(std::ostream& out, const FrameCase& c) { return out << c.name; }

class DemoFrames : public ::testing::TestWithParam<FrameCase> {};

TEST_P(DemoFrames, AreMesasWithinOneLevel) {
    const FrameCase& c = GetParam();
    testsupport::TestFolder folder("ff-frames");
    fs::create_directories(folder.path("mesa"));
    fs::create_directories(folder.path("layer"));
    auto changes = c.sceneChanges;
    for (auto& change : changes)
        if (change.second == "ODD_SIZED_IMAGE") change.second = oddSizedImage(folder);
    const std::string scene = changes.empty() ? "" : " " + quoted(sceneVariant(folder, changes));
    const std::string hideMesa = std::string("MESA_EXTENSION_OVERRIDE=") + quoted(c.hiddenFromMesa) + " ";
    const std::string hideLayer = std::string("VORN_GL_EXTENSION_OVERRIDE=") + quoted(c.hiddenFromLayer) + " ";
    const auto mesa = testsupport::runCaptured(
        hideMesa + quoted(FRAME_WRITER_GL) + " " + quoted(folder.path("mesa").string()) + scene, folder.path());
    ASSERT_EQ(mesa.exitCode, 0) << mesa.err;
    const auto layer = testsupport::runCaptured(
        hideLayer + quoted(FRAME_WRITER_ES2) + " " + quoted(folder.path("layer").string()) + scene, folder.path());
    ASSERT_EQ(layer.exitCode, 0) << layer.err;
    EXPECT_EQ(mesa.err, layer.err) << "both say the same about the driver";
    int frames = 0;
    for (const auto& entry : fs::directory_iterator(folder.path("mesa"))) {
        const fs::path name = entry.path().filename();
        EXPECT_TRUE(closeEnough(readPpm(entry.path()), readPpm(folder.path("layer") / name))) << name;
        ++frames;
    }
    EXPECT_EQ(frames, 12);
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, DemoFrames,
    ::testing::Values(
        FrameCase{"demo", {}, "", ""},
        // Mesa's override of either extension also takes the other with it (they share one
        // always-on flag there): the layer is told to hide both, so that the engine's check
        // finds the same driver in both runs.
        FrameCase{"one_texture_unit", {}, "-GL_ARB_multitexture",
                  "-GL_ARB_multitexture -GL_EXT_texture_env_combine"},
        FrameCase{"without_combine", {}, "-GL_EXT_texture_env_combine",
                  "-GL_ARB_multitexture -GL_EXT_texture_env_combine"},
        FrameCase{"without_dot3", {}, "-GL_EXT_texture_env_dot3", "-GL_EXT_texture_env_dot3"},
        // Base sphere map on the stone, detail sphere map on the wood.
        FrameCase{"sphere_maps", {{21, "1"}, {41, "1"}}, "", ""},
        // Base and detail textures clamped; the detail coordinates run to 4, far past the edge.
        FrameCase{"clamped_textures", {{4, "CLAMP"}, {8, "CLAMP"}, {10, "CLAMP"}, {14, "CLAMP"}}, "", ""},
        // The stone's image 100 x 60: both take it at its size, with their own mipmaps.
        FrameCase{"odd_sized_texture", {{3, "ODD_SIZED_IMAGE"}}, "", ""}),
    [](const ::testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

TEST(Patterns, AreMesasWithinOneLevel) {
    testsupport::TestFolder folder("ff-patterns");
    const auto mesa = testsupport::runCaptured(quoted(PATTERN_WRITER_GL) + " " + quoted(folder.path("mesa.ppm").string()),
                                               folder.path());
    ASSERT_EQ(mesa.exitCode, 0) << mesa.err;
    const auto layer = testsupport::runCaptured(
        quoted(PATTERN_WRITER_ES2) + " " + quoted(folder.path("layer.ppm").string()), folder.path());
    ASSERT_EQ(layer.exitCode, 0) << layer.err;
    EXPECT_TRUE(closeEnough(readPpm(folder.path("mesa.ppm")), readPpm(folder.path("layer.ppm"))));
}

struct ViewCase {
    const char* name;
    const char* arguments;
};

class ViewerPictures : public ::testing::TestWithParam<ViewCase> {};

TEST_P(ViewerPictures, AreMesasWithinOneLevel) {
    testsupport::TestFolder folder("ff-view");
    const std::string arguments = std::string(" ") + GetParam().arguments + " --frames 3 --screenshot ";
    const auto mesa = testsupport::runCaptured(
        quoted(VORN_VIEW_REFERENCE) + " --renderer gl" + arguments + quoted(folder.path("mesa.png").string()), folder.path());
    ASSERT_EQ(mesa.exitCode, 0) << mesa.err;
    const auto layer = testsupport::runCaptured(
        quoted(VORN_VIEW) + " --renderer es2" + arguments + quoted(folder.path("layer.png").string()), folder.path());
    ASSERT_EQ(layer.exitCode, 0) << layer.err;
    EXPECT_TRUE(closeEnough(readPng(folder.path("mesa.png")), readPng(folder.path("layer.png"))));
}

std::ostream& operator<<(std::ostream& out, const ViewCase& c) { return out << c.name; }

INSTANTIATE_TEST_SUITE_P(
    Scenes, ViewerPictures,
    ::testing::Values(ViewCase{"example_with_light_markers", "scene/example.vnt"},
                      ViewCase{"mesh_file", "scene/2cube.vno"}),
    [](const ::testing::TestParamInfo<ViewCase>& info) { return std::string(info.param.name); });

}  // namespace
