// The viewer's command line: the file to show, the camera to start from, the window's size and
// mode, and the headless picture (frames to draw, file to write).
#pragma once

#include <string>

struct ViewOptions {
    std::string path;
    int camera = 0;
    bool cameraGiven = false;  // --camera named one: it must exist
    int width = 1024;
    int height = 768;
    bool fullscreen = false;
    int frames = 0;          // with screenshot: draw this many frames unseen, write the last
    std::string screenshot;  // empty: an interactive window
    std::string renderer;    // "gl" or "es2"; empty: the default
    bool headless() const { return !screenshot.empty(); }
};

enum class ParseOutcome { run, help, usageError };

// Reads argv; on a usage error `error` says what was wrong, in one line.
ParseOutcome parseViewOptions(int argc, const char* const* argv, ViewOptions& options,
                              std::string& error);

extern const char* const viewUsage;
