// The demo under test on its own X screen, its questions answered as a user would and its overlay
// read back in pixels. Owns the screen and the program; a failure leaves a screenshot behind.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "virtual_display.h"
#include "x11_session.h"

namespace e2e {

inline const std::string startTitle = "Start FullScreen?";
inline const std::string firstWindowTitle = "Vorn Engine Dev.";
inline const std::string switchedWindowTitle = "Vorn Eng Dev";
inline const std::string fallbackTitle = "Kovo GL";
inline const std::string errorTitle = "ERROR";
inline const std::string capabilityTitle = "Erreur";

inline constexpr Milliseconds windowTimeout(20000);
inline constexpr Milliseconds exitTimeout(15000);
// The program sees a key only in a pass after the frame it arrives in: a press held for less
// than a frame can go unseen.
inline constexpr Milliseconds keyHold(300);

// Overlay colours as the 8-bit screen shows them.
inline constexpr Rgb captionColour{102, 204, 230};
inline constexpr Rgb labelColour{26, 51, 230};
inline constexpr Rgb white{255, 255, 255};
inline constexpr Rgb red{255, 0, 0};

// Overlay places, in pixels of the 1024 x 768 window at (0, 0).
inline constexpr Area captionArea{10, 15, 400, 45};
inline constexpr Area fpsLabelArea{930, 725, 958, 745};
inline constexpr Area fpsNumberArea{960, 725, 1000, 745};
inline constexpr Area labelsArea{10, 715, 320, 755};
inline constexpr Area answersArea{330, 715, 370, 755};
// Between the caption and the labels: where the cubes turn.
inline constexpr Area sceneArea{100, 60, 924, 700};
inline constexpr int detailBaseline = 730;
inline constexpr int bumpBaseline = 750;

enum class Answer { Yes, No, Unreadable };
std::ostream& operator<<(std::ostream& out, Answer answer);

// Pixels within the tolerance of the colour, each channel apart.
int countColour(const Image& image, Rgb colour, int tolerance = 12);
// Pixels that are dark in one image and lit in the other: how far the silhouettes moved.
int silhouetteChange(const Image& before, const Image& after);
int litPixels(const Image& image);

class DemoTest : public ::testing::Test {
protected:
    void TearDown() override;

    // A screen of this size, the program started on it, and its start question up.
    bool launch(int screenWidth, int screenHeight,
                const std::vector<std::string>& environment = {});
    // launch and answer No: the windowed program with its overlay drawn.
    std::optional<WindowInfo> launchWindowed(const std::vector<std::string>& environment = {},
                                             int screenWidth = 1024, int screenHeight = 768);
    // Waits for a box with this title, answers it with the key, and waits until it is gone.
    bool answerBox(const std::string& title, const std::string& key);
    // The caption is on the screen: the program draws frames.
    bool captionShown();
    // Waits for the program's window to be up and the overlay drawn in it.
    std::optional<WindowInfo> waitForFrames(const std::string& title);
    std::optional<WindowInfo> waitForWindow(const std::string& title);
    bool waitUntil(const std::function<bool()>& condition, Milliseconds timeout);

    // Holds keypad 1 or 2 until the program has flipped its switch and gone into the sleep
    // that follows, then lets go: one press, one flip, at any frame rate.
    bool pressSwitchKey(WindowId window, const std::string& key);

    // "Yes" or "No" by the width of the red word on that baseline.
    Answer readAnswer(int baseline);
    bool waitForAnswer(int baseline, Answer expected);

    VirtualDisplay display;
    X11Session screen;
    ChildProcess demo;
    // What launch starts, and in which folder: the demo built here, in the source folder.
    std::vector<std::string> demoCommand{VORN_DEMO_PROGRAM};
    std::string demoFolder = VORN_SOURCE_DIR;
    // The overlay is read where the window's client area lies, not at the screen's corner:
    // for programs whose window has a frame, as Windows programs under Wine have.
    bool overlayFollowsWindow = false;
    int overlayLeft = 0, overlayTop = 0;
    Area onScreen(const Area& inWindow) const;

    // A file under the artifacts directory named after the running test.
    std::string artifactPath(const std::string& extension) const;
};

}  // namespace e2e
