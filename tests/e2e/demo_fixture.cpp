// Start-up of the program under test and the pixel readings of its overlay. Every wait has a
// deadline and gives up early when the program has ended, so a fault costs seconds, not a hang.
#include "demo_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <thread>

namespace e2e {
namespace {

constexpr Milliseconds displayTimeout(10000);
constexpr Milliseconds answerTimeout(5000);
constexpr Milliseconds pollInterval(50);

// The caption alone has some 3000 pixels of its colour; a few hundred mean it is drawn.
constexpr int captionDrawn = 500;
// "Yes" is about 32 pixels wide in the overlay's font, "No" about 22.
constexpr int narrowestYes = 27;
constexpr int narrowestNo = 15;

bool near(const Rgb& pixel, const Rgb& colour, int tolerance) {
    return std::abs(pixel.r - colour.r) <= tolerance && std::abs(pixel.g - colour.g) <= tolerance &&
           std::abs(pixel.b - colour.b) <= tolerance;
}

bool lit(const Rgb& pixel) { return pixel.r + pixel.g + pixel.b > 40; }

}  // namespace

std::ostream& operator<<(std::ostream& out, Answer answer) {
    switch (answer) {
    case Answer::Yes: return out << "Yes";
    case Answer::No: return out << "No";
    default: return out << "(unreadable)";
    }
}

int countColour(const Image& image, Rgb colour, int tolerance) {
    int count = 0;
    for (const Rgb& pixel : image.pixels) count += near(pixel, colour, tolerance) ? 1 : 0;
    return count;
}

int litPixels(const Image& image) {
    int count = 0;
    for (const Rgb& pixel : image.pixels) count += lit(pixel) ? 1 : 0;
    return count;
}

int silhouetteChange(const Image& before, const Image& after) {
    if (before.pixels.size() != after.pixels.size()) return -1;
    int count = 0;
    for (std::size_t i = 0; i < before.pixels.size(); ++i)
        count += lit(before.pixels[i]) != lit(after.pixels[i]) ? 1 : 0;
    return count;
}

std::string DemoTest::artifactPath(const std::string& extension) const {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name)
        if (c == '/') c = '_';
    std::filesystem::create_directories(E2E_ARTIFACT_DIR);
    return std::string(E2E_ARTIFACT_DIR) + "/" + name + extension;
}

void DemoTest::TearDown() {
    if (HasFailure() && !display.name().empty()) {
        const std::string picture = artifactPath(".png");
        if (screen.saveScreenshot(picture)) std::cerr << "Screenshot: " << picture << "\n";
        std::cerr << "Program output: " << artifactPath(".log") << "\n";
    }
    demo.stop();
    screen.disconnect();
    display.stop();
}

bool DemoTest::launch(int screenWidth, int screenHeight,
                      const std::vector<std::string>& environment) {
    if (!display.start(screenWidth, screenHeight, displayTimeout)) return false;
    if (!screen.connect(display.name(), display.environment(), displayTimeout)) return false;
    if (!demo.start(demoCommand, SpawnOptions{display.environment(environment), demoFolder,
                                              artifactPath(".log"), {}}))
        return false;
    return waitForWindow(startTitle).has_value();
}

std::optional<WindowInfo> DemoTest::launchWindowed(const std::vector<std::string>& environment,
                                                    int screenWidth, int screenHeight) {
    if (!launch(screenWidth, screenHeight, environment) || !answerBox(startTitle, "Escape"))
        return std::nullopt;
    return waitForFrames(firstWindowTitle);
}

bool DemoTest::waitUntil(const std::function<bool()>& condition, Milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(pollInterval);
    }
}

std::optional<WindowInfo> DemoTest::waitForWindow(const std::string& title) {
    // A program that has ended shows nothing more.
    return screen.waitForWindow(title, windowTimeout, [this] { return demo.running(); });
}

bool DemoTest::answerBox(const std::string& title, const std::string& key) {
    const std::optional<WindowInfo> box = waitForWindow(title);
    if (!box) return false;
    // A box just shown can miss a key while it sets itself up; a user would press again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        screen.pressKey(box->id, key, Milliseconds(50));
        if (screen.waitUntilGone(*box, answerTimeout / 2)) return true;
    }
    return false;
}

Area DemoTest::onScreen(const Area& inWindow) const {
    return Area{inWindow.left + overlayLeft, inWindow.top + overlayTop,
                inWindow.right + overlayLeft, inWindow.bottom + overlayTop};
}

std::optional<WindowInfo> DemoTest::waitForFrames(const std::string& title) {
    const std::optional<WindowInfo> window = waitForWindow(title);
    if (!window) return std::nullopt;
    if (overlayFollowsWindow) {
        overlayLeft = window->x;
        overlayTop = window->y;
    }
    const bool drawn = waitUntil([&] { return captionShown() || !demo.running(); }, windowTimeout);
    if (!drawn || !demo.running()) return std::nullopt;
    return window;
}

bool DemoTest::pressSwitchKey(WindowId window, const std::string& key) {
    if (!demo.inTimedSleep().has_value())  // cannot watch it: a hold between a frame and 300 ms
        return screen.pressKey(window, key, Milliseconds(150));
    if (!screen.keyDown(window, key)) return false;
    // Polled finely: the key must be up before the 300 ms sleep ends, or it flips again.
    const auto deadline = std::chrono::steady_clock::now() + answerTimeout;
    bool slept = false;
    while (!(slept = demo.inTimedSleep().value_or(false)) &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(Milliseconds(2));
    return screen.keyUp(key) && slept;
}

bool DemoTest::captionShown() {
    return countColour(screen.grab(onScreen(captionArea)), captionColour) > captionDrawn;
}

Answer DemoTest::readAnswer(int baseline) {
    const Image word = screen.grab(onScreen(Area{330, baseline - 18, 390, baseline + 1}));
    int first = -1, last = -1;
    for (int x = word.area.left; x < word.area.right; ++x)
        for (int y = word.area.top; y < word.area.bottom; ++y)
            if (near(word.at(x, y), red, 12)) {
                if (first < 0) first = x;
                last = x;
            }
    const int width = first < 0 ? 0 : last - first + 1;
    if (width >= narrowestYes) return Answer::Yes;
    if (width >= narrowestNo) return Answer::No;
    return Answer::Unreadable;
}

bool DemoTest::waitForAnswer(int baseline, Answer expected) {
    return waitUntil([&] { return readAnswer(baseline) == expected; }, answerTimeout);
}

}  // namespace e2e
