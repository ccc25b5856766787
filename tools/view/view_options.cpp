// Command-line reading for vorn-view: every option once, numbers whole and in range, the
// picture options together or not at all.
#include "tools/view/view_options.h"

#include <charconv>
#include <cstring>
#include <string_view>

const char* const viewUsage =
    "usage: vorn-view PATH [--camera N] [--size WxH] [--fullscreen]\n"
    "                      [--frames N --screenshot OUT.png] [--renderer gl|es2]\n"
    "Shows a scene description (FICHIER_VNT, FICHIER_VNS) or a mesh file (FICHIER_VNO), told\n"
    "apart by content, with its cameras and lights.\n"
    "  --camera N          start from the scene's camera N (0 is the first)\n"
    "  --size WxH          window and picture size in pixels (default 1024x768)\n"
    "  --fullscreen        fullscreen, in a display mode of that size\n"
    "  --frames N          with --screenshot: draw N frames unseen, 1/60 s apart, and write\n"
    "  --screenshot OUT    the last one as a PNG, then exit\n"
    "  --renderer gl|es2   draw through the system's OpenGL (the default), or through the\n"
    "                      fixed-function layer on OpenGL ES 2 (vorn-view-es2, Linux only)\n"
    "Keys: Tab next camera (then the orbit view), drag/wheel/arrows orbit and zoom,\n"
    "L light markers, keypad 1 detail map, keypad 2 bump map, R reload, F12 picture,\n"
    "Escape quit.\n";

namespace {

constexpr int largestSide = 16384;
constexpr int mostFrames = 1000000;

// A whole decimal number filling the text, within [low, high].
bool readWhole(std::string_view text, int low, int high, int& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && value >= low && value <= high;
}

bool readSize(std::string_view text, int& width, int& height) {
    const std::size_t x = text.find('x');
    return x != std::string_view::npos && readWhole(text.substr(0, x), 1, largestSide, width) &&
           readWhole(text.substr(x + 1), 1, largestSide, height);
}

}  // namespace

ParseOutcome parseViewOptions(int argc, const char* const* argv, ViewOptions& options,
                              std::string& error) {
    bool sizeGiven = false, fullscreenGiven = false, framesGiven = false;
    auto fail = [&error](const std::string& text) {
        error = text;
        return ParseOutcome::usageError;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") return ParseOutcome::help;
        const bool takesValue = argument == "--camera" || argument == "--size" ||
                                argument == "--frames" || argument == "--screenshot" ||
                                argument == "--renderer";
        if (takesValue && i + 1 >= argc) return fail(std::string(argument) + " needs a value");
        const std::string_view value = takesValue ? argv[i + 1] : "";
        if (argument == "--camera") {
            if (options.cameraGiven) return fail("--camera given twice");
            if (!readWhole(value, 0, 1 << 30, options.camera))
                return fail("--camera wants a camera number, 0 or more, not '" +
                            std::string(value) + "'");
            options.cameraGiven = true;
        } else if (argument == "--size") {
            if (sizeGiven) return fail("--size given twice");
            if (!readSize(value, options.width, options.height))
                return fail("--size wants WIDTHxHEIGHT in pixels, not '" + std::string(value) +
                            "'");
            sizeGiven = true;
        } else if (argument == "--frames") {
            if (framesGiven) return fail("--frames given twice");
            if (!readWhole(value, 1, mostFrames, options.frames))
                return fail("--frames wants a number of frames, 1 or more, not '" +
                            std::string(value) + "'");
            framesGiven = true;
        } else if (argument == "--screenshot") {
            if (!options.screenshot.empty()) return fail("--screenshot given twice");
            if (value.empty()) return fail("--screenshot wants a file name");
            options.screenshot = value;
        } else if (argument == "--renderer") {
            if (!options.renderer.empty()) return fail("--renderer given twice");
            if (value != "gl" && value != "es2")
                return fail("--renderer wants gl or es2, not '" + std::string(value) + "'");
            options.renderer = value;
        } else if (argument == "--fullscreen") {
            if (fullscreenGiven) return fail("--fullscreen given twice");
            options.fullscreen = fullscreenGiven = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            return fail("unknown option " + std::string(argument));
        } else {
            if (!options.path.empty())
                return fail("one file at a time: '" + std::string(argument) + "'");
            if (argument.empty()) return fail("an empty file name");
            options.path = argument;
        }
        if (takesValue) ++i;
    }
    if (options.path.empty()) return fail("no file to view");
    if (framesGiven != !options.screenshot.empty())
        return fail("--frames and --screenshot go together");
    return ParseOutcome::run;
}
